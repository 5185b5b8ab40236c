// The editor frame driven by real events on the offscreen platform.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QUrl>
#include <fstream>

#include <QToolBar>
#include "editor/link/update_progress.h"
#include "editor/tree/decimal_text.h"
#include "tests/support/virtual_link.h"

#include "editor/document/linker_actions.h"
#include "tests/support/editor_fixture.h"

namespace {

class EditorFrame : public EditorFixture {
  protected:
    void SetUp() override { OpenEditor(); }
    // The enabled popup items, in menu order, as a string of 0 and 1.
    std::string PopupEnabling() {
        std::string enabled;
        const std::unique_ptr<QMenu> menu = editor->CreatePopupMenu();
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                enabled += action->isEnabled() ? '1' : '0';
            }
        }
        return enabled;
    }
    QWidget* Shown() {
        for (int kind = 1; kind <= 3; ++kind) {
            if (editor->UiToDlg(kind)->isVisible()) {
                return editor->UiToDlg(kind);
            }
        }
        return nullptr;
    }
};

TEST_F(EditorFrame, ToolButtonsAndLettersChooseTheTool) {
    EXPECT_EQ(Core().GetTool(), kToolSelect);
    editor->ToolAction(kToolEllipse)->trigger();
    EXPECT_EQ(Core().GetTool(), kToolEllipse);
    EXPECT_TRUE(editor->ToolAction(kToolEllipse)->isChecked());
    EXPECT_FALSE(editor->ToolAction(kToolSelect)->isChecked());
    EXPECT_TRUE(editor->ToolAction(kToolLine)->toolTip().startsWith(QStringLiteral("직선")));

    QTest::keyClick(Canvas(), Qt::Key_L);
    EXPECT_EQ(Core().GetTool(), kToolLine);
    EXPECT_TRUE(editor->ToolAction(kToolLine)->isChecked());
    QTest::keyClick(Canvas(), Qt::Key_T);
    EXPECT_EQ(Core().GetTool(), kToolText);
    QTest::keyClick(Canvas(), Qt::Key_V);
    EXPECT_EQ(Core().GetTool(), kToolSelect);
    // Typing into an edit box never switches tools.
    QLineEdit* box = editor->StatusStrip().RegionBox("left");
    QTest::keyClick(box, Qt::Key_B);
    EXPECT_EQ(Core().GetTool(), kToolSelect);
}

TEST_F(EditorFrame, PopupItemsFollowTheSelection) {
    // Align x4, same size x3, gaps x2, centring x4, contact, remove, delete,
    // up, down, to the front, to the back, enlarge, shrink.
    EXPECT_EQ(PopupEnabling(), "0000000000000000000000");
    const int32_t a = Draw(kToolLine, 10, 10, 50, 30);
    EXPECT_EQ(PopupEnabling(), "0000000001111011000011");
    const int32_t b = Draw(kToolLine, 60, 10, 90, 30);
    Select({b});
    EXPECT_EQ(PopupEnabling(), "0000000001111011010111");
    Select({a});
    EXPECT_EQ(PopupEnabling(), "0000000001111011101011");
    Select({a, b});
    EXPECT_EQ(PopupEnabling(), "1111111111111111000011");
    const int32_t text = Draw(kToolText, 100, 100, 200, 130);
    Select({a, b, text});
    EXPECT_EQ(PopupEnabling(), "1111111111111011000011");

    // Joined lines: the size and gap commands would tear the joint.
    Select({a, b});
    ASSERT_EQ(Core().OnContact(), VyJoinResult::kJoined);
    EXPECT_EQ(PopupEnabling(), "1111000001111111001011");

    // A menu command acts on the canvas and is recorded.
    Select({text});
    const size_t actions = Core().History().GetCount();
    const std::unique_ptr<QMenu> menu = editor->CreatePopupMenu();
    for (QAction* action : menu->actions()) {
        if (action->text() == QStringLiteral("확대")) {
            action->trigger();
        }
    }
    EXPECT_EQ(Core().History().GetCount(), actions + 1);
    EXPECT_EQ(Core().Group().GetRegion(text).left, 990000);
}

