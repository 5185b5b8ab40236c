#include "editor/canvas/object_painter.h"

#include <algorithm>

#include "editor/tree/decimal_text.h"

namespace {

const QColor kDotsOn(0, 0, 0);
const QColor kDotsOff(200, 200, 200);
const QColor kEmptyPictureFrame(250, 20, 70);

// Sprites larger than this are not kept: such shapes are drawn directly.
constexpr int64_t kLargestSprite = int64_t{2048} * 2048;

}  // namespace

int32_t IntAttr(const CVylObject& object, std::string_view key) {
    return AtoiValue(object.Unique().GetString(key));
}

QPen DottedPen(const QColor& colour) {
    QPen pen(colour, 1, Qt::CustomDashLine);
    pen.setDashPattern({1.0, 1.0});
    return pen;
}

CVylObjectPainter::CVylObjectPainter(QPainter& painter, const CVylCanvasFitContext& fit,
                                     const CVylDeviceContext& dc, CVylPaintCache& cache,
                                     const QRect& clip)
    : m_painter(painter),
      m_fit(fit),
      m_dc(dc),
      m_cache(cache),
      m_clip(clip),
      m_scale(fit.GetScale()),
      m_pixelRatio(painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0) {}

QImage CVylObjectPainter::NewSpriteImage(QSize size) const {
    QImage image((QSizeF(size) * m_pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(m_pixelRatio);
    image.fill(Qt::transparent);
    return image;
}

std::string CVylObjectPainter::DeviceKey() const {
    return "@" + DecimalText(qRound(m_pixelRatio * 100));
}

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

bool CVylObjectPainter::IsTooLargeForSprite(QSize size) const {
    const int64_t area = int64_t{size.width()} * size.height();
    return area > kLargestSprite || area > int64_t{m_clip.width()} * m_clip.height();
}

bool CVylObjectPainter::Visible(const QRect& area, int margin) const {
    return area.adjusted(-margin, -margin, margin, margin).intersects(m_clip);
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
            PaintEllipse(object, false, true);
            break;
        case kObjArc:
            PaintEllipse(object, false, false);
            break;
        case kObjFilledEllipse:
            PaintEllipse(object, true, true);
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

void CVylObjectPainter::PaintLine(const CVylObject& object) {
    const VyRect r = m_fit.VirtualToScreen(object.GetRegion());
    const QPen pen = OutlinePen(object, false);
    if (!Visible(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)).normalized(),
                 pen.width())) {
        return;
    }
    m_painter.setPen(pen);
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
    if (!Visible(r, pen.width())) {
        return;
    }
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
    const QRect r = ScreenRect(object.GetRegion());
    if (Visible(r, 0)) {
        m_painter.fillRect(r.intersected(m_clip), DotColour(object));
    }
}

// Drawn into a sprite of its size, pen and colour, kept for every ellipse
// that looks the same wherever it lies.
void CVylObjectPainter::PaintEllipse(const CVylObject& object, bool filled, bool inclusive) {
    QRect r = ScreenRect(object.GetRegion());
    if (!inclusive) {
        r.adjust(0, 0, -1, -1);
    }
    const QPen pen = filled ? QPen(DotColour(object), 1) : OutlinePen(object, true);
    const int margin = pen.width() + 1;
    if (!Visible(r, margin)) {
        return;
    }
    const auto draw = [&](QPainter& painter, const QRect& at) {
        painter.setPen(pen);
        painter.setBrush(filled ? QBrush(DotColour(object)) : QBrush(Qt::NoBrush));
        painter.drawEllipse(at);
        painter.setBrush(Qt::NoBrush);
    };
    const QSize size = r.size() + QSize(2 * margin, 2 * margin);
    if (IsTooLargeForSprite(size)) {
        draw(m_painter, r);
        return;
    }
    const std::string key = std::string(filled ? "F" : "E") + DecimalText(r.width()) + "x" +
                            DecimalText(r.height()) + "/" + DecimalText(pen.width()) + "/" +
                            DecimalText(pen.color().rgb()) + DeviceKey();
    const VySprite& sprite = m_cache.Sprite(key, [&] {
        VySprite made{NewSpriteImage(size), QPoint(-margin, -margin)};
        QPainter painter(&made.image);
        draw(painter, QRect(QPoint(margin, margin), r.size()));
        return made;
    });
    m_painter.drawImage(r.topLeft() + sprite.origin, sprite.image);
}

void CVylObjectPainter::PaintDottedFrame(const VyRect& region, const QColor& colour) {
    m_painter.setPen(DottedPen(colour));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(ScreenRect(region));
}

// Scaled to the region's size on screen, right and bottom edges included.
void CVylObjectPainter::PaintBitmap(const CVylObject& object) {
    const VyRect region = object.GetRegion();
    const CFxAssignEntry* bytes = object.Unique().Find(kKeyBmpBin);
    const bool hasPicture = bytes != nullptr && bytes->GetKind() == CFxAssignEntry::kBytes &&
                            bytes->Bytes().GetLength() > 0;
    const QRect r = ScreenRect(region);
    if (!Visible(r, 1)) {
        return;
    }
    const QImage& original = hasPicture ? m_cache.Picture(bytes->Bytes().View()) : QImage();
    if (original.isNull()) {
        PaintDottedFrame(region, kEmptyPictureFrame);
    } else if (IsTooLargeForSprite(r.size())) {
        m_painter.drawImage(r, original);
    } else {
        m_painter.drawImage(r.topLeft(),
                            m_cache.Picture(bytes->Bytes().View(), r.size(), m_pixelRatio));
    }
}
