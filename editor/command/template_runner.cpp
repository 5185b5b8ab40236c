// A template is a list of steps "operation:width:argument~modifier:option";
// each step appends bytes computed from the object, the escape step also
// marks where one LCD command ends and the next begins.
#include "editor/command/template_runner.h"

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

constexpr std::array<std::string_view, 8> kRegionNames = {
    "left", "top", "right", "bottom", "center_x", "center_y", "half_width", "half_height"};

int32_t RegionIndex(std::string_view name) {
    const auto it = std::find(kRegionNames.begin(), kRegionNames.end(), name);
    return it == kRegionNames.end() ? -1 : static_cast<int32_t>(it - kRegionNames.begin());
}

// The region as the commands place it: a text and a picture by their top
// left corner, whichever way they were drawn.
VyRect PlacedRegion(const CVylObject& object) {
    const VyRect r = object.GetRegion();
    const int32_t kind = object.GetKind();
    return kind == kObjText || kind == kObjBitmap ? r.Normalized() : r;
}

int64_t RegionValue(const VyRect& r, int32_t which) {
    const VyRect n = r.Normalized();
    switch (which) {
        case 0:
            return r.left;
        case 1:
            return r.top;
        case 2:
            return r.right;
        case 3:
            return r.bottom;
        case 4:
            return (static_cast<int64_t>(r.left) + r.right) / 2;
        case 5:
            return (static_cast<int64_t>(r.top) + r.bottom) / 2;
        case 6:
            return n.Width() / 2;
        default:
            return n.Height() / 2;
    }
}

using Op = CVylCommandTemplate::Op;
using Step = CVylCommandTemplate::Step;

Op OperationOf(std::string_view name) {
    static constexpr std::pair<std::string_view, Op> kOperations[] = {
        {"loop_start", Op::kLoopStart},
        {"loop_end", Op::kLoopEnd},
        {"esc", Op::kEscape},
        {"st", Op::kString},
        {"hx", Op::kHex},
        {"sv", Op::kStringValue},
        {"sp", Op::kStringPerLine},
        {"rs", Op::kRegion},
        {"iv", Op::kIntegerValue},
        {"ip", Op::kIntegerPerLine},
        {"ic", Op::kIntegerConstant},
        {"bv", Op::kBytesValue},
    };
    for (const auto& [text, op] : kOperations) {
        if (text == name) {
            return op;
        }
    }
    return Op::kNone;
}

// A step is "operation:width:argument~modifier:option"; an empty cell or an
// unknown operation does nothing, but keeps its place for the loops.
Step ParseStep(std::string_view cell) {
    Step step;
    if (cell.empty()) {
        return step;
    }
    std::array<std::string_view, 4> fields{};
    const std::vector<std::string_view> pieces = SplitKeepingEmpty(cell, ':');
    for (size_t i = 0; i < pieces.size() && i < fields.size(); ++i) {
        fields[i] = pieces[i];
    }
    step.op = OperationOf(fields[0]);
    step.loopKey = fields[1];
    step.width = AtoiValue(fields[1]);
    std::string_view argument = fields[2];
    std::string_view modifier;
    const size_t tilde = argument.rfind('~');
    if (tilde != std::string_view::npos) {
        modifier = tilde == 0 ? std::string_view() : argument.substr(tilde);
        argument = argument.substr(0, tilde);
    }
    step.argument = argument;
    step.fitBitmap = modifier == "~fit_bmp";
    step.cancelIfEmpty = fields[3] == "cancel_if_this_is_zero_length";
    if (step.op == Op::kHex) {
        step.constant = HexValue(argument) & 0xFF;
    } else if (step.op == Op::kIntegerConstant) {
        step.constant = AtoiValue(argument);
    } else if (step.op == Op::kRegion) {
        step.region = RegionIndex(argument);
    }
    return step;
}

// Writes straight into the output; a failure or a cancel takes back what
// the run wrote.
class TemplateRun {
  public:
    TemplateRun(const CVylObject& object, uint8_t escape, VyByteArray& bytes,
                VyLengthArray* lengths)
        : m_object(object),
          m_escape(escape),
          m_bytes(bytes),
          m_lengths(lengths),
          m_start(bytes.size()),
          m_lengthsStart(lengths != nullptr ? lengths->size() : 0),
          m_mark(bytes.size()) {}

