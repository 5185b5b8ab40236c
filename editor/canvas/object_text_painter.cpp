// Text objects: laid out as the module lays them out and drawn character by
// character, each centred in the cell the module gives it.
#include <algorithm>
#include <initializer_list>

#include "editor/canvas/object_painter.h"
#include "editor/tree/code_page.h"
#include "editor/tree/decimal_text.h"

namespace {

const QColor kDotsOn(0, 0, 0);
const QColor kDotsOff(200, 200, 200);
const QColor kEmptyTextFrame(150, 200, 150);
const QColor kCutMarkColour(220, 40, 40);
constexpr int kCutMarkSize = 8;

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

// A kind letter, the numbers a sprite's look depends on and the text
// attributes that change every character, each followed by a slash.
std::string SpriteKey(std::string_view kind, std::initializer_list<int64_t> values,
                      const CVylObject& text) {
    std::string key(kind);
    for (const std::initializer_list<int64_t>& part :
         {values,
          {int64_t{IntAttr(text, kKeyKorFontIndex)}, int64_t{IntAttr(text, kKeyAlnumFontIndex)},
           int64_t{IntAttr(text, kKeyBoldState)}, int64_t{IntAttr(text, kKeyInverse)},
           int64_t{IntAttr(text, kKeyUnderline)}}}) {
        for (int64_t value : part) {
            key += DecimalText(value);
            key += '/';
        }
    }
    return key;
}

// Everything a text object's look depends on, placed where it is on the
// LCD. Where the LCD lies on screen is not part of it: a sprite is kept
// relative to the LCD's corner, so that panning reuses it.
std::string TextSpriteKey(const CVylObject& object, const VyRect& region,
                          const CVylCanvasFitContext& fit) {
    return SpriteKey(
               "T",
               {int64_t{region.left}, int64_t{region.top}, int64_t{region.right},
                int64_t{region.bottom}, int64_t{fit.right} - fit.left, int64_t{fit.resolutionX}},
               object) +
           object.Unique().GetString(kKeyTextContent);
}

}  // namespace

void CVylObjectPainter::PaintText(const CVylObject& object) {
    const VyRect region = object.GetRegion().Normalized();
    if (object.Unique().GetString(kKeyTextContent).empty()) {
        PaintDottedFrame(region, kEmptyTextFrame);
        return;
    }
    // Characters may stand a little above and beside the region.
    const int margin = Px(CellShift(1, true) / -10000.0 + 50);
    if (!Visible(ScreenRect(region), margin)) {
        return;
    }
    const QPoint corner(m_fit.left, m_fit.top);
    if (IsTooLargeForSprite(ScreenRect(region).size())) {
        // Zoomed far in: only the characters on screen are drawn, each from
        // a sprite of its own.
        for (const TextCell& cell : Cells(object, region)) {
            if (Visible(cell.box, cell.box.height())) {
                PaintTextCell(object, cell);
            }
        }
        PaintCutMark(object);
        return;
    }
    const VySprite& sprite =
        m_cache.Sprite(TextSpriteKey(object, region, m_fit) + DeviceKey(), [&] {
            VySprite made = MakeTextSprite(object, region);
            made.origin -= corner;
            return made;
        });
    if (!sprite.image.isNull()) {
        m_painter.drawImage(sprite.origin + corner, sprite.image);
    }
    PaintCutMark(object);
}

void CVylObjectPainter::PaintCutMark(const CVylObject& text) {
    const VyRect region = text.GetRegion().Normalized();
    const std::string content = text.Unique().GetString(kKeyTextContent);
    const QRect r = ScreenRect(region);
    if (content.empty() || !Visible(r, kCutMarkSize) ||
        !IsTextCut(content, m_cache.Layout(text, m_dc, region.Width(), region.Height()))) {
        return;
    }
    const QPoint corner = r.bottomRight();
    const QPoint mark[] = {corner, corner - QPoint(kCutMarkSize, 0),
                           corner - QPoint(0, kCutMarkSize)};
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(kCutMarkColour);
    m_painter.drawPolygon(mark, 3);
    m_painter.restore();
}

void CVylObjectPainter::PaintTextCell(const CVylObject& object, const TextCell& cell) {
    std::string key = SpriteKey(
        "C", {int64_t{cell.box.width()}, int64_t{cell.box.height()}, int64_t{cell.noEntry}},
        object);
    key += cell.bytes;
    const VySprite& sprite = m_cache.Sprite(key + DeviceKey(), [&] {
        TextCell placed = cell;
        placed.box.moveTopLeft(QPoint(0, 0));
        const QRect bounds =
            placed.box.adjusted(-4, -placed.box.height() / 2 - 2, 4, placed.box.height() / 2 + 2);
        VySprite made{NewSpriteImage(bounds.size()), bounds.topLeft()};
        QPainter painter(&made.image);
        painter.translate(-bounds.topLeft());
        DrawTextCell(painter, object, placed);
        return made;
    });
    m_painter.drawImage(cell.box.topLeft() + sprite.origin, sprite.image);
}

