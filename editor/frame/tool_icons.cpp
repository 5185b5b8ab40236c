#include "editor/frame/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "editor/canvas/canvas_core.h"

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

void DrawArrow(QPainter& p, const QColor& colour) {
    QPainterPath arrow;
    arrow.moveTo(4, 1.5);
    arrow.lineTo(4, 12.5);
    arrow.lineTo(6.8, 9.8);
    arrow.lineTo(9, 14);
    arrow.lineTo(10.8, 13.1);
    arrow.lineTo(8.7, 9);
    arrow.lineTo(12.5, 9);
    arrow.closeSubpath();
    p.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void DrawText(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(3, 3), QPointF(13, 3));
    p.drawLine(QPointF(8, 3), QPointF(8, 13));
    p.setPen(QPen(colour, 1.0));
    p.drawLine(QPointF(6, 13), QPointF(10, 13));
}

void DrawPicture(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 2.5, 13, 10));
    QPainterPath hills;
    hills.moveTo(2, 12);
    hills.lineTo(6, 7);
    hills.lineTo(9, 10);
    hills.lineTo(11, 8);
    hills.lineTo(14, 12);
    hills.closeSubpath();
    p.fillPath(hills, colour);
    p.setBrush(colour);
    p.drawEllipse(QPointF(11, 5.5), 1.2, 1.2);
}

void DrawTool(QPainter& p, int32_t tool, const QColor& colour) {
    const QRectF shape(2.5, 2.5, 11, 10);
    p.setPen(QPen(colour, 1.5));
    p.setBrush(Qt::NoBrush);
    switch (tool) {
        case kToolSelect:
            DrawArrow(p, colour);
            break;
        case kToolBox:
            p.drawRect(shape);
            break;
        case kToolFilledBox:
            p.setBrush(colour);
            p.drawRect(shape);
            break;
        case kToolEllipse:
            p.drawEllipse(shape);
            break;
        case kToolFilledEllipse:
            p.setBrush(colour);
            p.drawEllipse(shape);
            break;
        case kToolLine:
            p.drawLine(QPointF(2.5, 12.5), QPointF(13.5, 2.5));
            break;
        case kToolText:
            DrawText(p, colour);
            break;
        default:
            DrawPicture(p, colour);
            break;
    }
}

QPixmap Picture(int32_t tool, const QColor& colour, qreal ratio) {
    QPixmap pixmap(QSize(kWidth, kHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawTool(painter, tool, colour);
    return pixmap;
}

}  // namespace

QIcon ToolIcon(int32_t tool) {
    QIcon icon;
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        icon.addPixmap(Picture(tool, QColor(40, 44, 52), ratio), QIcon::Normal);
        icon.addPixmap(Picture(tool, QColor(20, 90, 200), ratio), QIcon::Active);
        icon.addPixmap(Picture(tool, QColor(160, 164, 172), ratio), QIcon::Disabled);
    }
    return icon;
}