// The popup's "to the front" and "to the back": one undo step each.
TEST_F(EditorFrame, PopupBringsToTheFrontAndSendsToTheBack) {
    const int32_t a = Draw(kToolBox, 10, 10, 50, 30);
    const int32_t b = Draw(kToolBox, 60, 10, 90, 30);
    const int32_t c = Draw(kToolBox, 100, 10, 130, 30);
    const auto trigger = [this](const QString& label) {
        const std::unique_ptr<QMenu> menu = editor->CreatePopupMenu();
        for (QAction* action : menu->actions()) {
            if (action->text() == label) {
                ASSERT_TRUE(action->isEnabled()) << label.toStdString();
                action->trigger();
                return;
            }
        }
        FAIL() << label.toStdString();
    };
    const std::vector<int32_t> drawn{a, b, c};
    Select({a});
    trigger(QStringLiteral("맨 앞으로"));
    EXPECT_EQ(Core().Group().GetZOrderList(), (std::vector<int32_t>{b, c, a}));
    Select({c});
    trigger(QStringLiteral("맨 뒤로"));
    EXPECT_EQ(Core().Group().GetZOrderList(), (std::vector<int32_t>{c, b, a}));
    Core().UndoEditActionAndDrawAll();
    EXPECT_EQ(Core().Group().GetZOrderList(), (std::vector<int32_t>{b, c, a}));
    Core().UndoEditActionAndDrawAll();
    EXPECT_EQ(Core().Group().GetZOrderList(), drawn);
    EXPECT_EQ(Core().Group().GetCount(), 3u);
}

TEST_F(EditorFrame, LineContactWithABoxIsRefused) {
    const int32_t line = Draw(kToolLine, 10, 10, 50, 30);
    const int32_t box = Draw(kToolBox, 60, 10, 90, 30);
    Select({line, box});
    const size_t actions = Core().History().GetCount();
    EXPECT_EQ(Core().OnContact(), VyJoinResult::kNotLines);
    EXPECT_EQ(notices,
              QStringList{QStringLiteral("두 객체가 모두 라인이어야 접점 연결이 가능합니다.")});
    EXPECT_EQ(Core().History().GetCount(), actions);
}

TEST_F(EditorFrame, OnePanelForTheSelectionsKind) {
    const int32_t line = Draw(kToolLine, 10, 10, 50, 30);
    EXPECT_EQ(Shown(), &editor->ShapePanel());
    EXPECT_TRUE(editor->ShapePanel().RightAngleButton()->isEnabled());
    const QRect shapeAt = editor->ShapePanel().geometry();
    const int32_t text = Draw(kToolText, 100, 100, 200, 130);
    // A new text: its panel with an empty content box that has the focus.
    EXPECT_EQ(Shown(), &editor->TextPanel());
    EXPECT_TRUE(editor->TextPanel().Content()->toPlainText().isEmpty());
    EXPECT_TRUE(editor->TextPanel().Content()->hasFocus());
    EXPECT_EQ(editor->TextPanel().geometry(), shapeAt);
    Select({line, text});
    EXPECT_EQ(Shown(), nullptr);
    const int32_t bitmap = Draw(kToolBitmap, 200, 150, 250, 200);
    EXPECT_EQ(Shown(), &editor->BitmapPanel());
    EXPECT_FALSE(editor->BitmapPanel().RealSizeButton()->isEnabled());
    Select({bitmap});
    Deselect();
    EXPECT_EQ(Shown(), nullptr);
}

