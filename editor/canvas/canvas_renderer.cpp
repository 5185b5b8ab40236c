#include "editor/canvas/canvas_renderer.h"

#include <algorithm>
#include <array>

#include "editor/document/linker_store.h"
#include "editor/tree/decimal_text.h"

// Outside any namespace, as the resource system wants it.
static void InitCanvasArt() {
    Q_INIT_RESOURCE(canvas_art);
}

namespace {

const QColor kGridColour(230, 230, 230);
const QColor kFrameColour(210, 210, 210);
const QColor kContactInner(255, 60, 60);
const QColor kContactOuter(150, 0, 0);

// The LCD area's gradient, top and bottom colours.
constexpr std::array<std::array<int, 3>, 2> kEditableGradient{{{236, 253, 253}, {224, 253, 210}}};
constexpr std::array<std::array<int, 3>, 2> kViewOnlyGradient{{{247, 247, 247}, {229, 229, 229}}};

// A picture of the art with its magenta made transparent.
QImage Art(const char* name) {
    QImage image = QImage(QStringLiteral(":/vylcd/canvas/") + QLatin1String(name))
                       .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFF00FF) {
                line[x] = 0;
            }
        }
    }
    return image;
}

// Handle point n (1 to 8) of a box at distance a, outside the box whichever
// way it runs.
QPoint HandlePoint(const VyRect& r, int n, int a) {
    const int sx = r.right >= r.left ? 1 : -1;
    const int sy = r.bottom >= r.top ? 1 : -1;
    const int cx = static_cast<int>((int64_t{r.left} + r.right) / 2);
    const int cy = static_cast<int>((int64_t{r.top} + r.bottom) / 2);
    switch (n) {
        case 1:
            return {r.left - sx * a, r.top - sy * a};
        case 2:
            return {r.right + sx * a, r.top - sy * a};
        case 3:
            return {r.left - sx * a, r.bottom + sy * a};
        case 4:
            return {r.right + sx * a, r.bottom + sy * a};
        case 5:
            return {cx, r.top - sy * (a + 1)};
        case 6:
            return {cx, r.bottom + sy * (a + 1)};
        case 7:
            return {r.left - sx * (a + 1), cy};
        default:
            return {r.right + sx * (a + 1), cy};
    }
}

