// The canvas rendered into a picture: pixels at positions computed from the
// fit (scale 2, LCD at 25, 25 in a 690 x 530 client area unless said).
#include "editor/canvas/canvas_renderer.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <vector>

#include <random>

#include "editor/document/full_update.h"
#include "editor/document/linker_actions.h"
#include "editor/document/template_files.h"
#include "editor/image/bmp_codec.h"
#include "editor/virtual_lcd/lcd_unifont.h"
#include "editor/virtual_lcd/virtual_lcd.h"
#include "tests/support/object_builders.h"

namespace {

const QColor kBlack(0, 0, 0);

class CanvasRender : public ::testing::Test {
  protected:
    CanvasRender() { canvas.Grid().SetGridInt("use_grid", 0); }
    void Add(const CVylObject& object) { canvas.Group().InsertOnTop(object.GetUid(), object); }
    QImage Render(QSize client = QSize(690, 530)) { return renderer.RenderImage(canvas, client); }
    static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
    // Runs of black (true) and other (false) pixels along a row.
    static std::vector<std::pair<bool, int>> Runs(const QImage& image, int y, int from, int to) {
        std::vector<std::pair<bool, int>> runs;
        for (int x = from; x <= to; ++x) {
            const bool black = image.pixelColor(x, y) == kBlack;
            if (runs.empty() || runs.back().first != black) {
                runs.emplace_back(black, 0);
            }
            ++runs.back().second;
        }
        return runs;
    }
    static int BlackInColumn(const QImage& image, int x, int from, int to) {
        int count = 0;
        for (int y = from; y <= to; ++y) {
            count += image.pixelColor(x, y) == kBlack ? 1 : 0;
        }
        return count;
    }