TEST_F(EditorFrame, TheStatusStripShowsAndTakesTheRegion) {
    const int32_t box = Draw(kToolBox, 10, 20, 20, 40);
    CDlgGlobalStatus& status = editor->StatusStrip();
    EXPECT_EQ(status.RegionBox("left")->text(), QStringLiteral("10"));
    EXPECT_EQ(status.RegionBox("right")->text(), QStringLiteral("20"));
    EXPECT_EQ(status.RegionBox("height")->text(), QStringLiteral("21"));
    // A box from 10 to 19 reads width 10.
    QLineEdit* right = status.RegionBox("right");
    right->setFocus();
    right->selectAll();
    QTest::keyClicks(right, QStringLiteral("19"));
    QTest::keyClick(right, Qt::Key_Return);
    EXPECT_EQ(status.RegionBox("width")->text(), QStringLiteral("10"));
    EXPECT_TRUE(status.RegionBox("top")->isEnabled());
    EXPECT_TRUE(status.StateText().startsWith(QStringLiteral("virtual: 115200,N,8,1  ")));
    EXPECT_TRUE(status.StateText().contains(QStringLiteral("%")));

    // Typed into "X to" and entered: kept on the 320-dot LCD.
    right->setFocus();
    right->selectAll();
    QTest::keyClicks(right, QStringLiteral("500"));
    QTest::keyClick(right, Qt::Key_Return);
    EXPECT_EQ(Core().Group().GetRegion(box).right, 3190000);
    EXPECT_EQ(status.RegionBox("right")->text(), QStringLiteral("319"));
    // Typing pauses: the one-shot timer applies it.
    QLineEdit* width = status.RegionBox("width");
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("500"));
    status.OnRegionTimer();
    EXPECT_EQ(Core().Group().GetRegion(box).right, 5090000);

    // Several selected: the boxes are empty and disabled.
    Draw(kToolBox, 100, 100, 120, 120);
    Core().SelectAll();
    EXPECT_FALSE(status.RegionBox("left")->isEnabled());
    EXPECT_TRUE(status.RegionBox("left")->text().isEmpty());

    MoveTo(At(320, 10));
    EXPECT_EQ(status.PositionText(), QStringLiteral("OUTSIDE  "));
    MoveTo(At(12, 7));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\(1[12],[67]\\)   $"))
                    .match(status.PositionText())
                    .hasMatch())
        << status.PositionText().toStdString();
}

// The sliders show what the boxes say, typed or taken from the selected
// object, and a spacing that draws a solid line says so.
TEST_F(EditorFrame, SlidersFollowTheBoxesAndASolidSpacingIsNamed) {
    CDlgLocalShape& panel = editor->ShapePanel();
    const int32_t dotted = Draw(kToolBox, 10, 20, 60, 40);
    QLineEdit* spacing = panel.SpacingBox();
    spacing->setFocus();
    spacing->selectAll();
    QTest::keyClicks(spacing, QStringLiteral("12"));
    QTest::keyClick(spacing, Qt::Key_Return);
    EXPECT_EQ(panel.SpacingSlider()->value(), 12);
    EXPECT_EQ(panel.SolidNote(), QString()) << "12 apart is dotted";
    QLineEdit* thickness = panel.ThicknessBox();
    thickness->setFocus();
    thickness->selectAll();
    QTest::keyClicks(thickness, QStringLiteral("11"));
    EXPECT_EQ(panel.ThicknessSlider()->value(), 11);
    EXPECT_EQ(panel.SolidNote(), QStringLiteral("(실선)")) << "11 + 1 is 12";
    thickness->selectAll();
    QTest::keyClicks(thickness, QStringLiteral("40"));
    EXPECT_EQ(panel.ThicknessSlider()->value(), panel.ThicknessSlider()->maximum());
    QTest::keyClick(thickness, Qt::Key_Return);

    // Another object selected brings its values to the boxes and sliders.
    const int32_t plain = Draw(kToolBox, 100, 20, 160, 40);
    Select({plain});
    thickness->setFocus();
    thickness->selectAll();
    QTest::keyClicks(thickness, QStringLiteral("2"));
    QTest::keyClick(thickness, Qt::Key_Return);
    // Picked as a click picks: the panel shows the object's values.
    const auto pick = [this](int32_t uid) {
        Canvas()->setFocus();
        Select({uid});
        Core().UpdateUniqueAttrFromSelectedObject();
        Canvas()->OnAgain(1, 0, 1, 1, 0, 0);
    };
    pick(dotted);
    pick(plain);
    EXPECT_EQ(panel.ThicknessBox()->text(), QStringLiteral("2"));
    EXPECT_EQ(panel.ThicknessSlider()->value(), 2);
    pick(dotted);
    EXPECT_EQ(panel.ThicknessBox()->text(), QStringLiteral("40"));
    EXPECT_EQ(panel.ThicknessSlider()->value(), panel.ThicknessSlider()->maximum());
    EXPECT_EQ(panel.SpacingSlider()->value(), 12);
}

