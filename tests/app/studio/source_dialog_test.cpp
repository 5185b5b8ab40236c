// The source generator's dialog on the studio's canvas: its checks, the
// generated text, reset, the clipboard and the settings kept between uses.
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/studio/source_dialog.h"
#include "tests/app/studio/studio_fixture.h"

class SourceDialog : public StudioFixture {
  protected:
    void SetUp() override {
        StudioFixture::SetUp();
        StartWindow();
        MakeRoomy();
    }
    std::unique_ptr<CDlgSourceGenerator> Open() {
        return std::make_unique<CDlgSourceGenerator>(window->View().Canvas(),
                                                     folders->SrcGenrEnvCfgPath(),
                                                     folders->PubIniPath(), 115200, window.get());
    }
    static QLineEdit* Box(CDlgSourceGenerator& dialog, std::string_view key) {
        return qobject_cast<QLineEdit*>(dialog.Control(key));
    }
};

TEST_F(SourceDialog, NothingToGenerateFromAnEmptyDrawing) {
    auto dialog = Open();
    dialog->OnGenerate();
    EXPECT_EQ(notices, QStringList{QStringLiteral("알림: 그래픽 데이터가 없습니다.")});
    EXPECT_TRUE(dialog->Result()->toPlainText().isEmpty());
}

TEST_F(SourceDialog, BadByteCountsAreRefusedWithTheirReason) {
    DrawBox();
    auto dialog = Open();
    QLineEdit* bytes = Box(*dialog, kSrcKeyBytesPerLine);
    const struct {
        const char* typed;
        QString reason;
    } cases[] = {{"abc", QStringLiteral("숫자로만 구성되야합니다.")},
                 {"0", QStringLiteral("1 이상이어야 합니다.")},
                 {"70000", QStringLiteral("65535 이하여야 합니다.")},
                 {"123456", QStringLiteral("의 길이는 ")}};
    for (const auto& refused : cases) {
        notices.clear();
        bytes->setText(QString::fromLatin1(refused.typed));
        dialog->OnGenerate();
        ASSERT_EQ(notices.size(), 1) << refused.typed;
        EXPECT_TRUE(notices.first().contains(refused.reason)) << notices.first().toStdString();
        EXPECT_TRUE(notices.first().contains(QStringLiteral("한 행당 커맨드 바이트 수")));
        EXPECT_TRUE(dialog->Result()->toPlainText().isEmpty()) << refused.typed;
        EXPECT_EQ(bytes->selectedText(), bytes->text()) << "the bad value is selected";
    }
    notices.clear();
    bytes->setText(QStringLiteral(" 65535 "));
    dialog->OnGenerate();
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(bytes->text(), QStringLiteral("65535"));
    const QString text = dialog->Result()->toPlainText();
    EXPECT_TRUE(text.startsWith(
        QStringLiteral("CONST DEVICE = 3H\nSET HCODE KS5601\nSEROUT 0,47,0,0,[&H1B,\"")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("]")));
}

TEST_F(SourceDialog, ResetCopyAndTheSettingsFile) {
    DrawBox();
    auto dialog = Open();
    Box(*dialog, kSrcKeyLineHeader)->setText(QStringLiteral("SEND ["));
    auto* division = qobject_cast<QComboBox*>(dialog->Control(kSrcKeyLineDivision));
    division->setCurrentIndex(division->findData(QStringLiteral("cmd")));
    dialog->OnGenerate();
    const QString generated = dialog->Result()->toPlainText();
    EXPECT_TRUE(generated.contains(QStringLiteral("\nSEND [&H1B")));
    dialog->OnCopy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString(generated).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));

    dialog->OnReset();
    EXPECT_EQ(Box(*dialog, kSrcKeyLineHeader)->text(), QStringLiteral("SEROUT 0,47,0,0,["));
    // The reset is the "기본" preset whole, its line division shown.
    EXPECT_EQ(division->currentData().toString(), QStringLiteral("bytes"));
    EXPECT_EQ(dialog->PresetList()->currentText(), QStringLiteral("기본"));
    division->setCurrentIndex(division->findData(QStringLiteral("cmd")));
    Box(*dialog, kSrcKeyByteFoot)->setText(QStringLiteral("h"));
    dialog->reject();

    auto again = Open();
    EXPECT_EQ(Box(*again, kSrcKeyByteFoot)->text(), QStringLiteral("h"));
    EXPECT_EQ(Box(*again, kSrcKeyLineHeader)->text(), QStringLiteral("SEROUT 0,47,0,0,["));
    EXPECT_EQ(
        qobject_cast<QComboBox*>(again->Control(kSrcKeyLineDivision))->currentData().toString(),
        QStringLiteral("cmd"));
}

