#include "app/studio/studio_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

void Page(QPainter& p, QRectF r) {
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - 3, r.top());
    page.lineTo(r.right(), r.top() + 3);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
}

void DrawIcon(QPainter& p, VyStudioIcon icon, const QColor& ink) {
    p.setPen(QPen(ink, 1.0));
    p.setBrush(Qt::NoBrush);
    switch (icon) {
        case VyStudioIcon::kNew:
            Page(p, QRectF(3.5, 1.5, 9, 12));
            break;
        case VyStudioIcon::kOpen:
            p.setBrush(QColor(240, 200, 90));
            p.drawRect(QRectF(1.5, 4.5, 13, 8));
            p.drawLine(QPointF(1.5, 4.5), QPointF(4, 2.5));
            p.drawLine(QPointF(4, 2.5), QPointF(7, 2.5));
            break;
        case VyStudioIcon::kSave:
            p.setBrush(QColor(80, 110, 170));
            p.drawRect(QRectF(1.5, 1.5, 13, 12));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 1.5, 7, 4));
            p.drawRect(QRectF(3.5, 8.5, 9, 5));
            break;
        case VyStudioIcon::kCut:
            p.drawEllipse(QPointF(4.5, 11), 2.3, 2.3);
            p.drawEllipse(QPointF(11.5, 11), 2.3, 2.3);
            p.drawLine(QPointF(6, 9.5), QPointF(11, 1.5));
            p.drawLine(QPointF(10, 9.5), QPointF(5, 1.5));
            break;
        case VyStudioIcon::kCopy:
            Page(p, QRectF(1.5, 1.5, 8, 9));
            Page(p, QRectF(6.5, 4.5, 8, 9));
            break;
        case VyStudioIcon::kPaste:
            p.setBrush(QColor(200, 160, 100));
            p.drawRect(QRectF(2.5, 2.5, 10, 11));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(5.5, 1.5, 4, 2.5));
            Page(p, QRectF(6.5, 6.5, 7, 7.5));
            break;
        case VyStudioIcon::kSource:
            p.setPen(QPen(ink, 1.5));
            p.drawPolyline(QPolygonF({{5, 3.5}, {1.5, 7.5}, {5, 11.5}}));
            p.drawPolyline(QPolygonF({{11, 3.5}, {14.5, 7.5}, {11, 11.5}}));
            p.drawLine(QPointF(9.5, 2), QPointF(6.5, 13));
            break;
        case VyStudioIcon::kLcdOptions:
            p.setBrush(QColor(190, 215, 150));
            p.drawRect(QRectF(1.5, 2.5, 13, 9));
            p.drawLine(QPointF(5, 13.5), QPointF(11, 13.5));
            p.setBrush(ink);
            p.drawEllipse(QPointF(8, 7), 2, 2);
            break;
        case VyStudioIcon::kSerial:
            p.setBrush(QColor(120, 130, 150));
            p.drawRoundedRect(QRectF(2.5, 4.5, 11, 6), 2, 2);
            p.setBrush(ink);
            for (double x : {5.0, 8.0, 11.0}) {
                p.drawEllipse(QPointF(x, 7.5), 0.8, 0.8);
            }
            break;
        case VyStudioIcon::kTemplate:
            p.setBrush(QColor(230, 230, 240));
            p.drawRect(QRectF(4.5, 1.5, 9, 7));
            p.drawRect(QRectF(2.5, 3.5, 9, 7));
            p.drawRect(QRectF(0.5, 5.5, 9, 7));
            break;
        case VyStudioIcon::kAbout:
            p.setBrush(QColor(60, 110, 190));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(1.5, 0.5, 13, 13));
            p.setPen(QPen(Qt::white, 1.8));
            p.drawLine(QPointF(8, 6), QPointF(8, 11));
            p.drawPoint(QPointF(8, 3.5));
            break;
        case VyStudioIcon::kApplication:
            p.setBrush(QColor(52, 57, 64));
            p.drawRoundedRect(QRectF(0.5, 1.5, 15, 12), 2, 2);
            p.setBrush(QColor(224, 253, 210));
            p.drawRect(QRectF(2.5, 3.5, 11, 8));
            p.setPen(QPen(ink, 1.0));
            p.drawRect(QRectF(4, 5, 4, 3));
            p.drawLine(QPointF(9, 10), QPointF(12.5, 5));
            break;
    }
}

QPixmap Picture(VyStudioIcon icon, const QColor& ink, qreal ratio, int size) {
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    DrawIcon(painter, icon, ink);
    return pixmap;
}

}  // namespace

QIcon StudioIcon(VyStudioIcon icon) {
    QIcon result;
    const int size = icon == VyStudioIcon::kApplication ? 64 : 16;
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        result.addPixmap(Picture(icon, QColor(40, 44, 52), ratio, size), QIcon::Normal);
        result.addPixmap(Picture(icon, QColor(20, 90, 200), ratio, size), QIcon::Active);
        result.addPixmap(Picture(icon, QColor(160, 164, 172), ratio, size), QIcon::Disabled);
    }
    return result;
}
