#include "extract_context.h"

#include <algorithm>
#include <array>

#include "editor/tree/decimal_text.h"

namespace {

// The order in which state commands go out before an object.
constexpr std::array<std::string_view, 5> kStateOrder = {"dot_size", "font_style", "font_kind",
                                                         "line_style", "color_switch"};

std::string HexText(const VyByteArray& bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        AppendHexByte(text, b);
    }
    return text;
}

}  // namespace

void CVylCmdExtractContext::Init(const CVylDeviceContext* dc, const CVylObjectSource* group) {
    m_dc = dc;
    m_group = group;
    m_extractTable.Clear();
    m_dependenceTable.Clear();
    m_optionTable.Clear();
    if (dc != nullptr) {
        m_extractTable.Parse(dc->GetString(kKeyCmdExtractReference));
        m_dependenceTable.Parse(dc->GetString(kKeyCmdDependenceReference));
        m_optionTable.Parse(dc->GetString(kKeyCmdOptionReference));
    }
}

// Settings whose bytes for this object differ from what was sent last; the
// current-state map is brought up to date on the way.
std::vector<std::string> CVylCmdExtractContext::NeededStates(const CVylObject& object) {
    std::vector<std::string> needed;
    const CVylColumnTable::Column* settings =
        m_dependenceTable.GetColumn(DecimalText(object.GetKind()));
    if (settings == nullptr) {
        return needed;
    }
    for (const std::string& setting : *settings) {
        if (setting.empty() || setting.front() == '%') {
            continue;
        }
        const CVylColumnTable::Column* steps = m_optionTable.GetColumn(setting);
        VyByteArray scratch;
        const int32_t status = steps == nullptr
                                   ? kExtractOk
                                   : RunCommandTemplate(*steps, object, *m_dc, scratch, nullptr);
        if (status != kExtractOk || steps == nullptr) {
            // Failing here again while emitting reports the failure.
            needed.push_back(setting);
            continue;
        }
        const std::string text = HexText(scratch);
        const auto it = m_currentState.find(setting);
        if (it != m_currentState.end() && it->second == text) {
            continue;
        }
        m_currentState[setting] = text;
        needed.push_back(setting);
    }
    return needed;
}

int32_t CVylCmdExtractContext::ExtractObject(const CVylObject& object, VyByteArray& out,
                                             VyLengthArray* lengths) {
    const std::vector<std::string> needed = NeededStates(object);
    for (std::string_view setting : kStateOrder) {
        if (std::find(needed.begin(), needed.end(), setting) == needed.end()) {
            continue;
        }
        const CVylColumnTable::Column* steps = m_optionTable.GetColumn(setting);
        if (steps == nullptr) {
            return kExtractNoOptionTemplate;
        }
        const int32_t status = RunCommandTemplate(*steps, object, *m_dc, out, lengths);
        if (status != kExtractOk) {
            return status;
        }
    }
    const CVylColumnTable::Column* steps = m_extractTable.GetColumn(DecimalText(object.GetKind()));
    if (steps == nullptr) {
        return kExtractNoExtractTemplate;
    }
    return RunCommandTemplate(*steps, object, *m_dc, out, lengths);
}

void CVylCmdExtractContext::ExtractCmdByteArrayAndAppend(VyByteArray& out, VyLengthArray* lengths) {
    m_status = kExtractOk;
    if (m_group == nullptr || m_dc == nullptr) {
        return;
    }
    for (int32_t uid : m_group->GetZOrderList()) {
        const CVylObject* object = m_group->GetByObjUid(uid);
        if (object == nullptr) {
            m_status = kExtractObjectMissing;
            return;
        }
        m_status = ExtractObject(*object, out, lengths);
        if (m_status != kExtractOk) {
            return;
        }
    }
}
