// A template is a list of steps "operation:width:argument~modifier:option";
// each step appends bytes computed from the object, the escape step also
// marks where one LCD command ends and the next begins.
#include "template_runner.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "editor/command/bitmap_fit.h"
#include "editor/model/column_table.h"
#include "editor/tree/decimal_text.h"

namespace {

constexpr int32_t kUnitsPerDot = 10000;
// No layout makes more lines than this; a larger count comes from a damaged
// record and would only flood the output.
constexpr int32_t kMaxLoopPasses = 100000;

struct Step {
    std::string_view operation;
    int32_t width = 0;
    std::string_view argument;
    std::string_view modifier;
    std::string_view option;
    std::string_view loopKey;
};

Step ParseStep(std::string_view cell) {
    std::array<std::string_view, 10> fields{};
    const std::vector<std::string_view> pieces = SplitKeepingEmpty(cell, ':');
    for (size_t i = 0; i < pieces.size() && i < fields.size(); ++i) {
        fields[i] = pieces[i];
    }
    Step step;
    step.operation = fields[0];
    step.loopKey = fields[1];
    step.width = AtoiValue(fields[1]);
    step.argument = fields[2];
    const size_t tilde = step.argument.rfind('~');
    if (tilde != std::string_view::npos) {
        step.modifier = tilde == 0 ? std::string_view() : step.argument.substr(tilde);
        step.argument = step.argument.substr(0, tilde);
    }
    step.option = fields[3];
    return step;
}

// Two bytes, low first. Values beyond a signed word are saturated: wrapped,
// an object far off the screen would be drawn on it.
void AppendWord(VyByteArray& out, int64_t value) {
    value = std::clamp<int64_t>(value, INT16_MIN, INT16_MAX);
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

int64_t HexValue(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
    }
    int64_t value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            break;
        }
        value = (value * 16 + digit) & 0xFFFFFFFF;
    }
    return value;
}

std::optional<int64_t> RegionValue(const CVylObject& object, std::string_view name) {
    VyRect r = object.GetRegion();
    // A text and a picture are placed by their top left corner, whichever
    // way they were drawn.
    if (object.GetKind() == kObjText || object.GetKind() == kObjBitmap) {
        r = r.Normalized();
    }
    const VyRect n = r.Normalized();
    if (name == "left")
        return r.left;
    if (name == "top")
        return r.top;
    if (name == "right")
        return r.right;
    if (name == "bottom")
        return r.bottom;
    if (name == "center_x")
        return (static_cast<int64_t>(r.left) + r.right) / 2;
    if (name == "center_y")
        return (static_cast<int64_t>(r.top) + r.bottom) / 2;
    if (name == "half_width")
        return n.Width() / 2;
    if (name == "half_height")
        return n.Height() / 2;
    return std::nullopt;
}

class TemplateRun {
  public:
    TemplateRun(const CVylObject& object, const CFxAssignGroupEx& params)
        : m_object(object), m_escape(static_cast<uint8_t>(params.GetInt("escape_code", 0))) {}

    int32_t Run(const std::vector<std::string>& steps) {
        for (size_t i = 0; i < steps.size(); ++i) {
            if (steps[i].empty()) {
                continue;
            }
            const Step step = ParseStep(steps[i]);
            if (step.operation == "loop_start") {
                m_passes = std::min(AtoiValue(Text(step.loopKey)), kMaxLoopPasses);
                m_loopStart = i;
                m_loopIndex = 0;
            } else if (step.operation == "loop_end") {
                if (++m_loopIndex < m_passes && m_loopStart) {
                    i = *m_loopStart;
                }
            } else {
                const int32_t status = Perform(step);
                if (status != kExtractOk) {
                    return status;
                }
                if (m_cancelled) {
                    m_bytes.clear();
                    m_lengths.clear();
                    m_mark = 0;
                    break;
                }
            }
        }
        CloseCommand();
        return kExtractOk;
    }

