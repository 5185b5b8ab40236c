// Renders the canvas onto any QPainter: the desk, the LCD area with its
// grid, the bezel, every object bottom to top, the selection marks and the
// selection frame. The widget paints with it; tests and the command line
// render into a QImage without a window.
#pragma once

#include "editor/vyedit_export.h"

#include <QImage>
#include <QPainter>
#include <QSize>

#include "editor/canvas/canvas_core.h"
#include "editor/canvas/module_preview.h"
#include "editor/canvas/object_painter.h"
#include "editor/canvas/paint_cache.h"

class VYEDIT_EXPORT CVylCanvasRenderer {
  public:
    CVylCanvasRenderer();

    // The canvas as a client area of the given size shows it (the fit is
    // computed for that size).
    void Render(QPainter& painter, const CVylCanvasCore& canvas, QSize client);
    // The same into a new picture of that size.
    QImage RenderImage(const CVylCanvasCore& canvas, QSize client);

  private:
    // The desk, the LCD area, its grid and the bezel, kept while the client
    // size, the view-only flag and the grid stay the same.
    const QImage& Background(const QPainter& painter, const CVylCanvasFitContext& fit,
                             const CVylCanvasCore& canvas, QSize client);
    void PaintDesk(QPainter& painter, QSize client) const;
    void PaintLcdArea(QPainter& painter, const CVylCanvasFitContext& fit, bool viewOnly,
                      int clientHeight) const;
    void PaintGrid(QPainter& painter, const CVylCanvasFitContext& fit,
                   const CVylCanvasCore& canvas) const;
    void PaintBezel(QPainter& painter, const CVylCanvasFitContext& fit) const;
    void PaintObjects(QPainter& painter, const CVylCanvasFitContext& fit,
                      const CVylCanvasCore& canvas);
    void PaintModuleScreen(QPainter& painter, const CVylCanvasFitContext& fit,
                           const CVylCanvasCore& canvas);
    void PaintSelectionMarks(QPainter& painter, const CVylCanvasFitContext& fit,
                             const CVylCanvasCore& canvas) const;
    void PaintCapturingSign(QPainter& painter, const CVylCanvasFitContext& fit,
                            const CVylCanvasCore& canvas) const;

    QImage m_tile;
    QImage m_corners[4];  // top left, top right, bottom right, bottom left
    QImage m_edges[4];    // top, right, bottom, left
    CVylPaintCache m_cache;
    CVylModulePreview m_preview;
    QImage m_background;
    std::string m_backgroundKey;
};
