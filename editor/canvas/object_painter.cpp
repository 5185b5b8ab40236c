#include "object_painter.h"

#include <algorithm>
#include <cmath>

#include "editor/image/bmp_codec.h"
#include "editor/image/image_decoder.h"
#include "editor/tree/code_page.h"
#include "editor/tree/decimal_text.h"

namespace {

// Caches are dropped whole once they hold this many entries.
constexpr size_t kCacheLimit = 512;

const QColor kDotsOn(0, 0, 0);
const QColor kDotsOff(200, 200, 200);
const QColor kEmptyTextFrame(150, 200, 150);
const QColor kEmptyPictureFrame(250, 20, 70);

int32_t IntAttr(const CVylObject& object, std::string_view key) {
    return AtoiValue(object.Unique().GetString(key));
}

QString ToQString(std::string_view cp949) {
    return QString::fromStdString(Cp949ToUtf8(cp949));
}

// Vertical shift of the character cells, in 1/10000 dot.
int64_t CellShift(int32_t fontIndex, bool wide) {
    if (fontIndex == 0) {
        return -20000;
    }
    if (fontIndex == 1) {
        return wide ? -30000 : -20000;
    }
    return 0;
}

template <typename Map>
void Bound(Map& map) {
    if (map.size() >= kCacheLimit) {
        map.clear();
    }
}

}  // namespace

const QImage& CVylPaintCache::Picture(std::string_view bmpFile) {
    const auto found = m_pictures.find(bmpFile);
    if (found != m_pictures.end()) {
        return found->second;
    }
    Bound(m_pictures);
    std::string key(bmpFile);
    QImage picture;
    if (const std::optional<VyRaster> raster = DecodeBmp(bmpFile)) {
        picture = QImageFromRaster(*raster).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                if ((line[x] & 0xFFFFFF) == 0xFFFFFF) {
                    line[x] = 0;  // white dots are off: the LCD shows through
                }
            }
        }
    }
    return m_pictures.emplace(key, std::move(picture)).first->second;
}

const QString& CVylPaintCache::Character(std::string_view bytes) {
    const auto code = static_cast<uint16_t>(
        bytes.size() == 2 ? (static_cast<uint8_t>(bytes[0]) << 8) | static_cast<uint8_t>(bytes[1])
                          : static_cast<uint8_t>(bytes[0]));
    const auto found = m_characters.constFind(code);
    if (found != m_characters.constEnd()) {
        return *found;
    }
    QString character = ToQString(bytes);
    if (character.isEmpty() || (character.trimmed().isEmpty() && bytes != " ")) {
        character = QStringLiteral("?");
    }
    return *m_characters.insert(code, character);
}

const std::vector<VyTextLine>& CVylPaintCache::Layout(const CVylObject& text,
                                                      const CVylDeviceContext& dc, int64_t width,
                                                      int64_t height) {
    const std::string content = text.Unique().GetString(kKeyTextContent);
    const int32_t korFont = IntAttr(text, kKeyKorFontIndex);
    const int32_t alnumFont = IntAttr(text, kKeyAlnumFontIndex);
    std::string key = DecimalText(korFont) + "/" + DecimalText(alnumFont) + "/" +
                      DecimalText(width) + "/" + DecimalText(height) + "/" + content;
    const auto found = m_layouts.find(key);
    if (found != m_layouts.end()) {
        return found->second;
    }
    Bound(m_layouts);
    return m_layouts
        .emplace(std::move(key), LayoutTextInBox(content, korFont, alnumFont, width, height, dc))
        .first->second;
}

CVylObjectPainter::CVylObjectPainter(QPainter& painter, const CVylCanvasFitContext& fit,
                                     const CVylDeviceContext& dc, CVylPaintCache& cache)
    : m_painter(painter), m_fit(fit), m_dc(dc), m_cache(cache), m_scale(fit.GetScale()) {}

int CVylObjectPainter::Px(double dots) const {
    const double pixels = m_scale * dots;
    return pixels < 1 ? 1 : TruncToInt32(pixels);
}

QColor CVylObjectPainter::DotColour(const CVylObject& object) const {
    return IntAttr(object, kKeyColorSwitch) != 0 ? kDotsOn : kDotsOff;
}