    CVylCanvasCore canvas;
    CVylCanvasRenderer renderer;
};

TEST_F(CanvasRender, TheLcdSitsWhereTheFitPutsIt) {
    Add(MakeShape(1, kObjFilledBox, 0, 0, 10, 10));
    QImage image = Render();
    EXPECT_EQ(At(image, 25, 25), kBlack);
    EXPECT_EQ(At(image, 45, 45), kBlack);
    EXPECT_NE(At(image, 46, 30), kBlack);
    // The LCD area's gradient, top row to bottom row.
    EXPECT_EQ(At(image, 345, 25), QColor(236, 253, 253));
    EXPECT_EQ(At(image, 345, 504), QColor(224, 253, 210));

    image = Render(QSize(690, 500));
    EXPECT_EQ(At(image, 45, 25), kBlack);
    EXPECT_EQ(At(image, 63, 43), kBlack);  // 10 dots at 1.875: 18.75 pixels
    EXPECT_NE(At(image, 65, 45), kBlack);

    canvas.SetViewOnly(true);
    image = Render();
    EXPECT_EQ(At(image, 345, 30), QColor(247, 247, 247));
    EXPECT_EQ(At(image, 345, 504), QColor(229, 229, 229));
}

// On a screen of two device pixels to a pixel everything is drawn at the
// device's own resolution, kept pictures too.
TEST_F(CanvasRender, AHighDensityDeviceGetsSharpPixels) {
    Add(MakeShape(1, kObjFilledBox, 0, 0, 10, 10));
    Add(MakeShape(2, kObjFilledEllipse, 100, 100, 120, 120));
    QImage image(1380, 1060, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    {
        QPainter painter(&image);
        renderer.Render(painter, canvas, QSize(690, 530));
    }
    EXPECT_EQ(At(image, 50, 50), kBlack);
    EXPECT_EQ(At(image, 91, 91), kBlack);
    EXPECT_NE(At(image, 93, 93), kBlack);
    // The ellipse's centre, and its bounding box's corner left free.
    EXPECT_EQ(At(image, 2 * (25 + 220), 2 * (25 + 220)), kBlack);
    EXPECT_NE(At(image, 2 * (25 + 200) + 1, 2 * (25 + 200) + 1), kBlack);
    EXPECT_EQ(At(image, 2 * 345, 2 * 25 + 1), QColor(236, 253, 253));
}

TEST_F(CanvasRender, ObjectsBeyondTheLcdStillShow) {
    Add(MakeShape(1, kObjFilledBox, -5, -5, 10, 10));
    const QImage image = Render();
    EXPECT_EQ(At(image, 25, 25), kBlack);
    EXPECT_EQ(At(image, 15, 15), kBlack);
    EXPECT_NE(At(image, 14, 14), kBlack);
}

TEST_F(CanvasRender, TooSmallAClientShowsOnlyTheDesk) {
    Add(MakeShape(1, kObjFilledBox, 0, 0, 300, 200));
    for (const QSize size : {QSize(40, 40), QSize(1, 1), QSize(690, 50)}) {
        const QImage image = Render(size);
        EXPECT_EQ(image.size(), size);
        EXPECT_NE(At(image, size.width() / 2, size.height() / 2), kBlack);
    }
}

TEST_F(CanvasRender, LineWidthsAndDashesAreInDots) {
    // Dot size 2 at scale 2: 6 pixels wide.
    Add(MakeShape(1, kObjLine, 20, 50, 100, 50, "2"));
    // Spacing 5: dashes of 6 pixels, gaps of 4.
    Add(MakeShape(2, kObjLine, 20, 100, 97, 100, "2", "1", "5"));
    const QImage image = Render();
    EXPECT_EQ(BlackInColumn(image, 145, 110, 140), 6);
    const auto runs = Runs(image, 225, 60, 225);
    ASSERT_GT(runs.size(), 6u);
    for (size_t i = 2; i + 2 < runs.size(); ++i) {
        EXPECT_EQ(runs[i].second, runs[i].first ? 6 : 4) << "run " << i;
    }
    EXPECT_EQ(At(image, 210, 225), kBlack);
}

TEST_F(CanvasRender, AReversedLineKeepsItsDirection) {
    Add(MakeShape(1, kObjLine, 97, 100, 20, 100, "2", "1", "5"));
    const QImage image = Render();
    // Its dashes start at its start, on the right.
    EXPECT_EQ(At(image, 219, 225), kBlack);
    EXPECT_NE(At(image, 210, 225), kBlack);
    EXPECT_NE(At(image, 70, 225), kBlack);
}

TEST_F(CanvasRender, AtAScaleBelowOneALineIsStillOnePixelWide) {
    Add(MakeShape(1, kObjLine, 20, 50, 200, 50, "0"));
    const QImage image = Render(QSize(300, 230));
    int widest = 0;
    for (int x = 60; x < 200; ++x) {
        widest = std::max(widest, BlackInColumn(image, x, 0, 229));
    }
    EXPECT_EQ(widest, 1);
}

TEST_F(CanvasRender, EmptyTextsAndPicturesShowDottedFrames) {
    CVylObject text = MakeObject(1, kObjText, 10, 10, 100, 40);
    text.Unique().SetString(kKeyTextContent, "");
    Add(text);
    Add(MakeObject(2, kObjBitmap, 150, 10, 200, 60));
    const QImage image = Render();
    int green = 0;
    int red = 0;
    for (int x = 45; x <= 225; ++x) {
        green += At(image, x, 45) == QColor(150, 200, 150) ? 1 : 0;
    }
    for (int x = 325; x <= 425; ++x) {
        red += At(image, x, 45) == QColor(250, 20, 70) ? 1 : 0;
    }
    // Dotted: about every other pixel.
    EXPECT_GT(green, 60);
    EXPECT_LT(green, 150);
    EXPECT_GT(red, 30);
    EXPECT_LT(red, 90);
}

TEST_F(CanvasRender, TextsAndPicturesAreDrawn) {
    CVylObject text = MakeObject(1, kObjText, 10, 10, 200, 40);
    text.Unique().SetString(kKeyTextContent, "\xB0\xA1\xB3\xAA AB");  // "가나 AB"
    text.Unique().SetString(kKeyKorFontIndex, "3");
    Add(text);
    VyRaster raster = MakeRaster(8, 8, 1);
    raster.palette = {0xFF000000, 0xFFFFFFFF};
    std::fill(raster.pixels.begin(), raster.pixels.end(), 1);
    raster.pixels[0] = 0;  // one black dot in a white picture
    CVylObject bitmap = MakeObject(2, kObjBitmap, 100, 100, 108, 108);
    bitmap.Unique().SetBytes(kKeyBmpBin, CRevolver::FromBytes(EncodeBmp(raster)));
    Add(bitmap);
    const QImage image = Render();
    int dark = 0;
    for (int y = 45; y < 105; ++y) {
        for (int x = 45; x < 425; ++x) {
            dark += image.pixelColor(x, y).lightness() < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 100);
    // The picture's black dot covers its scaled pixels; white lets the LCD show.
    EXPECT_EQ(At(image, 225, 225), kBlack);
    EXPECT_EQ(At(image, 226, 226), kBlack);
    EXPECT_NE(At(image, 230, 230), kBlack);
    EXPECT_NE(At(image, 230, 230), QColor(255, 255, 255));
}

TEST_F(CanvasRender, TheLcdFacesMapToInstalledFontsThatHoldHangul) {
    CVylCanvasFonts fonts;
    for (const char* face : {"돋움", "샘물", "바탕", "굴림", "으뜸"}) {
        const QFont& font = fonts.Font(QString::fromUtf8(face), 16, 8, false, true);
        EXPECT_NE(QFontInfo(font).family(), QString::fromUtf8(face)) << face;
        EXPECT_TRUE(QFontMetrics(font).inFontUcs4(0xD55C)) << face;  // 한
    }
    EXPECT_EQ(QFontInfo(fonts.Font(QStringLiteral("Arial"), 16, 0, false, false)).family(),
              QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(fonts.Font(QString::fromUtf8("바탕"), 16, 0, false, true)).family(),
              QStringLiteral("NanumMyeongjo"));
}

TEST_F(CanvasRender, SelectionMarksInvertWhatLiesBeneath) {
    Add(MakeShape(1, kObjBox, 100, 100, 150, 130));
    const QImage plain = Render();
    canvas.Selection().SetSingleSelection(1, true);
    const QImage marked = Render();
    // Handle 1 of the chief, 8 pixels out from its top left corner.
    const QColor under = At(plain, 217, 217);
    EXPECT_EQ(At(marked, 217, 217),
              QColor(255 - under.red(), 255 - under.green(), 255 - under.blue()));
    EXPECT_EQ(At(marked, 214, 214),
              QColor(255 - At(plain, 214, 214).red(), 255 - At(plain, 214, 214).green(),
                     255 - At(plain, 214, 214).blue()));
    EXPECT_EQ(At(marked, 213, 213), At(plain, 213, 213));
    // Creating, resizing or moving hides the marks.
    canvas.SetMouseState(kMouseMoving);
    EXPECT_EQ(Render(), plain);
}

TEST_F(CanvasRender, JoinedCornersOfTheChiefAreFramedInRed) {
    CVylEditActionGroup history;
    history.AddEditAction(
        CVylEditAction::Create(history.TakeObjectUid(), kObjLine,
                               {100 * kUnit, 100 * kUnit, 150 * kUnit, 130 * kUnit}, {}));
    history.AddEditAction(
        CVylEditAction::Create(history.TakeObjectUid(), kObjLine,
                               {150 * kUnit, 130 * kUnit, 200 * kUnit, 100 * kUnit}, {}));
    canvas.History().ReplaceWith(history);
    canvas.Rebuild();
    canvas.Selection().SetMultiSelection({0, 1}, true);
    ASSERT_EQ(JoinNearestEndPoints(canvas.History(), canvas.Group(), canvas.Selection()),
              VyJoinResult::kJoined);
    canvas.Rebuild();
    canvas.Selection().SetSingleSelection(0, true);
    const QImage image = Render();
    // Corner 4 of line 0 at (325, 285) on screen, its handle 8 pixels out;
    // the frames' right and top sides.
    EXPECT_EQ(At(image, 333 + 3, 293 - 4), QColor(255, 60, 60));
    EXPECT_EQ(At(image, 333 + 4, 293 - 5), QColor(150, 0, 0));
    EXPECT_NE(At(image, 217 - 4, 217 - 4), QColor(255, 60, 60));
}

TEST_F(CanvasRender, TheSelectionFrameFollowsTheCursorInsideTheLcd) {
    canvas.RecalcCanvasFit(690, 530);
    canvas.OnLButtonDown({125, 125}, {});
    canvas.OnMouseMove({225, 175}, {});
    ASSERT_EQ(canvas.GetMouseState(), kMouseFraming);
    canvas.OnMouseMove({900, 900}, {});
    const QImage image = Render();
    int frame = 0;
    for (int x = 125; x <= 665; ++x) {
        frame += At(image, x, 125) == QColor(210, 210, 210) ? 1 : 0;
    }
    EXPECT_GT(frame, 200);
    EXPECT_NE(At(image, 680, 125), QColor(210, 210, 210));
}

// The module preview at 3 pixels a dot: the middle pixel of every dot's
// square is black exactly where the module, given the full update, sets
// the dot.
class ModulePreview : public CanvasRender {
  protected:
    void ExpectTheModulesDots(const char* what) {
        CVylObjectGroup copy = canvas.Group();
        VyByteArray bytes;
        VyLengthArray lengths;
        BuildFullLcdUpdate(canvas.DeviceContext(), copy, bytes, lengths);
        const CVylLcdFrame module = ScreenOfCommands(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
            &CVylUnifont::System());
        canvas.SetModulePreview(true);
        canvas.Zoom().ZoomAbout(3, {0, 0}, canvas.Fit(), 1100, 850);
        const QImage image = Render(QSize(1100, 850));
        canvas.RecalcCanvasFit(1100, 850);
        const CVylCanvasFitContext& fit = canvas.Fit();
        ASSERT_DOUBLE_EQ(fit.GetScale(), 3.0);
        int differ = 0;
        int set = 0;
        int marked = 0;
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 320; ++x) {
                const QColor shown = At(image, fit.left + 3 * x + 1, fit.top + 3 * y + 1);
                // The red corners of cut texts lie over the dots.
                if (shown == QColor(220, 40, 40)) {
                    ++marked;
                    continue;
                }
                differ += (shown == kBlack) != module.GetDot(x, y) ? 1 : 0;
                set += module.GetDot(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differ, 0) << what;
        EXPECT_LT(marked, 320 * 240 / 100) << what;
        EXPECT_GT(set, 500) << what << ": the drawing shows on the module";
    }
};

TEST_F(ModulePreview, TheSampleShowsTheModulesDots) {
    ASSERT_EQ(LoadTemplate(VY_SOURCE_ROOT "/samples/showcase.tpl", canvas.Group()), 1);
    ExpectTheModulesDots("the sample");
}

TEST_F(ModulePreview, ARandomDrawingShowsTheModulesDots) {
    std::mt19937 random(20261209);
    const auto next = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    const int kinds[] = {kObjLine,    kObjBox,           kObjFilledBox,
                         kObjEllipse, kObjFilledEllipse, kObjText};
    for (int uid = 0; uid < 40; ++uid) {
        const int kind = kinds[next(0, 5)];
        const int l = next(-20, 300);
        const int t = next(-20, 220);
        CVylObject object = MakeShape(uid, kind, l, t, l + next(4, 120), t + next(4, 90),
                                      next(0, 1) != 0 ? "1" : "2", next(0, 4) != 0 ? "1" : "0");
        if (kind == kObjText) {
            object.Unique().SetString(kKeyTextContent, "\xB0\xA1\xB3\xAA AB 12");
        }
        Add(object);
    }
    ExpectTheModulesDots("a random drawing");
}

// A text its box cuts gets a red corner, in both views; one that fits does not.
TEST_F(CanvasRender, ATextTheModuleCutsIsMarked) {
    const auto redAt = [](const QImage& image, QPoint p) {
        return image.pixelColor(p) == QColor(220, 40, 40);
    };
    CVylObject fits = MakeObject(1, kObjText, 10, 10, 110, 40);
    fits.Unique().SetString(kKeyTextContent, "AB");
    fits.Unique().SetString(kKeyKorFontIndex, "3");
    CVylObject cut = MakeObject(2, kObjText, 10, 100, 60, 120);
    cut.Unique().SetString(kKeyTextContent, "ABCDEFGHIJKLMNOP");
    cut.Unique().SetString(kKeyKorFontIndex, "3");
    Add(fits);
    Add(cut);
    for (bool preview : {false, true}) {
        canvas.SetModulePreview(preview);
        const QImage image = Render();
        // The boxes' bottom right corners at two pixels a dot.
        EXPECT_TRUE(redAt(image, QPoint(25 + 120 - 2, 25 + 240 - 1))) << preview;
        EXPECT_FALSE(redAt(image, QPoint(25 + 220 - 2, 25 + 80 - 1))) << preview;
    }
}

}  // namespace
