// Paints drawing objects as the LCD shows them: line widths and dotted
// patterns in LCD dots at the canvas's scale, texts laid out exactly as the
// module lays them out, pictures with white left transparent.
#pragma once

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>
#include <string>
#include <unordered_map>
#include <vector>

#include "editor/canvas/canvas_fit.h"
#include "editor/canvas/canvas_fonts.h"
#include "editor/command/text_layout.h"
#include "editor/model/device_context.h"
#include "editor/model/drawing_object.h"

// What stays valid from one paint to the next: fonts, decoded pictures,
// converted characters and laid-out texts. Bounded, so that a long session
// does not grow it without end.
class CVylPaintCache {
  public:
    CVylCanvasFonts& Fonts() { return m_fonts; }
    // The picture of a BMP file with white made transparent; null when the
    // bytes are no readable picture.
    const QImage& Picture(std::string_view bmpFile);
    // One character of the system code page (one or two bytes).
    const QString& Character(std::string_view bytes);
    const std::vector<VyTextLine>& Layout(const CVylObject& text, const CVylDeviceContext& dc,
                                          int64_t width, int64_t height);

  private:
    // Looked up by the bytes themselves, without copying them.
    struct BytesHash {
        using is_transparent = void;
        size_t operator()(std::string_view bytes) const {
            return std::hash<std::string_view>()(bytes);
        }
    };

    CVylCanvasFonts m_fonts;
    std::unordered_map<std::string, QImage, BytesHash, std::equal_to<>> m_pictures;
    QHash<uint16_t, QString> m_characters;
    std::unordered_map<std::string, std::vector<VyTextLine>> m_layouts;
};

// A 1-pixel pen that leaves every other pixel: frames of what is empty,
// the selection frame, the selection's centre mark.
QPen DottedPen(const QColor& colour);

class CVylObjectPainter {
  public:
    CVylObjectPainter(QPainter& painter, const CVylCanvasFitContext& fit,
                      const CVylDeviceContext& dc, CVylPaintCache& cache);

    void Paint(const CVylObject& object);

    // trunc(scale x n), but at least 1 pixel.
    int Px(double dots) const;

  private:
    QColor DotColour(const CVylObject& object) const;
    QPen OutlinePen(const CVylObject& object, bool forceSolid) const;
    QRect ScreenRect(const VyRect& region) const;
    void PaintLine(const CVylObject& object);
    void PaintBox(const CVylObject& object);
    void PaintFilledBox(const CVylObject& object);
    void PaintEllipse(const CVylObject& object, bool inclusive);
    void PaintFilledEllipse(const CVylObject& object);
    void PaintText(const CVylObject& object);
    void PaintTextLine(const CVylObject& object, const VyTextLine& line, int64_t left);
    void PaintBitmap(const CVylObject& object);
    void PaintDottedFrame(const VyRect& region, const QColor& colour);

    QPainter& m_painter;
    const CVylCanvasFitContext& m_fit;
    const CVylDeviceContext& m_dc;
    CVylPaintCache& m_cache;
    double m_scale;
};