// Dashes as long as the line is wide, gaps of the dotted spacing less the
// width; no gap draws a solid line.
QPen CVylObjectPainter::OutlinePen(const CVylObject& object, bool forceSolid) const {
    const int width = Px(IntAttr(object, kKeyDotSize) + 1.0);
    const int spacing = Px(IntAttr(object, kKeyDottedSpacing));
    const int gap = std::max(0, spacing - width);
    QPen pen(DotColour(object), width);
    pen.setJoinStyle(Qt::MiterJoin);
    if (forceSolid || gap == 0) {
        pen.setCapStyle(Qt::SquareCap);
    } else {
        pen.setCapStyle(Qt::FlatCap);
        // Qt measures dash patterns in pen widths.
        pen.setDashPattern({1.0, static_cast<qreal>(gap) / width});
    }
    return pen;
}

QRect CVylObjectPainter::ScreenRect(const VyRect& region) const {
    const VyRect r = m_fit.VirtualToScreen(region.Normalized());
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

void CVylObjectPainter::Paint(const CVylObject& object) {
    switch (object.GetKind()) {
        case kObjLine:
            PaintLine(object);
            break;
        case kObjBox:
            PaintBox(object);
            break;
        case kObjFilledBox:
            PaintFilledBox(object);
            break;
        case kObjEllipse:
            PaintEllipse(object, true);
            break;
        case kObjArc:
            PaintEllipse(object, false);
            break;
        case kObjFilledEllipse:
            PaintFilledEllipse(object);
            break;
        case kObjText:
            PaintText(object);
            break;
        case kObjBitmap:
            PaintBitmap(object);
            break;
        default:
            break;
    }
}

// From the start corner to the end corner: a line keeps its direction.
void CVylObjectPainter::PaintLine(const CVylObject& object) {
    const VyRect r = m_fit.VirtualToScreen(object.GetRegion());
    m_painter.setPen(OutlinePen(object, false));
    // Through the pixel centres, so that both end pixels belong to the line
    // and its dashes start at its start whichever way it runs.
    m_painter.drawLine(QPointF(r.left + 0.5, r.top + 0.5), QPointF(r.right + 0.5, r.bottom + 0.5));
}

// The sides lie inside the region's right and bottom edges, as the LCD
// draws thick outlines.
void CVylObjectPainter::PaintBox(const CVylObject& object) {
    const QPen pen = OutlinePen(object, false);
    const int offset = pen.width() / 2;  // ceil((w - 1) / 2)
    const QRect r = ScreenRect(object.GetRegion()).translated(offset, offset);
    m_painter.setPen(pen);
    const QPoint a = r.topLeft();
    const QPoint b(r.right(), r.top());
    const QPoint c = r.bottomRight();
    const QPoint d(r.left(), r.bottom());
    m_painter.drawLine(a, b);
    m_painter.drawLine(b, c);
    m_painter.drawLine(c, d);
    m_painter.drawLine(d, a);
}

void CVylObjectPainter::PaintFilledBox(const CVylObject& object) {
    m_painter.fillRect(ScreenRect(object.GetRegion()), DotColour(object));
}

void CVylObjectPainter::PaintEllipse(const CVylObject& object, bool inclusive) {
    const QRect r = ScreenRect(object.GetRegion());
    m_painter.setPen(OutlinePen(object, true));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawEllipse(inclusive ? r : r.adjusted(0, 0, -1, -1));
}

void CVylObjectPainter::PaintFilledEllipse(const CVylObject& object) {
    const QRect r = ScreenRect(object.GetRegion());
    m_painter.setPen(QPen(DotColour(object), 1));
    m_painter.setBrush(DotColour(object));
    m_painter.drawEllipse(r);
    m_painter.setBrush(Qt::NoBrush);
}

QPen DottedPen(const QColor& colour) {
    QPen pen(colour, 1, Qt::CustomDashLine);
    pen.setDashPattern({1.0, 1.0});
    return pen;
}

void CVylObjectPainter::PaintDottedFrame(const VyRect& region, const QColor& colour) {
    m_painter.setPen(DottedPen(colour));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(ScreenRect(region));
}

void CVylObjectPainter::PaintText(const CVylObject& object) {
    const VyRect region = object.GetRegion().Normalized();
    if (object.Unique().GetString(kKeyTextContent).empty()) {
        PaintDottedFrame(region, kEmptyTextFrame);
        return;
    }
    const std::vector<VyTextLine>& lines =
        m_cache.Layout(object, m_dc, region.Width(), region.Height());
    for (const VyTextLine& line : lines) {
        VyTextLine placed = line;
        placed.top += region.top;
        PaintTextLine(object, placed, region.left);
    }
}

// Character by character in the cells the module gives them, each centred
// in its cell.
void CVylObjectPainter::PaintTextLine(const CVylObject& object, const VyTextLine& line,
                                      int64_t left) {
    const int32_t korFont = IntAttr(object, kKeyKorFontIndex);
    const bool proportional = IntAttr(object, kKeyAlnumFontIndex) == 1;
    const int32_t bold = IntAttr(object, kKeyBoldState);
    const bool inverse = IntAttr(object, kKeyInverse) != 0;
    const bool underline = IntAttr(object, kKeyUnderline) != 0;
    const int32_t korHeight = m_dc.GetKorFontHeight(korFont);
    const int32_t wideAdvance = m_dc.GetKorFontWidth(korFont) + (korFont <= 1 ? 1 : 0);
    const QString korFace = ToQString(m_dc.GetKorFontFace(korFont));
    m_painter.setPen(inverse ? kDotsOff : kDotsOn);
    int64_t x = left;
    const std::string& text = line.text;
    for (size_t i = 0; i < text.size();) {
        const bool wide = (static_cast<uint8_t>(text[i]) & 0x80) != 0 && i + 1 < text.size();
        const std::string_view bytes(text.data() + i, wide ? 2 : 1);
        i += bytes.size();
        bool noEntry = false;
        const int32_t advance =
            wide ? wideAdvance
                 : m_dc.GetAlnumCharWidth(korFont, proportional, static_cast<uint8_t>(bytes[0]),
                                          &noEntry);
        if (advance < 0 || korHeight <= 0) {
            return;
        }
        const int64_t top = line.top + CellShift(korFont, wide);
        const VyRect cell =
            m_fit.VirtualToScreen(VyRect{static_cast<int32_t>(x), static_cast<int32_t>(top),
                                         static_cast<int32_t>(x + int64_t{advance} * 10000),
                                         static_cast<int32_t>(top + int64_t{korHeight} * 10000)});
        const QRect box(QPoint(cell.left, cell.top), QPoint(cell.right - 1, cell.bottom - 1));
        if (inverse) {
            m_painter.fillRect(box.adjusted(-1, 0, 1, 0), kDotsOn);
        }
        const QFont& font =
            wide ? m_cache.Fonts().Font(korFace, Px(korHeight - (wideAdvance < 11 ? 3 : 0)),
                                        Px(0.49 * wideAdvance), (bold & 1) != 0, true)
            : proportional ? m_cache.Fonts().Font(QStringLiteral("Arial"), Px(korHeight),
                                                  Px(0.7 * m_dc.GetAlnumAverageWidth(korFont)),
                                                  (bold & 2) != 0, false)
                           : m_cache.Fonts().Font(kFixedAlnumFace, Px(korHeight),
                                                  Px(0.85 * advance), (bold & 2) != 0, false);
        m_painter.setFont(font);
        m_painter.drawText(box, Qt::AlignCenter,
                           noEntry ? QStringLiteral("?") : m_cache.Character(bytes));
        if (underline) {
            m_painter.fillRect(
                QRect(QPoint(box.left() - 3, box.bottom()), QPoint(box.right() + 3, box.bottom())),
                kDotsOn);
        }
        x += int64_t{advance} * 10000;
    }
}

void CVylObjectPainter::PaintBitmap(const CVylObject& object) {
    const VyRect region = object.GetRegion();
    const CFxAssignEntry* bytes = object.Unique().Find(kKeyBmpBin);
    const QImage* picture = nullptr;
    if (bytes != nullptr && bytes->GetKind() == CFxAssignEntry::kBytes &&
        bytes->Bytes().GetLength() > 0) {
        picture = &m_cache.Picture(bytes->Bytes().View());
    }
    if (picture == nullptr || picture->isNull()) {
        PaintDottedFrame(region, kEmptyPictureFrame);
        return;
    }
    // The region's size on screen, its right and bottom edges included.
    m_painter.drawImage(ScreenRect(region), *picture);
}
