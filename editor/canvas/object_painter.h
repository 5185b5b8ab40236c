// Paints drawing objects as the LCD shows them: line widths and dotted
// patterns in LCD dots at the canvas's scale, texts laid out exactly as the
// module lays them out, pictures with white left transparent. Ellipses,
// texts and pictures are drawn once into sprites and then only copied.
#pragma once

#include <QPainter>
#include <QRect>
#include <string_view>
#include <vector>

#include "editor/canvas/canvas_fit.h"
#include "editor/canvas/paint_cache.h"
#include "editor/model/device_context.h"
#include "editor/model/drawing_object.h"

// A 1-pixel pen that leaves every other pixel: frames of what is empty,
// the selection frame, the selection's centre mark.
QPen DottedPen(const QColor& colour);

class CVylObjectPainter {
  public:
    // Objects wholly outside clip are skipped.
    CVylObjectPainter(QPainter& painter, const CVylCanvasFitContext& fit,
                      const CVylDeviceContext& dc, CVylPaintCache& cache, const QRect& clip);

    void Paint(const CVylObject& object);
    // A red corner on a text the module cuts (its box is too small for it).
    void PaintCutMark(const CVylObject& text);

    // trunc(scale x n), but at least 1 pixel.
    int Px(double dots) const;

  private:
    // One character of a text, where the module puts it.
    struct TextCell {
        QRect box;
        std::string_view bytes;
        bool wide = false;
        bool noEntry = false;
        int32_t advance = 0;
    };

    QColor DotColour(const CVylObject& object) const;
    QPen OutlinePen(const CVylObject& object, bool forceSolid) const;
    QRect ScreenRect(const VyRect& region) const;
    bool Visible(const QRect& area, int margin) const;
    // A sprite larger than the area painted costs more than drawing what
    // shows: so it is when zoomed far in.
    bool IsTooLargeForSprite(QSize size) const;
    // A transparent sprite picture of the size for the painter's device,
    // and the part of a sprite's key that says which device it is for.
    QImage NewSpriteImage(QSize size) const;
    std::string DeviceKey() const;
    void PaintLine(const CVylObject& object);
    void PaintBox(const CVylObject& object);
    void PaintFilledBox(const CVylObject& object);
    void PaintEllipse(const CVylObject& object, bool filled, bool inclusive);
    void PaintBitmap(const CVylObject& object);
    void PaintDottedFrame(const VyRect& region, const QColor& colour);

    // Texts (object_text_painter.cpp).
    void PaintText(const CVylObject& object);
    VySprite MakeTextSprite(const CVylObject& object, const VyRect& region);
    std::vector<TextCell> Cells(const CVylObject& object, const VyRect& region);
    void PaintTextCell(const CVylObject& object, const TextCell& cell);
    std::vector<TextCell> TextCells(const CVylObject& object, const VyRect& region,
                                    const std::vector<VyTextLine>& lines) const;
    void DrawTextCell(QPainter& painter, const CVylObject& object, const TextCell& cell);

    QPainter& m_painter;
    const CVylCanvasFitContext& m_fit;
    const CVylDeviceContext& m_dc;
    CVylPaintCache& m_cache;
    QRect m_clip;
    double m_scale;
    qreal m_pixelRatio;
};

// An attribute of the unique tree as the number its text holds.
int32_t IntAttr(const CVylObject& object, std::string_view key);
