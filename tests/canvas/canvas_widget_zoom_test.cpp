// Zooming and panning the canvas with real wheel, key and mouse events:
// gestures land on the dots under the mouse at every scale, panning never
// edits, and a zoomed dot is drawn as an exact square.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

#include "tests/support/canvas_widget_fixture.h"

namespace {

class CanvasZoomWidget : public CanvasWidget {
  protected:
    // Without the grid's pull, so that every dot of a gesture shows.
    void SetUp() override {
        CanvasWidget::SetUp();
        canvas->Core().Grid().SetGridInt("use_grid", 0);
    }
    int Scale() const { return canvas->Core().Zoom().GetScale(); }
    // A dot's top left pixel, worked out from the scale, the client area and
    // the scrolling alone: centred where the LCD fits, else scrolled.
    QPoint Pixel(int scale, double x, double y) const {
        const CVylCanvasZoom& zoom = canvas->Core().Zoom();
        const QSize client = canvas->ClientSize();
        const auto start = [&](int room, int dots, int scrolled) {
            return dots * scale + 50 <= room ? room / 2 - dots * scale / 2 : 25 - scrolled;
        };
        return QPoint(static_cast<int>(start(client.width(), 320, zoom.GetScrollX()) + x * scale),
                      static_cast<int>(start(client.height(), 240, zoom.GetScrollY()) + y * scale));
    }
    void Wheel(QPoint at, int notches, Qt::KeyboardModifiers modifiers) {
        QWheelEvent wheel(at, canvas->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas.get(), &wheel);
    }
    VyPoint DotUnder(QPoint at) {
        canvas->Refit();
        return canvas->Core().Fit().ScreenToVirtualEnlarged(VyPoint{at.x(), at.y()});
    }
    // The region of the object made by a drag between two dots.
    VyRect DragBox(int scale, double l, double t, double r, double b) {
        canvas->Core().SetTool(kToolBox);
        const int32_t uid = canvas->Core().History().GetObjectCounter();
        Drag(canvas.get(), Pixel(scale, l, t), Pixel(scale, r, b));
        canvas->Core().SetTool(kToolSelect);
        const CVylObject* box = canvas->Core().Group().GetByObjUid(uid);
        return box != nullptr ? box->GetRegion() : kEmptyRect;
    }
};

TEST_F(CanvasZoomWidget, CtrlWheelZoomsAboutTheMouseWithinOneToSixteen) {
    const QPoint mouse = At(200, 150);
    const VyPoint before = DotUnder(mouse);
    QSignalSpy changed(canvas.get(), &CVylCanvas::zoomChanged);
    Wheel(mouse, 1, Qt::ControlModifier);
    EXPECT_EQ(Scale(), 3) << "from the fitted 2 to the next whole scale";
    EXPECT_EQ(changed.count(), 1);
    EXPECT_NEAR(DotUnder(mouse).x, before.x, 10000 / 3 + 1);
    EXPECT_NEAR(DotUnder(mouse).y, before.y, 10000 / 3 + 1);
    EXPECT_TRUE(canvas->HorizontalScrollBar()->isVisible());
    EXPECT_TRUE(canvas->VerticalScrollBar()->isVisible());
    EXPECT_LT(canvas->ClientSize().width(), canvas->width());

    Wheel(mouse, 20, Qt::ControlModifier);
    EXPECT_EQ(Scale(), 16);
    EXPECT_NEAR(DotUnder(mouse).x, before.x, 10000 / 3 + 1) << "the anchor held at 16x";
    Wheel(mouse, -1, Qt::ControlModifier);
    EXPECT_EQ(Scale(), 15);
    // A plain wheel scrolls instead.
    const int top = canvas->VerticalScrollBar()->value();
    Wheel(mouse, -1, Qt::NoModifier);
    EXPECT_GT(canvas->VerticalScrollBar()->value(), top);
    EXPECT_EQ(canvas->Core().Zoom().GetScrollY(), canvas->VerticalScrollBar()->value());
    EXPECT_EQ(Scale(), 15);
    EXPECT_EQ(canvas->Core().History().GetEditActionGroupExp(true), "") << "nothing edited";
}

TEST_F(CanvasZoomWidget, KeysStepFitAndShowOneToOne) {
    canvas->setFocus();
    QTest::keyClick(canvas.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(Scale(), 3);
    QTest::keyClick(canvas.get(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(canvas.get(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(canvas.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Scale(), 1);
    EXPECT_FALSE(canvas->HorizontalScrollBar()->isVisible()) << "320 dots fit 690 pixels";
    canvas->Refit();
    EXPECT_EQ(canvas->Core().Fit().left, 345 - 160) << "centred";
    QTest::keyClick(canvas.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(canvas->Core().Zoom().IsFit());
    canvas->Refit();
    EXPECT_DOUBLE_EQ(canvas->Core().Fit().GetScale(), 2.0);
    QTest::keyClick(canvas.get(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(Scale(), 1);
}

TEST_F(CanvasZoomWidget, DragsMakeTheBoxUnderTheMouseAtEveryScaleAndScroll) {
    canvas->ZoomTo(1);
    EXPECT_EQ(DragBox(1, 11, 13, 151, 67), (VyRect{110000, 130000, 1510000, 670000}));
    canvas->ZoomTo(3);
    canvas->HorizontalScrollBar()->setValue(3 * 100);
    canvas->VerticalScrollBar()->setValue(3 * 40);
    EXPECT_EQ(DragBox(3, 121, 53, 247, 161), (VyRect{1210000, 530000, 2470000, 1610000}));
    canvas->ZoomTo(16);
    canvas->HorizontalScrollBar()->setValue(16 * 100);
    canvas->VerticalScrollBar()->setValue(16 * 45);
    EXPECT_EQ(canvas->Core().Zoom().GetScrollX(), 1600);
    EXPECT_EQ(DragBox(16, 107, 51, 131, 58), (VyRect{1070000, 510000, 1310000, 580000}));
    // The handles are where the box is drawn: a drag on the right one resizes.
    canvas->Core().SetTool(kToolSelect);
    Drag(canvas.get(), Pixel(16, 131, 54), Pixel(16, 134, 54));
    const int32_t last = canvas->Core().History().GetObjectCounter() - 1;
    EXPECT_EQ(canvas->Core().Group().GetByObjUid(last)->GetRegion(),
              (VyRect{1070000, 510000, 1340000, 580000}));
}

TEST_F(CanvasZoomWidget, TheGridPullsInDotsAtEveryScale) {
    canvas->Core().Grid().SetGridInt("use_grid", 1);
    canvas->Core().Grid().SetGridInt("grid_size", 10);
    for (int scale : {1, 3, 16}) {
        // The box made before is not selected, so that its handles do not
        // take the press.
        canvas->Core().Selection().RemoveAll();
        canvas->Core().SetMouseState(kMouseIdle);
        canvas->ZoomTo(scale);
        canvas->HorizontalScrollBar()->setValue(scale * 95);
        canvas->VerticalScrollBar()->setValue(scale * 45);
        // On a 10-dot grid every point goes to the nearest line, half way up.
        EXPECT_EQ(DragBox(scale, 102, 52, 115, 58), (VyRect{1000000, 500000, 1200000, 600000}))
            << scale << "x";
    }
}

TEST_F(CanvasZoomWidget, PanningScrollsAndNeverEdits) {
    canvas->ZoomTo(8);
    canvas->HorizontalScrollBar()->setValue(500);
    canvas->VerticalScrollBar()->setValue(400);
    const std::string history = Dump();
    canvas->setFocus();
    QTest::keyPress(canvas.get(), Qt::Key_Space);
    Drag(canvas.get(), QPoint(300, 300), QPoint(260, 250));
    QTest::keyRelease(canvas.get(), Qt::Key_Space);
    EXPECT_EQ(canvas->Core().Zoom().GetScrollX(), 540);
    EXPECT_EQ(canvas->Core().Zoom().GetScrollY(), 450);
    EXPECT_EQ(canvas->HorizontalScrollBar()->value(), 540);

    QTest::mousePress(canvas.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(100, 100));
    MoveTo(canvas.get(), QPoint(400, 100), Qt::MiddleButton);
    QTest::mouseRelease(canvas.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(400, 100));
    EXPECT_EQ(canvas->Core().Zoom().GetScrollX(), 240);
    // Beyond the edge it stops there.
    QTest::mousePress(canvas.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(100, 100));
    MoveTo(canvas.get(), QPoint(600, 500), Qt::MiddleButton);
    QTest::mouseRelease(canvas.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(600, 500));
    EXPECT_EQ(canvas->Core().Zoom().GetScrollX(), 0);
    EXPECT_EQ(canvas->Core().Zoom().GetScrollY(), 50);
    EXPECT_EQ(Dump(), history);
    EXPECT_EQ(canvas->Core().Selection().GetEverySelCount(), 0);
    // Without space held the left button draws again.
    EXPECT_NE(DragBox(8, 10, 10, 40, 30), kEmptyRect);
}

TEST_F(CanvasZoomWidget, AZoomedDotIsAnExactSquare) {
    canvas->Core().ToolAttrs().SetString(kKeyDotSize, "1");
    canvas->ZoomTo(16);
    canvas->HorizontalScrollBar()->setValue(16 * 100);
    canvas->VerticalScrollBar()->setValue(16 * 45);
    canvas->Core().SetTool(kToolFilledBox);
    Drag(canvas.get(), Pixel(16, 110, 50), Pixel(16, 112, 52));
    canvas->Core().SetTool(kToolSelect);
    QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, Pixel(16, 130, 70));
    const QImage shown = canvas->grab().toImage();
    const QRgb dot = shown.pixel(Pixel(16, 111, 51) + QPoint(8, 8));
    const QPoint corner = Pixel(16, 110, 50);
    EXPECT_EQ(shown.pixel(corner), dot);
    EXPECT_NE(shown.pixel(corner - QPoint(1, 0)), dot) << "the square starts on its pixel";
    EXPECT_NE(shown.pixel(corner - QPoint(0, 1)), dot);
    EXPECT_EQ(shown.pixel(corner + QPoint(15, 15)), dot);
}

}  // namespace
