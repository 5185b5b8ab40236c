#include "editor/command/extract_context.h"

#include <array>

#include "editor/tree/decimal_text.h"

namespace {

// The order in which state commands go out before an object.
constexpr std::array<std::string_view, 5> kStateOrder = {"dot_size", "font_style", "font_kind",
                                                         "line_style", "color_switch"};

}  // namespace

void CVylCmdExtractContext::Init(const CVylDeviceContext* dc, const CVylObjectSource* group) {
    m_dc = dc;
    m_group = group;
    m_extractTable.Clear();
    m_dependenceTable.Clear();
    m_optionTable.Clear();
    m_plans.clear();
    m_options.clear();
    m_slots.clear();
    m_currentState.clear();
    m_escape = 0;
    if (dc != nullptr) {
        m_extractTable.Parse(dc->GetString(kKeyCmdExtractReference));
        m_dependenceTable.Parse(dc->GetString(kKeyCmdDependenceReference));
        m_optionTable.Parse(dc->GetString(kKeyCmdOptionReference));
        m_escape = static_cast<uint8_t>(dc->GetInt("escape_code", 0));
    }
}

const CVylCommandTemplate* CVylCmdExtractContext::OptionTemplate(const std::string& setting) {
    auto [it, added] = m_options.try_emplace(setting);
    if (added) {
        if (const CVylColumnTable::Column* steps = m_optionTable.GetColumn(setting)) {
            it->second.emplace(*steps);
        }
    }
    return it->second ? &*it->second : nullptr;
}

size_t CVylCmdExtractContext::StateSlot(const std::string& setting) {
    const auto [it, added] = m_slots.try_emplace(setting, m_currentState.size());
    if (added) {
        m_currentState.emplace_back();
    }
    return it->second;
}

const CVylCmdExtractContext::KindPlan& CVylCmdExtractContext::PlanFor(int32_t kind) {
    auto [it, added] = m_plans.try_emplace(kind);
    KindPlan& plan = it->second;
    if (!added) {
        return plan;
    }
    const std::string name = DecimalText(kind);
    if (const CVylColumnTable::Column* steps = m_extractTable.GetColumn(name)) {
        plan.extract.emplace(*steps);
    }
    if (const CVylColumnTable::Column* settings = m_dependenceTable.GetColumn(name)) {
        for (const std::string& setting : *settings) {
            if (!setting.empty() && setting.front() != '%') {
                plan.dependences.push_back({setting, OptionTemplate(setting), StateSlot(setting)});
            }
        }
    }
    for (std::string_view state : kStateOrder) {
        std::vector<size_t>& naming = plan.emitted.emplace_back();
        for (size_t i = 0; i < plan.dependences.size(); ++i) {
            if (plan.dependences[i].setting == state) {
                naming.push_back(i);
            }
        }
    }
    return plan;
}

// Runs the state templates the object depends on and marks those whose bytes
// differ from what was sent last (or that fail, which their turn reports);
// the current state is brought up to date on the way.
void CVylCmdExtractContext::RunDependences(const KindPlan& plan, const CVylObject& object) {
    m_runs.resize(plan.dependences.size());
    for (size_t i = 0; i < plan.dependences.size(); ++i) {
        const Dependence& dependence = plan.dependences[i];
        StateRun& run = m_runs[i];
        run.bytes.clear();
        run.lengths.clear();
        run.needed = true;
        run.status =
            dependence.option == nullptr
                ? kExtractNoOptionTemplate
                : RunCommandTemplate(*dependence.option, object, m_escape, run.bytes, &run.lengths);
        if (run.status != kExtractOk) {
            continue;
        }
        std::optional<VyByteArray>& current = m_currentState[dependence.slot];
        if (current && *current == run.bytes) {
            run.needed = false;
            continue;
        }
        current = run.bytes;
    }
}

int32_t CVylCmdExtractContext::ExtractObject(const CVylObject& object, VyByteArray& out,
                                             VyLengthArray* lengths) {
    const KindPlan& plan = PlanFor(object.GetKind());
    RunDependences(plan, object);
    for (const std::vector<size_t>& naming : plan.emitted) {
        for (size_t i : naming) {
            const StateRun& run = m_runs[i];
            if (!run.needed) {
                continue;
            }
            if (run.status != kExtractOk) {
                return run.status;
            }
            out.insert(out.end(), run.bytes.begin(), run.bytes.end());
            if (lengths != nullptr) {
                lengths->insert(lengths->end(), run.lengths.begin(), run.lengths.end());
            }
            break;
        }
    }
    if (!plan.extract) {
        return kExtractNoExtractTemplate;
    }
    return RunCommandTemplate(*plan.extract, object, m_escape, out, lengths);
}

void CVylCmdExtractContext::ExtractCmdByteArrayAndAppend(VyByteArray& out, VyLengthArray* lengths,
                                                         size_t byteLimit) {
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
        if (m_status != kExtractOk || out.size() > byteLimit) {
            return;
        }
    }
}

int32_t CVylCmdExtractContext::ExtractAlone(const CVylObject& object, VyByteArray& out,
                                            VyLengthArray* lengths) {
    for (std::optional<VyByteArray>& state : m_currentState) {
        state.reset();
    }
    m_status = m_dc == nullptr ? kExtractOk : ExtractObject(object, out, lengths);
    return m_status;
}