// Pixels from (x0, y0) to (x1, y1), both included.
QRect Span(int x0, int y0, int x1, int y1) {
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

void DrawSquareFrame(QPainter& painter, const QRect& box, const QColor& colour) {
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

}  // namespace

CVylCanvasRenderer::CVylCanvasRenderer() {
    InitCanvasArt();
    m_tile = Art("tile.png");
    m_corners[0] = Art("corner_top_left.png");
    m_corners[1] = Art("corner_top_right.png");
    m_corners[2] = Art("corner_bottom_right.png");
    m_corners[3] = Art("corner_bottom_left.png");
    m_edges[0] = Art("edge_top.png");
    m_edges[1] = Art("edge_right.png");
    m_edges[2] = Art("edge_bottom.png");
    m_edges[3] = Art("edge_left.png");
}

QImage CVylCanvasRenderer::RenderImage(const CVylCanvasCore& canvas, QSize client) {
    QImage image(client.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    Render(painter, canvas, client);
    return image;
}

void CVylCanvasRenderer::Render(QPainter& painter, const CVylCanvasCore& canvas, QSize client) {
    CVylCanvasFitContext fit;
    fit.RecalcCanvasFit(client.width(), client.height(),
                        canvas.DeviceContext().GetInt(kKeyResolutionX, -1),
                        canvas.DeviceContext().GetInt(kKeyResolutionY, -1), &canvas.Zoom());
    painter.save();
    painter.drawImage(QPoint(0, 0), Background(painter, fit, canvas, client));
    if (fit.IsShown()) {
        if (canvas.IsModulePreview()) {
            PaintModuleScreen(painter, fit, canvas);
        } else {
            PaintObjects(painter, fit, canvas);
        }
        PaintSelectionMarks(painter, fit, canvas);
        PaintCapturingSign(painter, fit, canvas);
    }
    painter.restore();
}

const QImage& CVylCanvasRenderer::Background(const QPainter& painter,
                                             const CVylCanvasFitContext& fit,
                                             const CVylCanvasCore& canvas, QSize client) {
    const CVylGridSystem& grid = canvas.Grid();
    const qreal pixelRatio =
        painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1;
    const std::string key =
        DecimalText(client.width()) + "x" + DecimalText(client.height()) + "@" +
        DecimalText(fit.left) + "," + DecimalText(fit.top) + "," + DecimalText(fit.right) + "," +
        DecimalText(fit.bottom) + "@" + DecimalText(qRound(pixelRatio * 100)) +
        (canvas.IsViewOnly() ? "/v/" : "/e/") + DecimalText(grid.GetGridInt("use_grid", 0)) + "/" +
        DecimalText(grid.GetGridInt("grid_size", 8)) + "/" + DecimalText(fit.resolutionX) + "x" +
        DecimalText(fit.resolutionY);
    if (key != m_backgroundKey || m_background.isNull()) {
        m_background = QImage((QSizeF(client.expandedTo(QSize(1, 1))) * pixelRatio).toSize(),
                              QImage::Format_RGB32);
        m_background.setDevicePixelRatio(pixelRatio);
        QPainter backgroundPainter(&m_background);
        PaintDesk(backgroundPainter, client);
        if (fit.IsShown()) {
            PaintLcdArea(backgroundPainter, fit, canvas.IsViewOnly(), client.height());
            PaintGrid(backgroundPainter, fit, canvas);
            PaintBezel(backgroundPainter, fit);
        }
        m_backgroundKey = key;
    }
    return m_background;
}

void CVylCanvasRenderer::PaintDesk(QPainter& painter, QSize client) const {
    if (m_tile.isNull()) {
        painter.fillRect(QRect(QPoint(0, 0), client), QColor(200, 206, 215));
        return;
    }
    // Tiled from the client area's top left corner.
    painter.setBrushOrigin(0, 0);
    painter.fillRect(QRect(QPoint(0, 0), client), QBrush(m_tile));
}

// Row by row, each channel from the top colour to the bottom colour.
void CVylCanvasRenderer::PaintLcdArea(QPainter& painter, const CVylCanvasFitContext& fit,
                                      bool viewOnly, int clientHeight) const {
    const auto& colours = viewOnly ? kViewOnlyGradient : kEditableGradient;
    const int height = fit.bottom - fit.top;
    // Only the rows in the client area: a zoomed LCD reaches far beyond it.
    const int first = std::clamp(-fit.top, 0, height);
    const int last = std::clamp(clientHeight - fit.top, first, height);
    for (int row = first; row < last; ++row) {
        std::array<int, 3> c{};
        for (size_t i = 0; i < 3; ++i) {
            c[i] = colours[0][i] + (colours[1][i] - colours[0][i]) * row / std::max(height - 1, 1);
        }
        painter.fillRect(QRect(fit.left, fit.top + row, fit.right - fit.left, 1),
                         QColor(c[0], c[1], c[2]));
    }
}

void CVylCanvasRenderer::PaintGrid(QPainter& painter, const CVylCanvasFitContext& fit,
                                   const CVylCanvasCore& canvas) const {
    const CVylGridSystem& grid = canvas.Grid();
    const int32_t size = grid.GetGridInt("grid_size", 8);
    if (grid.GetGridInt("use_grid", 0) == 0 || size < 2) {
        return;
    }
    painter.setPen(QPen(kGridColour, 1));
    const int32_t last = fit.resolutionY * 10000 - 1;
    for (int32_t x = 0; x < fit.resolutionX; x += size) {
        const VyPoint a = fit.VirtualToScreen(VyPoint{x * 10000, 0});
        const VyPoint b = fit.VirtualToScreen(VyPoint{x * 10000, last});
        painter.drawLine(a.x, a.y, b.x, b.y);
    }
    const int32_t lastX = fit.resolutionX * 10000 - 1;
    for (int32_t y = 0; y < fit.resolutionY; y += size) {
        const VyPoint a = fit.VirtualToScreen(VyPoint{0, y * 10000});
        const VyPoint b = fit.VirtualToScreen(VyPoint{lastX, y * 10000});
        painter.drawLine(a.x, a.y, b.x, b.y);
    }
}

void CVylCanvasRenderer::PaintBezel(QPainter& painter, const CVylCanvasFitContext& fit) const {
    const int l = fit.left;
    const int t = fit.top;
    const int r = fit.right;
    const int b = fit.bottom;
    // Edges stretched along the sides, keeping their own thickness.
    painter.drawImage(QRect(l + 10, t - 12, std::max(r - l - 20, 0), m_edges[0].height()),
                      m_edges[0]);
    painter.drawImage(QRect(r, t + 10, m_edges[1].width(), std::max(b - t - 20, 0)), m_edges[1]);
    painter.drawImage(QRect(l, b, std::max(r - l - 20, 0), m_edges[2].height()), m_edges[2]);
    painter.drawImage(QRect(l - 13, t + 10, m_edges[3].width(), std::max(b - t - 20, 0)),
                      m_edges[3]);
    painter.drawImage(QPoint(l - 13, t - 12), m_corners[0]);
    painter.drawImage(QPoint(r - 26, t - 12), m_corners[1]);
    painter.drawImage(QPoint(r - 23, b - 26), m_corners[2]);
    painter.drawImage(QPoint(l - 13, b - 27), m_corners[3]);
}

// Objects reaching beyond the LCD are drawn beyond it too, so that the user
// sees where they lie; only what is wholly outside the client area is left.
void CVylCanvasRenderer::PaintObjects(QPainter& painter, const CVylCanvasFitContext& fit,
                                      const CVylCanvasCore& canvas) {
    CVylObjectPainter objects(painter, fit, canvas.DeviceContext(), m_cache, painter.viewport());
    const CVylObjectGroup& group = canvas.Group();
    for (int32_t uid : group.GetZOrderList()) {
        if (const CVylObject* object = group.GetByObjUid(uid)) {
            objects.Paint(*object);
        }
    }
}

// Dot for dot what the module shows, each dot the canvas's square for it.
void CVylCanvasRenderer::PaintModuleScreen(QPainter& painter, const CVylCanvasFitContext& fit,
                                           const CVylCanvasCore& canvas) {
    const QImage& screen = m_preview.Screen(canvas.DeviceContext(), canvas.Group());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top), screen);
    painter.restore();
    // The module's dots do not say which text it cuts: the marks do.
    CVylObjectPainter objects(painter, fit, canvas.DeviceContext(), m_cache, painter.viewport());
    const CVylObjectGroup& group = canvas.Group();
    for (int32_t uid : group.GetZOrderList()) {
        const CVylObject* object = group.GetByObjUid(uid);
        if (object != nullptr && object->GetKind() == kObjText) {
            objects.PaintCutMark(*object);
        }
    }
}