// A bigger font leaves characters out of the box: the panel says how many.
TEST_F(EditorFrame, TheTextPanelCountsTheCharactersTheBoxHides) {
    Draw(kToolText, 10, 10, 110, 30);
    CDlgLocalText& panel = editor->TextPanel();
    QTest::keyClicks(panel.Content(), QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(panel.HiddenNote(), QString()) << panel.HiddenNote().toStdString();
    QTest::keyClicks(panel.Content(), QStringLiteral("KLMNOPQRSTUVWXYZ"));
    EXPECT_TRUE(panel.HiddenNote().contains(QStringLiteral("자가 상자 밖에 있어")))
        << panel.HiddenNote().toStdString();
    const QString before = panel.HiddenNote();
    QTest::keyClicks(panel.Content(), QStringLiteral("12345"));
    EXPECT_NE(panel.HiddenNote(), before) << "five more hidden";
    Deselect();
    EXPECT_EQ(panel.HiddenNote(), QString());
}

TEST_F(EditorFrame, SliderDragsPreviewAndTheReleaseRecords) {
    const int32_t box = Draw(kToolBox, 10, 20, 60, 40);
    const size_t actions = Core().History().GetCount();
    QSlider* slider = editor->ShapePanel().ThicknessSlider();
    slider->setSliderDown(true);
    slider->setSliderPosition(4);
    slider->setSliderPosition(6);
    EXPECT_EQ(editor->ShapePanel().ThicknessBox()->text(), QStringLiteral("6"));
    EXPECT_EQ(Core().Group().GetByObjUid(box)->Unique().GetString(kKeyDotSize), "6");
    EXPECT_EQ(Core().History().GetCount(), actions);
    slider->setSliderDown(false);
    EXPECT_EQ(Core().History().GetCount(), actions + 1);
    Canvas()->OnAgain(1, 1, 0, 0, 0, 0);
    EXPECT_EQ(Core().Group().GetByObjUid(box)->Unique().GetString(kKeyDotSize), "6");
    // A typed value is recorded once it is entered.
    QLineEdit* spacing = editor->ShapePanel().SpacingBox();
    spacing->setFocus();
    spacing->selectAll();
    QTest::keyClicks(spacing, QStringLiteral("3"));
    EXPECT_EQ(Core().History().GetCount(), actions + 1);
    QTest::keyClick(spacing, Qt::Key_Return);
    EXPECT_EQ(Core().History().GetCount(), actions + 2);
    // The colour buttons.
    editor->ShapePanel().DotsOffButton()->click();
    Canvas()->OnAgain(1, 1, 0, 0, 0, 0);
    EXPECT_EQ(Core().Group().GetByObjUid(box)->Unique().GetString(kKeyColorSwitch), "0");

    // Undo pressed in the box: what was typed is recorded first, and the
    // undo takes exactly that back.
    QLineEdit* thickness = editor->ShapePanel().ThicknessBox();
    thickness->setFocus();
    thickness->selectAll();
    QTest::keyClicks(thickness, QStringLiteral("9"));
    const size_t typed = Core().History().GetCount();
    QTest::keyClick(thickness, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Core().History().GetCount(), typed + 1);
    ASSERT_NE(Core().Group().GetByObjUid(box), nullptr);
    EXPECT_EQ(Core().Group().GetByObjUid(box)->Unique().GetString(kKeyDotSize), "6");
}

TEST_F(EditorFrame, ColourAndBoldValuesShowInThePanels) {
    CVylObjectUniqueAttr attrs;
    attrs.SetString(kKeyColorSwitch, "7");
    attrs.SetString(kKeyBoldState, "2");
    editor->ToLocalCtrls(attrs);
    EXPECT_TRUE(editor->ShapePanel().DotsOnButton()->isChecked());
    EXPECT_FALSE(editor->TextPanel().KorBold()->isChecked());
    EXPECT_TRUE(editor->TextPanel().AlnumBold()->isChecked());
    attrs.SetString(kKeyColorSwitch, "-3");
    editor->ToLocalCtrls(attrs);
    EXPECT_TRUE(editor->ShapePanel().DotsOffButton()->isChecked());
    editor->TextPanel().KorBold()->setChecked(true);
    editor->FromLocalCtrls(attrs);
    EXPECT_EQ(attrs.GetString(kKeyBoldState), "3");
}

TEST_F(EditorFrame, FastTypingIsOneTextChange) {
    const int32_t text = Draw(kToolText, 100, 100, 200, 130);
    const size_t actions = Core().History().GetCount();
    QPlainTextEdit* content = editor->TextPanel().Content();
    QTest::keyClick(content, Qt::Key_A);
    nowMs += 100;
    QTest::keyClick(content, Qt::Key_B);
    EXPECT_EQ(Core().History().GetCount(), actions + 1);
    EXPECT_EQ(Core().Group().GetByObjUid(text)->Unique().GetString(kKeyTextContent), "ab");
    nowMs += 500;
    QTest::keyClick(content, Qt::Key_C);
    EXPECT_EQ(Core().History().GetCount(), actions + 2);

    // Hangul is kept in the code page; what it cannot hold becomes "?".
    QSignalSpy messages(editor.get(), &CVyeEditor::messageLine);
    content->setPlainText(QStringLiteral("한글 ✓"));
    EXPECT_EQ(Core().Group().GetByObjUid(text)->Unique().GetString(kKeyTextContent),
              "\xC7\xD1\xB1\xDB ?");
    ASSERT_EQ(messages.count(), 1);
    content->setPlainText(QStringLiteral("✓✓"));
    EXPECT_EQ(messages.count(), 1);
    // Font, bold, inverse: one recorded change each.
    const size_t before = Core().History().GetCount();
    editor->TextPanel().Inverse()->click();
    editor->TextPanel().KorBold()->click();
    EXPECT_EQ(Core().History().GetCount(), before + 2);
    EXPECT_EQ(Core().Group().GetByObjUid(text)->Unique().GetString(kKeyInverse), "1");
    EXPECT_EQ(Core().Group().GetByObjUid(text)->Unique().GetString(kKeyBoldState), "1");
}

}  // namespace

