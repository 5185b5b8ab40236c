#include "tests/support/mirror_session.h"

#include <algorithm>

#include "editor/document/full_update.h"
#include "editor/image/bmp_codec.h"
#include "editor/virtual_lcd/lcd_unifont.h"

namespace {

constexpr int32_t kUnit = 10000;

// A small one-bit picture with a pattern that depends on the seed.
std::string Picture(uint32_t seed) {
    const int32_t width = 8 + static_cast<int32_t>(seed % 40);
    const int32_t height = 4 + static_cast<int32_t>(seed / 40 % 30);
    VyRaster raster = MakeRaster(width, height, 1);
    raster.palette = {0xFF000000, 0xFFFFFFFF};
    for (size_t i = 0; i < raster.pixels.size(); ++i) {
        raster.pixels[i] = (i * (seed % 7 + 2) + i / static_cast<size_t>(width)) % 3 == 0 ? 0 : 1;
    }
    return EncodeBmp(raster);
}

int32_t Coordinate(uint32_t number, int32_t span) {
    // A few dots beyond either edge, so clipping is part of the session.
    return static_cast<int32_t>(number % static_cast<uint32_t>(span + 40)) - 20;
}

std::string Text(uint32_t number) {
    static const char* const kTexts[] = {
        "A", "Hello", "\xC7\xD1\xB1\xDB", "12:34\r\nline two", "\xB0\xA1\xB3\xAA\xB4\xD9 abc", "!"};
    return kTexts[number % 6];
}

}  // namespace

MirrorSession::MirrorSession(const CVylObjectGroup& start)
    : m_drawing(start), m_mirror(&CVylUnifont::System()) {
    m_dc.InitDeviceContext(kModelVyb3224);
    m_incrementalLcd.SetGlyphs(&CVylUnifont::System());
    m_past.push_back(m_drawing);
    for (int32_t uid : m_drawing.GetZOrderList()) {
        m_nextUid = std::max(m_nextUid, uid + 1);
    }
    m_mostObjects = std::max(m_mostObjects, m_drawing.GetCount() + 16);
    Compare();
}

int32_t MirrorSession::PickUid(uint32_t number) const {
    const std::vector<int32_t>& order = m_drawing.GetZOrderList();
    return order.empty() ? -1 : order[number % order.size()];
}

void MirrorSession::Create(const NumberSource& next) {
    static constexpr int32_t kKinds[] = {kObjBox,     kObjLine,          kObjText, kObjFilledBox,
                                         kObjEllipse, kObjFilledEllipse, kObjArc,  kObjBitmap};
    const int32_t kind = kKinds[next() % 8];
    const int32_t left = Coordinate(next(), kLcdWidth);
    const int32_t top = Coordinate(next(), kLcdHeight);
    const int32_t right = left + static_cast<int32_t>(next() % 120) - 20;
    const int32_t bottom = top + static_cast<int32_t>(next() % 90) - 15;
    // Now and then a uid that an earlier object had.
    const int32_t uid = next() % 5 == 0 ? 1 + static_cast<int32_t>(next() % m_nextUid) : m_nextUid;
    if (m_drawing.GetByObjUid(uid) != nullptr) {
        return;
    }
    m_nextUid = std::max(m_nextUid, uid + 1);
    CVylObject object;
    object.SetCommonAttrs(uid, kind, {left * kUnit, top * kUnit, right * kUnit, bottom * kUnit});
    CVylObjectUniqueAttr& attrs = object.Unique();
    attrs.SetString(kKeyDotSize, std::to_string(next() % 4));
    attrs.SetString(kKeyColorSwitch, next() % 4 == 0 ? "0" : "1");
    attrs.SetString(kKeyDottedSpacing, std::to_string(next() % 3));
    if (kind == kObjText) {
        attrs.SetString(kKeyTextContent, Text(next()));
        attrs.SetString(kKeyKorFontIndex, std::to_string(next() % 9));
        attrs.SetString(kKeyAlnumFontIndex, std::to_string(next() % 2));
        attrs.SetString(kKeyBoldState, std::to_string(next() % 2));
        attrs.SetString(kKeyInverse, std::to_string(next() % 2));
        attrs.SetString(kKeyUnderline, std::to_string(next() % 2));
    } else if (kind == kObjArc) {
        attrs.SetString(kKeyStartAngle, std::to_string(next() % 360));
        attrs.SetString(kKeyEndAngle, std::to_string(next() % 360));
    } else if (kind == kObjBitmap) {
        attrs.SetBytes(kKeyBmpBin, CRevolver::FromBytes(Picture(next())));
    }
    m_drawing.InsertOnTop(uid, object);
    m_trace += "create " + std::to_string(uid) + " kind " + std::to_string(kind) + "\n";
}