// Marks are drawn by inverting what lies beneath, so they show on any colour.
void CVylCanvasRenderer::PaintSelectionMarks(QPainter& painter, const CVylCanvasFitContext& fit,
                                             const CVylCanvasCore& canvas) const {
    const CVylObjectSelection& selection = canvas.Selection();
    const CVylObjectGroup& group = canvas.Group();
    const int32_t state = canvas.GetMouseState();
    if (selection.GetEverySelCount() == 0 || state >= kMouseCreating) {
        return;
    }
    painter.save();
    const CVylObject* chief = selection.GetChiefSelectedObj();
    if (chief != nullptr) {
        const int32_t uid = chief->GetUid();
        const VyRect region = fit.VirtualToScreen(chief->GetRegion());
        for (int n = 1; n <= 8; ++n) {
            const QPoint p = HandlePoint(region, n, 8);
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.fillRect(Span(p.x() - 3, p.y() - 3, p.x() + 3, p.y() + 3), Qt::white);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            if (n <= 4 && group.GetLinkerOfPoint(LinkerPointKey(uid, n))) {
                DrawSquareFrame(painter, Span(p.x() - 4, p.y() - 4, p.x() + 3, p.y() + 3),
                                kContactInner);
                DrawSquareFrame(painter, Span(p.x() - 5, p.y() - 5, p.x() + 4, p.y() + 4),
                                kContactOuter);
            }
        }
    }
    const VyRect total = group.GetSelectionTotalRect();
    if (total != kEmptyRect) {
        const VyRect box = fit.VirtualToScreen(total.Normalized());
        const int cx = static_cast<int>((int64_t{box.left} + box.right) / 2);
        const int cy = static_cast<int>((int64_t{box.top} + box.bottom) / 2);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(DottedPen(Qt::white));
        painter.drawLine(cx - 5, cy - 5, cx + 5, cy + 5);
        painter.drawLine(cx - 5, cy + 5, cx + 5, cy - 5);
        if (chief != nullptr) {
            for (int n = 1; n <= 8; ++n) {
                const QPoint p = HandlePoint(box, n, 3);
                painter.fillRect(Span(p.x() - 2, p.y() - 2, p.x() + 1, p.y() + 1), Qt::white);
            }
        }
    }
    painter.restore();
}

void CVylCanvasRenderer::PaintCapturingSign(QPainter& painter, const CVylCanvasFitContext& fit,
                                            const CVylCanvasCore& canvas) const {
    if (canvas.GetMouseState() != kMouseFraming) {
        return;
    }
    const VyPoint press = fit.VirtualToScreen(canvas.GetFramePressPoint());
    const VyPoint cursor = canvas.GetCursorScreen();
    const int x = std::clamp(cursor.x, fit.left, fit.right);
    const int y = std::clamp(cursor.y, fit.top, fit.bottom);
    painter.setPen(DottedPen(kFrameColour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(std::min(press.x, x), std::min(press.y, y)),
                           QPoint(std::max(press.x, x), std::max(press.y, y)))
                         .adjusted(0, 0, -1, -1));
}
