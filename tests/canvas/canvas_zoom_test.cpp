// Whole-number zoom: where the LCD lies, how far it scrolls, and that a dot
// is a square of whole pixels that maps back to itself.
#include "editor/canvas/canvas_zoom.h"

#include <gtest/gtest.h>

#include "editor/canvas/canvas_fit.h"

namespace {

CVylCanvasFitContext FitAt(const CVylCanvasZoom& zoom, int32_t w, int32_t h) {
    CVylCanvasFitContext fit;
    fit.RecalcCanvasFit(w, h, 320, 240, &zoom);
    return fit;
}

CVylCanvasZoom ZoomedTo(int32_t scale, VyPoint anchor = {345, 265}) {
    CVylCanvasZoom zoom;
    CVylCanvasFitContext fitted;
    fitted.RecalcCanvasFit(690, 530, 320, 240);
    zoom.ZoomAbout(scale, anchor, fitted, 690, 530);
    return zoom;
}

TEST(CanvasZoom, ASmallScaleIsCentredALargeOneScrolls) {
    const CVylCanvasFitContext one = FitAt(ZoomedTo(1), 690, 530);
    EXPECT_EQ((VyRect{one.left, one.top, one.right, one.bottom}), (VyRect{185, 145, 505, 385}));
    EXPECT_DOUBLE_EQ(one.GetScale(), 1.0);
    EXPECT_EQ(CVylCanvasZoom::RangeOf(690, 530, 320, 240, 1).x, 0);

    // 3x: 960 + 50 pixels wide in a 690-pixel client, 720 + 50 high in 530.
    const VyScrollRange range = CVylCanvasZoom::RangeOf(690, 530, 320, 240, 3);
    EXPECT_EQ(range.x, 320);
    EXPECT_EQ(range.y, 240);
    CVylCanvasZoom zoom = ZoomedTo(3);
    zoom.ScrollTo(0, 0, range);
    CVylCanvasFitContext fit = FitAt(zoom, 690, 530);
    EXPECT_EQ(fit.left, 25);
    EXPECT_EQ(fit.top, 25);
    zoom.ScrollTo(100000, -5, range);
    EXPECT_EQ(zoom.GetScrollX(), 320);
    EXPECT_EQ(zoom.GetScrollY(), 0);
    fit = FitAt(zoom, 690, 530);
    EXPECT_EQ(fit.right, 690 - 25) << "scrolled to the end, the far margin shows";
    zoom.ScrollBy(-20, 7, range);
    EXPECT_EQ(FitAt(zoom, 690, 530).left, 25 - 300);
    EXPECT_EQ(FitAt(zoom, 690, 530).top, 25 - 7);
}

TEST(CanvasZoom, EveryDotIsASquareOfWholePixelsThatMapsBack) {
    for (int32_t scale : {1, 3, 16}) {
        CVylCanvasZoom zoom = ZoomedTo(scale);
        zoom.ScrollBy(37, 11, CVylCanvasZoom::RangeOf(690, 530, 320, 240, scale));
        const CVylCanvasFitContext fit = FitAt(zoom, 690, 530);
        for (int32_t dot = 0; dot <= 320; ++dot) {
            const int32_t x = fit.XVirtualToScreen(dot * 10000);
            ASSERT_EQ(x, fit.left + dot * scale) << scale << "x, dot " << dot;
            for (int32_t pixel = x; pixel < x + scale && dot < 320; ++pixel) {
                ASSERT_EQ(fit.XScreenToVirtualEnlarged(pixel) / 10000, dot)
                    << scale << "x, pixel " << pixel;
            }
        }
        EXPECT_EQ(fit.YVirtualToScreen(240 * 10000) - fit.top, 240 * scale);
    }
}

TEST(CanvasZoom, ZoomingKeepsTheDotUnderTheAnchor) {
    CVylCanvasFitContext fitted;
    fitted.RecalcCanvasFit(690, 530, 320, 240);
    const VyPoint anchor{421, 133};
    const VyPoint dot = fitted.ScreenToVirtualEnlarged(anchor);
    CVylCanvasZoom zoom;
    for (int32_t scale : {3, 16, 5, 1}) {
        const CVylCanvasFitContext before = FitAt(zoom, 690, 530);
        const VyPoint under = zoom.IsFit() ? dot : before.ScreenToVirtualEnlarged(anchor);
        zoom.ZoomAbout(scale, anchor, zoom.IsFit() ? fitted : before, 690, 530);
        const CVylCanvasFitContext after = FitAt(zoom, 690, 530);
        const VyPoint now = after.ScreenToVirtualEnlarged(anchor);
        // Within one screen pixel, unless the scroll range stopped it.
        const VyScrollRange range = CVylCanvasZoom::RangeOf(690, 530, 320, 240, scale);
        if (range.x > 0 && zoom.GetScrollX() > 0 && zoom.GetScrollX() < range.x) {
            EXPECT_NEAR(now.x, under.x, 10000.0 / scale + 1) << scale;
        }
        if (range.y > 0 && zoom.GetScrollY() > 0 && zoom.GetScrollY() < range.y) {
            EXPECT_NEAR(now.y, under.y, 10000.0 / scale + 1) << scale;
        }
    }
    EXPECT_EQ(zoom.GetScale(), 1);
    zoom.FitToWindow();
    EXPECT_TRUE(zoom.IsFit());
    EXPECT_EQ(zoom.GetScrollX(), 0);
}

TEST(CanvasZoom, StepsGoToTheNextWholeScaleWithinOneToSixteen) {
    EXPECT_EQ(CVylCanvasZoom::ScaleAbove(0.9031), 1);
    EXPECT_EQ(CVylCanvasZoom::ScaleAbove(2.0), 3);
    EXPECT_EQ(CVylCanvasZoom::ScaleAbove(2.4), 3);
    EXPECT_EQ(CVylCanvasZoom::ScaleAbove(16.0), 16);
    EXPECT_EQ(CVylCanvasZoom::ScaleBelow(2.4), 2);
    EXPECT_EQ(CVylCanvasZoom::ScaleBelow(2.0), 1);
    EXPECT_EQ(CVylCanvasZoom::ScaleBelow(0.5), 1);
    CVylCanvasZoom zoom = ZoomedTo(40);
    EXPECT_EQ(zoom.GetScale(), 16);
    EXPECT_EQ(CVylCanvasZoom::DeskLength(320, 16), 5170);
}

}  // namespace
