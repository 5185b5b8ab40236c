// The user's guide in the studio's own window: opened from the menu in the
// interface's language, searched with the keys a user presses, handed to
// the desktop's viewer on request, and a guide that cannot be read said so
// in the window.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <fstream>

#include "app/studio/guide_window.h"
#include "app/studio/message_line.h"
#include "app/studio/studio_language.h"
#include "tests/app/studio/studio_fixture.h"

namespace {

QString FileText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

bool HoldsHangul(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3; });
}

// Where word starts in text, ignoring case, in order.
std::vector<qsizetype> Places(const QString& text, const QString& word) {
    std::vector<qsizetype> places;
    for (qsizetype at = text.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(word, at + 1, Qt::CaseInsensitive)) {
        places.push_back(at);
    }
    return places;
}

}  // namespace

class StudioGuide : public StudioFixture {
  protected:
    CGuideWindow* OpenFromMenu() {
        Trigger("help_manual");
        auto* guide = window->findChild<CGuideWindow*>();
        EXPECT_NE(guide, nullptr);
        return guide;
    }
    CGuideWindow* OpenActive() {
        CGuideWindow* guide = OpenFromMenu();
        if (guide != nullptr) {
            EXPECT_TRUE(WaitFor([guide] { return QApplication::activeWindow() == guide; }));
        }
        return guide;
    }
    // Types text as key presses carrying it, Hangul too (QTest's own
    // typing knows only ASCII).
    static void Type(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    static qsizetype Selected(const CGuideWindow& guide) {
        return guide.Text().textCursor().selectionStart();
    }
};

class StudioGuideInEnglish : public StudioGuide {
  protected:
    void SetUp() override {
        StudioGuide::SetUp();
        ASSERT_TRUE(ApplyUiLanguage(true));
    }
    void TearDown() override {
        StudioGuide::TearDown();
        ApplyUiLanguage(false);
    }
};

TEST_F(StudioGuide, MenuShowsTheKoreanGuideInAWindowThatBlocksNothing) {
    StartWindow();
    CGuideWindow* guide = OpenFromMenu();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(guide->isWindow());
    EXPECT_EQ(guide->windowModality(), Qt::NonModal);
    const QString path = QString::fromStdString(folders->ManualTxtPath());
    EXPECT_EQ(guide->GuidePath(), path);
    EXPECT_TRUE(guide->HasGuide());
    // Copied from the shipped guide into the user's text data folder.
    EXPECT_EQ(FileText(path), FileText(QString::fromStdString(folders->ShippedManualPath())));
    EXPECT_EQ(guide->Text().toPlainText(), FileText(path));
    EXPECT_TRUE(guide->Text().toPlainText().contains(QStringLiteral("프로그램 소스 생성")));
    EXPECT_TRUE(guide->Text().isReadOnly());
    EXPECT_EQ(guide->Text().font(), QApplication::font());
    EXPECT_TRUE(manualsOpened.isEmpty()) << "no other program is started";

    // Typing into the text changes nothing.
    guide->Text().setFocus();
    QTest::keyClicks(&guide->Text(), QStringLiteral("xyz"));
    EXPECT_EQ(guide->Text().toPlainText(), FileText(path));

    // The menu again brings the same window back.
    guide->close();
    EXPECT_FALSE(guide->isVisible());
    EXPECT_EQ(OpenFromMenu(), guide);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(window->findChildren<CGuideWindow*>().size(), 1);
}

TEST_F(StudioGuideInEnglish, EnglishInterfaceShowsAndOpensTheEnglishGuide) {
    StartWindow();
    CGuideWindow* guide = OpenFromMenu();
    ASSERT_NE(guide, nullptr);
    const QString path = QString::fromStdString(folders->ManualTxtPath(true));
    EXPECT_TRUE(path.endsWith(QStringLiteral("/manual_en.txt")));
    EXPECT_EQ(guide->GuidePath(), path);
    const QString text = guide->Text().toPlainText();
    EXPECT_EQ(text, FileText(QString::fromStdString(folders->ShippedManualPath(true))));
    EXPECT_TRUE(text.startsWith(QStringLiteral("VYLCD Studio User's Guide")));
    // The menus as the English interface names them, and no Korean left.
    for (const char* name : {"Generate Program Source", "Serial Settings", "Send Only Changes",
                             "Save Selection as Template..", "Fit to Window", "LCD Preview"}) {
        EXPECT_TRUE(text.contains(QString::fromLatin1(name))) << name;
    }
    EXPECT_FALSE(HoldsHangul(text));
    // Every section of the Korean guide has its English.
    const QString korean = FileText(QString::fromStdString(folders->ShippedManualPath()));
    EXPECT_EQ(Places(text, QStringLiteral("\n----")).size(),
              Places(korean, QStringLiteral("\n----")).size());

    QTest::mouseClick(&guide->OpenInViewerButton(), Qt::LeftButton);
    EXPECT_EQ(manualsOpened, QStringList{path});
}

TEST_F(StudioGuide, KeysFindNextAndPreviousRoundTheEndsAndSayWhenNothingIsFound) {
    StartWindow();
    CGuideWindow* guide = OpenActive();
    ASSERT_NE(guide, nullptr);
    const QString word = QStringLiteral("그리드");
    const std::vector<qsizetype> places = Places(guide->Text().toPlainText(), word);
    ASSERT_GE(places.size(), 3u);

    guide->Text().setFocus();
    QTest::keyClick(&guide->Text(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), &guide->FindBox()) << "Ctrl+F";
    // Typing finds the first place at once.
    Type(&guide->FindBox(), word);
    EXPECT_EQ(Selected(*guide), places[0]);
    EXPECT_EQ(guide->Text().textCursor().selectedText(), word);
    // Enter and F3 walk forward, then round to the first place.
    for (size_t i = 1; i < places.size(); ++i) {
        QTest::keyClick(&guide->FindBox(), i % 2 == 0 ? Qt::Key_F3 : Qt::Key_Return);
        EXPECT_EQ(Selected(*guide), places[i]) << i;
        EXPECT_TRUE(guide->State().text().isEmpty());
    }
    QTest::keyClick(&guide->FindBox(), Qt::Key_Return);
    EXPECT_EQ(Selected(*guide), places[0]);
    EXPECT_EQ(guide->State().text(), QStringLiteral("끝에 이르러 처음부터 찾았습니다"));
    // Shift+F3 walks back, round to the last place.
    QTest::keyClick(&guide->FindBox(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Selected(*guide), places.back());
    EXPECT_EQ(guide->State().text(), QStringLiteral("처음에 이르러 끝부터 찾았습니다"));
    QTest::keyClick(&guide->Text(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Selected(*guide), places[places.size() - 2]);
    EXPECT_TRUE(guide->State().text().isEmpty());

    // A word the guide lacks: said beside the box, the box tinted, no modal
    // box, and the selection stays.
    const QColor plain = guide->FindBox().palette().color(QPalette::Base);
    const qsizetype before = Selected(*guide);
    QTest::keyClicks(&guide->FindBox(), QStringLiteral("zq"));
    EXPECT_EQ(guide->State().text(), QStringLiteral("찾을 수 없습니다"));
    EXPECT_NE(guide->FindBox().palette().color(QPalette::Base), plain);
    QTest::keyClick(&guide->FindBox(), Qt::Key_Return);
    EXPECT_EQ(guide->State().text(), QStringLiteral("찾을 수 없습니다"));
    EXPECT_EQ(Selected(*guide), before);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // Taking the letters back finds the word where it stood.
    QTest::keyClick(&guide->FindBox(), Qt::Key_Backspace);
    QTest::keyClick(&guide->FindBox(), Qt::Key_Backspace);
    EXPECT_EQ(Selected(*guide), before);
    EXPECT_TRUE(guide->State().text().isEmpty());
    EXPECT_EQ(guide->FindBox().palette().color(QPalette::Base), plain);
    // The buttons do what the keys do.
    const QList<QPushButton*> buttons = guide->findChildren<QPushButton*>();
    const auto button = [&buttons](const QString& label) {
        const auto found = std::find_if(buttons.begin(), buttons.end(),
                                        [&label](QPushButton* b) { return b->text() == label; });
        return found == buttons.end() ? nullptr : *found;
    };
    ASSERT_NE(button(QStringLiteral("다음")), nullptr);
    ASSERT_NE(button(QStringLiteral("이전")), nullptr);
    QTest::mouseClick(button(QStringLiteral("다음")), Qt::LeftButton);
    EXPECT_EQ(Selected(*guide), places.back());
    QTest::mouseClick(button(QStringLiteral("이전")), Qt::LeftButton);
    EXPECT_EQ(Selected(*guide), places[places.size() - 2]);
    // Emptying the box clears what it said.
    guide->FindBox().clear();
    QTest::keyClick(&guide->FindBox(), Qt::Key_Return);
    EXPECT_TRUE(guide->State().text().isEmpty());
}

TEST_F(StudioGuide, ButtonHandsTheGuideToTheViewerAndTheMessageLineSaysWhereItIs) {
    StartWindow();
    CGuideWindow* guide = OpenFromMenu();
    ASSERT_NE(guide, nullptr);
    const QString path = QString::fromStdString(folders->ManualTxtPath());
    ASSERT_EQ(guide->OpenInViewerButton().text(), QStringLiteral("기본 프로그램으로 열기"));
    QTest::mouseClick(&guide->OpenInViewerButton(), Qt::LeftButton);
    EXPECT_EQ(manualsOpened, QStringList{path});
    // The test's viewer opens nothing, as on a desktop without one.
    EXPECT_TRUE(window->View().MessageLine().Text().contains(path));
    EXPECT_EQ(guide->State().text(), QStringLiteral("기본 프로그램으로 열지 못했습니다"));

    // A viewer that opens it leaves the message line alone.
    window->View().MessageLine().ShowText(Qt::black, QStringLiteral("-"));
    StudioPrompts().openManual = [this](const QString& file) {
        manualsOpened << file;
        return true;
    };
    QTest::mouseClick(&guide->OpenInViewerButton(), Qt::LeftButton);
    EXPECT_EQ(manualsOpened, (QStringList{path, path}));
    EXPECT_EQ(window->View().MessageLine().Text(), QStringLiteral("-"));
    EXPECT_TRUE(guide->State().text().isEmpty());
}

TEST_F(StudioGuide, AGuideThatCannotBeReadIsSaidSoInTheWindow) {
    // Something that is not a file where the guide belongs: nothing is
    // copied over it.
    const QString path = QString::fromStdString(folders->ManualTxtPath());
    ASSERT_TRUE(std::filesystem::create_directory(path.toStdString()));
    StartWindow();
    CGuideWindow* guide = OpenFromMenu();
    ASSERT_NE(guide, nullptr);
    EXPECT_FALSE(guide->HasGuide());
    EXPECT_EQ(guide->Text().toPlainText(), QStringLiteral("사용설명서 파일이 없습니다: ") + path);
    EXPECT_FALSE(guide->OpenInViewerButton().isEnabled());
    // Finding in the message is harmless.
    guide->FindBox().setText(QStringLiteral("없습니다"));
    guide->Find(VyFindDirection::kNext);
    EXPECT_TRUE(guide->Text().textCursor().hasSelection());
    EXPECT_TRUE(notices.isEmpty());

    // A file far too large for a guide is refused, not loaded.
    const std::string large = root.File("large.txt");
    std::ofstream(large) << std::string(9 * 1024 * 1024, 'a');
    guide->ShowGuide(QString::fromStdString(large));
    EXPECT_FALSE(guide->HasGuide());
    EXPECT_TRUE(
        guide->Text().toPlainText().startsWith(QStringLiteral("사용설명서 파일이 너무 큽니다")));
    // Bytes that are not UTF-8 still show, as replacement characters.
    const std::string broken = root.File("broken.txt");
    std::ofstream(broken, std::ios::binary) << "Guide \xff\xfe end";
    guide->ShowGuide(QString::fromStdString(broken));
    EXPECT_TRUE(guide->HasGuide());
    EXPECT_TRUE(guide->OpenInViewerButton().isEnabled());
    EXPECT_TRUE(guide->Text().toPlainText().startsWith(QStringLiteral("Guide ")));
    EXPECT_TRUE(guide->Text().toPlainText().endsWith(QStringLiteral(" end")));
}