TEST_F(SourceDialog, PresetsFillTheSettingsUntilOneIsEdited) {
    DrawBox();
    auto dialog = Open();
    QComboBox* presets = dialog->PresetList();
    EXPECT_EQ(presets->currentText(), QStringLiteral("기본"));
    const int cArray = presets->findText(QStringLiteral("C 배열"));
    ASSERT_GE(cArray, 0);
    presets->setCurrentIndex(cArray);
    Q_EMIT presets->activated(cArray);
    EXPECT_EQ(Box(*dialog, kSrcKeyByteHeader)->text(), QStringLiteral("0x"));
    EXPECT_EQ(presets->currentText(), QStringLiteral("C 배열"));
    dialog->OnGenerate();
    const QString text = dialog->Result()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("#include <stdint.h>"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("{\n0x1B,0x43,0x4C,0x00,\n")))
        << "the module's old screen is cleared first: " << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("const uint16_t vylcd_screen_lengths[] = {")));
    dialog->reject();

    auto again = Open();
    EXPECT_EQ(again->PresetList()->currentText(), QStringLiteral("C 배열"));
    QLineEdit* foot = Box(*again, kSrcKeyByteFoot);
    foot->setFocus();
    QTest::keyClicks(foot, QStringLiteral("u"));
    EXPECT_EQ(again->PresetList()->currentText(), QStringLiteral("사용자 설정"));
    again->OnGenerate();
    EXPECT_FALSE(again->Result()->toPlainText().contains(QStringLiteral("vylcd_screen_lengths")))
        << "a custom setting has no preset's tail";
}

TEST_F(SourceDialog, SavesTheShownSourceAndRemembersTheFolder) {
    DrawBox();
    auto dialog = Open();
    QComboBox* presets = dialog->PresetList();
    const int python = presets->findText(QStringLiteral("Python (pyserial)"));
    ASSERT_GE(python, 0);
    presets->setCurrentIndex(python);
    Q_EMIT presets->activated(python);
    dialog->OnGenerate();
    const QString shown = dialog->Result()->toPlainText();
    ASSERT_FALSE(shown.isEmpty());

    const std::string folder = root.File("out");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    sourcePath = QString::fromStdString(folder + "/screen.py");
    dialog->OnSaveToFile();
    ASSERT_EQ(sourceAsks.size(), 1u);
    EXPECT_EQ(sourceAsks.front().preset, VySourcePreset::kPython);
    QFile saved(sourcePath);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(),
              QString(shown).replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toUtf8());
    EXPECT_TRUE(dialog->Status()->text().contains(QStringLiteral("screen.py")));
    EXPECT_TRUE(notices.isEmpty());
    dialog->reject();

    auto again = Open();
    sourcePath.clear();
    again->OnSaveToFile();
    ASSERT_EQ(sourceAsks.size(), 2u);
    EXPECT_EQ(sourceAsks.back().folder, QString::fromStdString(folder));
    EXPECT_TRUE(again->Status()->text().isEmpty()) << "a cancelled save says nothing";
}

TEST_F(SourceDialog, AFileThatCannotBeWrittenIsNamedInANotice) {
    DrawBox();
    auto dialog = Open();
    dialog->OnGenerate();
    sourcePath = QString::fromStdString(root.File("missing/screen.txt"));
    dialog->OnSaveToFile();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices.first().contains(sourcePath)) << notices.first().toStdString();
    EXPECT_TRUE(notices.first().contains(QStringLiteral("저장할 수 없습니다")));
    EXPECT_TRUE(dialog->Status()->text().isEmpty());
    EXPECT_FALSE(Exists(sourcePath.toStdString()));
    ASSERT_EQ(sourceAsks.size(), 1u);
    EXPECT_TRUE(sourceAsks.front().folder.isEmpty()) << "no folder was saved to yet";
}