std::vector<CVylObjectPainter::TextCell> CVylObjectPainter::Cells(const CVylObject& object,
                                                                  const VyRect& region) {
    return TextCells(object, region, m_cache.Layout(object, m_dc, region.Width(), region.Height()));
}

VySprite CVylObjectPainter::MakeTextSprite(const CVylObject& object, const VyRect& region) {
    const std::vector<TextCell> cells = Cells(object, region);
    QRect bounds;
    for (const TextCell& cell : cells) {
        // Underlines reach 3 pixels beside a cell, glyphs may overhang it.
        bounds |= cell.box.adjusted(-4, -cell.box.height() / 2 - 2, 4, cell.box.height() / 2 + 2);
    }
    VySprite sprite{QImage(), bounds.topLeft()};
    if (bounds.isEmpty()) {
        return sprite;
    }
    sprite.image = NewSpriteImage(bounds.size());
    QPainter painter(&sprite.image);
    painter.translate(-bounds.topLeft());
    for (const TextCell& cell : cells) {
        DrawTextCell(painter, object, cell);
    }
    return sprite;
}

std::vector<CVylObjectPainter::TextCell> CVylObjectPainter::TextCells(
    const CVylObject& object, const VyRect& region, const std::vector<VyTextLine>& lines) const {
    const int32_t korFont = IntAttr(object, kKeyKorFontIndex);
    const bool proportional = IntAttr(object, kKeyAlnumFontIndex) == 1;
    const int32_t korHeight = m_dc.GetKorFontHeight(korFont);
    const int32_t wideAdvance = m_dc.GetKorFontWidth(korFont) + (korFont <= 1 ? 1 : 0);
    std::vector<TextCell> cells;
    if (korHeight <= 0) {
        return cells;
    }
    for (const VyTextLine& line : lines) {
        int64_t x = region.left;
        const std::string& text = line.text;
        for (size_t i = 0; i < text.size();) {
            TextCell cell;
            cell.wide = (static_cast<uint8_t>(text[i]) & 0x80) != 0 && i + 1 < text.size();
            cell.bytes = std::string_view(text.data() + i, cell.wide ? 2 : 1);
            i += cell.bytes.size();
            cell.advance = cell.wide ? wideAdvance
                                     : m_dc.GetAlnumCharWidth(korFont, proportional,
                                                              static_cast<uint8_t>(cell.bytes[0]),
                                                              &cell.noEntry);
            if (cell.advance < 0) {
                return cells;
            }
            const int64_t top = region.top + line.top + CellShift(korFont, cell.wide);
            const VyRect box = m_fit.VirtualToScreen(
                VyRect{TruncToInt32(static_cast<double>(x)), TruncToInt32(static_cast<double>(top)),
                       TruncToInt32(static_cast<double>(x + int64_t{cell.advance} * 10000)),
                       TruncToInt32(static_cast<double>(top + int64_t{korHeight} * 10000))});
            cell.box = QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
            cells.push_back(cell);
            x += int64_t{cell.advance} * 10000;
        }
    }
    return cells;
}

void CVylObjectPainter::DrawTextCell(QPainter& painter, const CVylObject& object,
                                     const TextCell& cell) {
    const int32_t korFont = IntAttr(object, kKeyKorFontIndex);
    const bool proportional = IntAttr(object, kKeyAlnumFontIndex) == 1;
    const int32_t bold = IntAttr(object, kKeyBoldState);
    const bool inverse = IntAttr(object, kKeyInverse) != 0;
    const int32_t korHeight = m_dc.GetKorFontHeight(korFont);
    const int32_t wideAdvance = m_dc.GetKorFontWidth(korFont) + (korFont <= 1 ? 1 : 0);
    if (inverse) {
        painter.fillRect(cell.box.adjusted(-1, 0, 1, 0), kDotsOn);
    }
    CVylCanvasFonts& fonts = m_cache.Fonts();
    const QFont& font =
        cell.wide ? fonts.Font(QString::fromStdString(Cp949ToUtf8(m_dc.GetKorFontFace(korFont))),
                               Px(korHeight - (wideAdvance < 11 ? 3 : 0)), Px(0.49 * wideAdvance),
                               (bold & 1) != 0, true)
        : proportional
            ? fonts.Font(QStringLiteral("Arial"), Px(korHeight),
                         Px(0.7 * m_dc.GetAlnumAverageWidth(korFont)), (bold & 2) != 0, false)
            : fonts.Font(kFixedAlnumFace, Px(korHeight), Px(0.85 * cell.advance), (bold & 2) != 0,
                         false);
    painter.setFont(font);
    painter.setPen(inverse ? kDotsOff : kDotsOn);
    painter.drawText(cell.box, Qt::AlignCenter,
                     cell.noEntry ? QStringLiteral("?") : m_cache.Character(cell.bytes));
    if (IntAttr(object, kKeyUnderline) != 0) {
        painter.fillRect(QRect(QPoint(cell.box.left() - 3, cell.box.bottom()),
                               QPoint(cell.box.right() + 3, cell.box.bottom())),
                         kDotsOn);
    }
}