// The last full update's size and wire time, and its progress while it runs.
TEST_F(EditorFrame, TheStatusStripTellsTheUpdatesSizeAndProgress) {
    OpenEditor();
    Draw(kToolFilledBox, 10, 10, 100, 60);
    ASSERT_TRUE(WaitLinkIdle(editor->Link()));
    CDlgGlobalStatus& status = editor->StatusStrip();
    status.OnProgressTick();
    const VyUpdateProgress done = editor->Link().GetUpdateProgress();
    EXPECT_FALSE(done.IsRunning());
    EXPECT_GT(done.commands, 1);
    EXPECT_TRUE(status.StateText().endsWith(QString::fromStdString(UpdateSizeText(done, 115200))))
        << status.StateText().toStdString();

    editor->Link().Progress().Begin(2345, 20);
    editor->Link().Progress().Acknowledge(12);
    status.OnProgressTick();
    EXPECT_TRUE(status.StateText().endsWith(QStringLiteral("전송 12/20")));

    // An update of only what changed tells what it saved.
    editor->Link().Progress().Begin(120, 3, 4000);
    editor->Link().Progress().Acknowledge(3);
    status.OnProgressTick();
    EXPECT_TRUE(status.StateText().endsWith(QStringLiteral("120 B, 0.01 s (전체 대비 97% 절약)")))
        << status.StateText().toStdString();
}