void MirrorSession::ChangeAttribute(int32_t uid, const NumberSource& next) {
    CVylObject* object = m_drawing.GetByObjUid(uid);
    static const std::string_view kKeys[] = {kKeyDotSize,     kKeyColorSwitch, kKeyDottedSpacing,
                                             kKeyTextContent, kKeyInverse,     kKeyKorFontIndex};
    const std::string_view key = kKeys[next() % 6];
    const uint32_t value = next();
    object->Unique().SetString(key, key == kKeyTextContent    ? Text(value)
                                    : key == kKeyKorFontIndex ? std::to_string(value % 9)
                                                              : std::to_string(value % 3));
    m_trace += "attribute " + std::to_string(uid) + " " + std::string(key) + "\n";
}

void MirrorSession::Edit(const NumberSource& next) {
    const uint32_t choice = next() % 12;
    const int32_t uid = PickUid(next());
    if (choice == 10 || choice == 11) {
        // Undo or redo of one or many steps: the drawing jumps.
        const size_t steps = 1 + next() % (choice == 10 ? 25 : 8);
        m_position = choice == 10 ? m_position - std::min(steps, m_position)
                                  : std::min(m_position + steps, m_past.size() - 1);
        m_drawing = m_past[m_position];
        m_trace += (choice == 10 ? "undo " : "redo ") + std::to_string(steps) + "\n";
        return;
    }
    if (choice == 9) {
        m_mirror.Forget();
        m_trace += "screen lost\n";
        return;
    }
    if (uid < 0 || choice <= 1 || (choice == 2 && m_drawing.GetCount() < m_mostObjects)) {
        if (m_drawing.GetCount() >= m_mostObjects) {
            m_drawing.Delete(uid);
        } else {
            Create(next);
        }
    } else if (choice <= 3) {
        const VyPoint offset{(static_cast<int32_t>(next() % 61) - 30) * kUnit,
                             (static_cast<int32_t>(next() % 41) - 20) * kUnit};
        m_drawing.MoveRegion(uid, offset);
        m_trace += "move " + std::to_string(uid) + "\n";
    } else if (choice == 4) {
        VyRect region = m_drawing.GetRegion(uid);
        region.right += (static_cast<int32_t>(next() % 41) - 20) * kUnit;
        region.bottom += (static_cast<int32_t>(next() % 31) - 15) * kUnit;
        m_drawing.ModifyRegion(uid, region);
        m_trace += "resize " + std::to_string(uid) + "\n";
    } else if (choice == 5) {
        m_drawing.Delete(uid);
        m_trace += "delete " + std::to_string(uid) + "\n";
    } else if (choice <= 7) {
        ChangeAttribute(uid, next);
    } else {
        if (next() % 2 == 0) {
            m_drawing.MoveUidUp(uid);
        } else {
            m_drawing.MoveUidDown(uid);
        }
        m_trace += "stack " + std::to_string(uid) + "\n";
    }
    Remember();
}

void MirrorSession::Remember() {
    m_past.resize(m_position + 1);
    m_past.push_back(m_drawing);
    m_position = m_past.size() - 1;
}

std::string MirrorSession::Step(const NumberSource& next) {
    Edit(next);
    return Compare();
}

std::string MirrorSession::Compare() {
    const VyLcdUpdatePlan plan = m_mirror.PlanUpdate(m_dc, m_drawing, true);
    ++m_updates;
    CVylObjectGroup copy = m_drawing;
    VyByteArray full;
    VyLengthArray fullLengths;
    BuildFullLcdUpdate(m_dc, copy, full, fullLengths);
    m_fullBytes += static_cast<int64_t>(full.size());
    m_incrementalBytes += static_cast<int64_t>(plan.bytes.size());
    if (!plan.full) {
        ++m_incremental;
    }
    if (plan.fullBytes != static_cast<int64_t>(full.size())) {
        return "the plan tells another full size";
    }
    const std::string answers = m_incrementalLcd.Feed(
        std::string_view(reinterpret_cast<const char*>(plan.bytes.data()), plan.bytes.size()));
    if (answers.size() != plan.lengths.size() || m_incrementalLcd.GetPendingBytes() != 0 ||
        m_incrementalLcd.GetGarbageBytes() != 0) {
        return "the update is not a run of whole commands";
    }
    const CVylLcdFrame expected =
        ScreenOfCommands(std::string_view(reinterpret_cast<const char*>(full.data()), full.size()),
                         &CVylUnifont::System());
    if (!(m_incrementalLcd.GetFrame() == expected)) {
        return std::string("the screens differ after a ") + (plan.full ? "full" : "partial") +
               " update";
    }
    return {};
}