    const VyByteArray& Bytes() const { return m_bytes; }
    const VyLengthArray& Lengths() const { return m_lengths; }

  private:
    std::string Text(std::string_view key) const { return m_object.Unique().GetString(key); }
    std::string IndexedKey(std::string_view key) const {
        return std::string(key) + DecimalText(m_loopIndex);
    }

    void CloseCommand() {
        if (m_bytes.size() != m_mark) {
            m_lengths.push_back(static_cast<uint32_t>(m_bytes.size() - m_mark));
        }
    }

    void AppendText(const std::string& text) {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    }

    int32_t AppendInteger(int32_t width, int64_t value) {
        if (width == 1) {
            m_bytes.push_back(static_cast<uint8_t>(value & 0xFF));
        } else if (width == 2) {
            AppendWord(m_bytes, value / kUnitsPerDot);
        } else {
            return kExtractBadWidth;
        }
        return kExtractOk;
    }

    int32_t AppendBytesAttr(const Step& step) {
        const CFxAssignEntry* entry = m_object.Unique().Find(step.argument);
        if (entry == nullptr || entry->GetKind() != CFxAssignEntry::kBytes) {
            return kExtractBytesAttrMissing;
        }
        const std::string_view stored = entry->Bytes().View();
        if (stored.size() != static_cast<size_t>(entry->Bytes().GetLength())) {
            return kExtractBitmapFailed;
        }
        if (stored.empty() && step.option == "cancel_if_this_is_zero_length") {
            m_cancelled = true;
            return kExtractOk;
        }
        if (step.modifier == "~fit_bmp") {
            AppendText(FitBitmapToRegion(stored, m_object.GetRegion()));
        } else {
            m_bytes.insert(m_bytes.end(), stored.begin(), stored.end());
        }
        return kExtractOk;
    }

    int32_t Perform(const Step& step) {
        const std::string_view op = step.operation;
        if (op == "esc") {
            CloseCommand();
            m_mark = m_bytes.size();
            m_bytes.push_back(m_escape);
        } else if (op == "st") {
            AppendText(std::string(step.argument));
        } else if (op == "hx") {
            m_bytes.push_back(static_cast<uint8_t>(HexValue(step.argument) & 0xFF));
        } else if (op == "sv") {
            AppendText(Text(step.argument));
        } else if (op == "sp") {
            AppendText(Text(IndexedKey(step.argument)));
        } else if (op == "rs") {
            if (const std::optional<int64_t> value = RegionValue(m_object, step.argument)) {
                AppendWord(m_bytes, *value / kUnitsPerDot);
            }
        } else if (op == "iv") {
            return AppendInteger(step.width, AtoiValue(Text(step.argument)));
        } else if (op == "ip") {
            return AppendInteger(step.width, AtoiValue(Text(IndexedKey(step.argument))));
        } else if (op == "ic") {
            return AppendInteger(step.width, AtoiValue(step.argument));
        } else if (op == "bv") {
            return AppendBytesAttr(step);
        }
        return kExtractOk;
    }

    const CVylObject& m_object;
    uint8_t m_escape;
    VyByteArray m_bytes;
    VyLengthArray m_lengths;
    size_t m_mark = 0;
    int32_t m_loopIndex = 0;
    int32_t m_passes = 0;
    std::optional<size_t> m_loopStart;
    bool m_cancelled = false;
};

}  // namespace

int32_t RunCommandTemplate(const std::vector<std::string>& steps, const CVylObject& object,
                           const CFxAssignGroupEx& params, VyByteArray& bytes,
                           VyLengthArray* lengths) {
    TemplateRun run(object, params);
    const int32_t status = run.Run(steps);
    if (status != kExtractOk) {
        return status;
    }
    bytes.insert(bytes.end(), run.Bytes().begin(), run.Bytes().end());
    if (lengths != nullptr) {
        lengths->insert(lengths->end(), run.Lengths().begin(), run.Lengths().end());
    }
    return kExtractOk;
}