// A picture dropped on the canvas is one new bitmap object at the drop
// point; a project dropped there is left to the windows around it.
TEST_F(EditorFrame, PicturesDroppedOnTheCanvasBecomeBitmaps) {
    OpenEditor();
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 40; ++x) {
        image.setPixel(x, 0, qRgb(0, 0, 0));
    }
    const QString png = QString::fromStdString(folder.File("dropped.png"));
    ASSERT_TRUE(image.save(png));
    const auto drop = [this](const QString& path, QPoint at) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Canvas(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Canvas(), &dropped);
        return true;
    };
    const size_t actions = Core().History().GetCount();
    ASSERT_TRUE(drop(png, At(100.5, 50.5)));
    ASSERT_EQ(Core().History().GetCount(), actions + 1);
    const CVylObject* bitmap = Core().Selection().GetChiefSelectedObj();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->GetKind(), kObjBitmap);
    EXPECT_EQ(bitmap->GetRegion(), (VyRect{1000000, 500000, 1390000, 690000}));
    ASSERT_TRUE(WaitLinkIdle(editor->Link()));
    EXPECT_TRUE(VirtualModuleScreen(editor->Link()).GetDot(120, 50));

    // Near the edge it stays on the LCD.
    ASSERT_TRUE(drop(png, At(310, 235)));
    EXPECT_EQ(Core().Selection().GetChiefSelectedObj()->GetRegion().left, 2800000);
    Core().UndoEditActionAndDrawAll();
    Core().UndoEditActionAndDrawAll();
    EXPECT_EQ(Core().History().GetCount(), actions + 2);
    EXPECT_EQ(Core().Group().GetCount(), 0u);

    EXPECT_FALSE(drop(QString::fromStdString(folder.File("work.vyd")), At(10, 10)));
    const QString broken = QString::fromStdString(folder.File("broken.png"));
    std::ofstream(broken.toStdString()) << "not a picture";
    EXPECT_TRUE(drop(broken, At(10, 10)));
    EXPECT_EQ(notices, QStringList{QStringLiteral("지원되는 이미지 형식이 아닙니다.")});
}

// A click with the text tool makes a line of text and the keys then type
// into it: none of them picks a tool.
TEST_F(EditorFrame, AClickWithTheTextToolMakesATextReadyForTyping) {
    OpenEditor();
    editor->SelectTool(kToolText);
    const int32_t uid = Core().History().GetObjectCounter();
    MoveTo(At(40, 50));
    QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, At(40, 50));
    const CVylObject* text = Core().Group().GetByObjUid(uid);
    ASSERT_NE(text, nullptr);
    const VyRect region = text->GetRegion().Normalized();
    EXPECT_NEAR(region.left / 10000.0, 40, 1);
    EXPECT_NEAR(region.top / 10000.0, 50, 1);
    EXPECT_NEAR((region.right - region.left) / 10000.0, 100, 1);
    EXPECT_NEAR((region.bottom - region.top) / 10000.0, 16, 1);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_EQ(focused, editor->TextPanel().Content());
    QTest::keyClicks(focused, QStringLiteral("pbv"));
    text = Core().Group().GetByObjUid(uid);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Unique().GetString(kKeyTextContent), "pbv");
    EXPECT_NE(Core().GetTool(), kToolBitmap);
}