    int32_t Run(const std::vector<Step>& steps) {
        for (size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            if (step.op == Op::kLoopStart) {
                m_passes = std::min(AtoiValue(Text(step.loopKey)), kMaxLoopPasses);
                m_loopStart = i;
                m_loopIndex = 0;
            } else if (step.op == Op::kLoopEnd) {
                if (++m_loopIndex < m_passes && m_loopStart) {
                    i = *m_loopStart;
                }
            } else if (step.op != Op::kNone) {
                const int32_t status = Perform(step);
                if (status != kExtractOk) {
                    TakeBack();
                    return status;
                }
                if (m_cancelled) {
                    TakeBack();
                    return kExtractOk;
                }
            }
        }
        CloseCommand();
        return kExtractOk;
    }

  private:
    void TakeBack() {
        m_bytes.resize(m_start);
        if (m_lengths != nullptr) {
            m_lengths->resize(m_lengthsStart);
        }
    }

    // A text attribute, read in place; "" when absent or not a text.
    std::string_view Text(std::string_view key) const {
        const CFxAssignEntry* entry = m_object.Unique().Find(key);
        return entry != nullptr && entry->GetKind() == CFxAssignEntry::kText ? entry->Text()
                                                                             : std::string_view();
    }
    std::string_view IndexedKey(std::string_view key) {
        m_key.assign(key);
        m_key += DecimalText(m_loopIndex);
        return m_key;
    }
    const VyRect& Region() {
        if (!m_region) {
            m_region = PlacedRegion(m_object);
        }
        return *m_region;
    }

    void CloseCommand() {
        if (m_bytes.size() != m_mark && m_lengths != nullptr) {
            m_lengths->push_back(static_cast<uint32_t>(m_bytes.size() - m_mark));
        }
    }

    void AppendText(std::string_view text) {
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
        if (stored.empty() && step.cancelIfEmpty) {
            m_cancelled = true;
            return kExtractOk;
        }
        if (step.fitBitmap) {
            AppendText(FitBitmapToRegion(stored, m_object.GetRegion()));
        } else {
            AppendText(stored);
        }
        return kExtractOk;
    }

    int32_t Perform(const Step& step) {
        switch (step.op) {
            case Op::kEscape:
                CloseCommand();
                m_mark = m_bytes.size();
                m_bytes.push_back(m_escape);
                break;
            case Op::kString:
                AppendText(step.argument);
                break;
            case Op::kHex:
                m_bytes.push_back(static_cast<uint8_t>(step.constant));
                break;
            case Op::kStringValue:
                AppendText(Text(step.argument));
                break;
            case Op::kStringPerLine:
                AppendText(Text(IndexedKey(step.argument)));
                break;
            case Op::kRegion:
                if (step.region >= 0) {
                    AppendWord(m_bytes, RegionValue(Region(), step.region) / kUnitsPerDot);
                }
                break;
            case Op::kIntegerValue:
                return AppendInteger(step.width, AtoiValue(Text(step.argument)));
            case Op::kIntegerPerLine:
                return AppendInteger(step.width, AtoiValue(Text(IndexedKey(step.argument))));
            case Op::kIntegerConstant:
                return AppendInteger(step.width, step.constant);
            case Op::kBytesValue:
                return AppendBytesAttr(step);
            default:
                break;
        }
        return kExtractOk;
    }

    const CVylObject& m_object;
    uint8_t m_escape;
    VyByteArray& m_bytes;
    VyLengthArray* m_lengths;
    size_t m_start;
    size_t m_lengthsStart;
    size_t m_mark;
    std::optional<VyRect> m_region;
    std::string m_key;
    int32_t m_loopIndex = 0;
    int32_t m_passes = 0;
    std::optional<size_t> m_loopStart;
    bool m_cancelled = false;
};

}  // namespace

CVylCommandTemplate::CVylCommandTemplate(const std::vector<std::string>& steps) {
    m_steps.reserve(steps.size());
    for (const std::string& cell : steps) {
        m_steps.push_back(ParseStep(cell));
    }
}

int32_t RunCommandTemplate(const CVylCommandTemplate& steps, const CVylObject& object,
                           uint8_t escape, VyByteArray& bytes, VyLengthArray* lengths) {
    return TemplateRun(object, escape, bytes, lengths).Run(steps.Steps());
}

int32_t RunCommandTemplate(const std::vector<std::string>& steps, const CVylObject& object,
                           const CFxAssignGroupEx& params, VyByteArray& bytes,
                           VyLengthArray* lengths) {
    return RunCommandTemplate(CVylCommandTemplate(steps), object,
                              static_cast<uint8_t>(params.GetInt("escape_code", 0)), bytes,
                              lengths);
}
