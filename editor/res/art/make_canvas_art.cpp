// Draws the canvas's background tile and the LCD bezel pieces into
// editor/res/canvas. Run by scripts/make-canvas-art when the look changes;
// the pictures themselves are kept in the repository.
//
// The bezel pieces are cut from one frame drawn around a nominal LCD area
// and placed by the renderer at fixed offsets from the LCD's corners:
// corners top-left (-13, -12), top-right (-26, -12) from the right edge,
// bottom-right (-23, -26), bottom-left (-13, -27); the edges run between
// them and are stretched. Magenta marks what is transparent.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor kMagenta(255, 0, 255);
// The nominal LCD area inside the full frame picture.
constexpr int kLeft = 13;
constexpr int kTop = 12;
constexpr int kWidth = 200;
constexpr int kHeight = 150;
constexpr int kRight = kLeft + kWidth;
constexpr int kBottom = kTop + kHeight;

QImage FullFrame() {
    QImage image(kRight + 13, kBottom + 13, QImage::Format_RGB32);
    image.fill(kMagenta);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRectF outer(0, 0, image.width(), image.height());
    const QRectF inner(kLeft, kTop, kWidth, kHeight);
    QPainterPath frame;
    frame.addRoundedRect(outer, 7, 7);
    QPainterPath opening;
    opening.addRoundedRect(inner, 3, 3);
    frame = frame.subtracted(opening);

    // Dark moulded plastic of one colour, so that the stretched edges meet
    // the corners without a seam.
    p.fillPath(frame, QColor(52, 57, 64));

    // A bevel: light along the outer top and left, a dark rim at the glass.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipPath(frame);
    p.setPen(QPen(QColor(128, 136, 148), 1.0));
    p.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    p.setPen(QPen(QColor(20, 22, 26), 1.0));
    p.drawRoundedRect(outer.adjusted(1.5, 1.5, -1.5, -1.5).translated(0, 0), 6, 6);
    p.setPen(QPen(QColor(14, 16, 18), 2.0));
    p.drawRoundedRect(inner.adjusted(-1, -1, 1, 1), 4, 4);
    p.setPen(QPen(QColor(96, 104, 114), 1.0));
    p.drawRoundedRect(inner.adjusted(-3.5, -3.5, 3.5, 3.5), 5, 5);
    p.end();

    // Anything that blended into the magenta outside the frame goes back to
    // pure magenta, so that the renderer's colour key finds it.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!frame.contains(QPointF(x + 0.5, y + 0.5))) {
                image.setPixelColor(x, y, kMagenta);
            }
        }
    }
    return image;
}

QImage Tile() {
    QImage tile(48, 48, QImage::Format_RGB32);
    tile.fill(QColor(200, 206, 215));
    QPainter p(&tile);
    // A fine woven pattern, like an anti-static desk mat.
    for (int i = -48; i < 96; i += 6) {
        p.setPen(QColor(192, 198, 208));
        p.drawLine(i, 0, i + 48, 48);
        p.setPen(QColor(207, 212, 221));
        p.drawLine(i + 3, 48, i + 51, 0);
    }
    return tile;
}

bool Save(const QImage& image, const QString& folder, const char* name) {
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vylcd-make-canvas-art FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QImage frame = FullFrame();
    const int r = kRight;
    const int b = kBottom;
    const int w = frame.width();
    const int h = frame.height();
    bool ok = Save(Tile(), folder, "tile.png");
    // Corners, at their offsets from the LCD's corners.
    ok &= Save(frame.copy(0, 0, kLeft + 10, kTop + 10), folder, "corner_top_left.png");
    ok &= Save(frame.copy(r - 26, 0, w - (r - 26), kTop + 10), folder, "corner_top_right.png");
    ok &= Save(frame.copy(r - 23, b - 26, w - (r - 23), h - (b - 26)), folder,
               "corner_bottom_right.png");
    ok &= Save(frame.copy(0, b - 27, kLeft + 10, h - (b - 27)), folder, "corner_bottom_left.png");
    // Edges: a slice from the middle of each side, stretched along it.
    const int midX = kLeft + kWidth / 2;
    const int midY = kTop + kHeight / 2;
    ok &= Save(frame.copy(midX, 0, 4, kTop), folder, "edge_top.png");
    ok &= Save(frame.copy(r, midY, w - r, 4), folder, "edge_right.png");
    ok &= Save(frame.copy(midX, b, 4, h - b), folder, "edge_bottom.png");
    ok &= Save(frame.copy(0, midY, kLeft, 4), folder, "edge_left.png");
    return ok ? 0 : 1;
}
