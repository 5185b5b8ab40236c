// The interface's language: the choice kept in "pub.ini", the English
// translation complete and in step with the sources, and the core's
// messages, composed ones too, reaching the user in English.
#include <QMenuBar>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/source/source_generator.h"
#include "app/studio/studio_language.h"
#include "editor/canvas/ui_text.h"
#include "editor/tree/code_page.h"
#include "tests/app/studio/studio_fixture.h"

namespace {

const std::string kTsFile = VY_SOURCE_ROOT "/app/i18n/vylcd_en.ts";

struct Message {
    QString context;
    QString source;
    QString translation;
    bool finished = true;
};

std::vector<Message> ReadTs(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    QXmlStreamReader xml(&file);
    std::vector<Message> messages;
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QStringLiteral("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QStringLiteral("message")) {
            messages.push_back({context, {}, {}, true});
        } else if (xml.name() == QStringLiteral("source")) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == QStringLiteral("translation")) {
            const QString type = xml.attributes().value(QStringLiteral("type")).toString();
            messages.back().finished = type.isEmpty();
            messages.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

std::set<QString> Placeholders(const QString& text) {
    std::set<QString> found;
    for (const QRegularExpressionMatch& match :
         QRegularExpression(QStringLiteral("%\\d")).globalMatch(text)) {
        found.insert(match.captured());
    }
    return found;
}

class EnglishInterface : public StudioFixture {
  protected:
    void SetUp() override {
        StudioFixture::SetUp();
        ASSERT_TRUE(ApplyUiLanguage(true));
    }
    void TearDown() override {
        StudioFixture::TearDown();
        ApplyUiLanguage(false);
    }
};

}  // namespace

TEST(StudioLanguage, ChoiceIsKeptAndTheSystemDecidesOtherwise) {
    VyTempFolder folder;
    const std::string pub = folder.File("pub.ini");
    EXPECT_EQ(ReadUiLanguage(pub), VyUiLanguage::kSystem);
    WriteUiLanguage(pub, VyUiLanguage::kEnglish);
    EXPECT_EQ(ReadUiLanguage(pub), VyUiLanguage::kEnglish);
    WriteUiLanguage(pub, VyUiLanguage::kKorean);
    EXPECT_EQ(ReadUiLanguage(pub), VyUiLanguage::kKorean);

    const QLocale korean(QLocale::Korean, QLocale::SouthKorea);
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_FALSE(UsesEnglish(VyUiLanguage::kSystem, korean));
    EXPECT_TRUE(UsesEnglish(VyUiLanguage::kSystem, german));
    EXPECT_TRUE(UsesEnglish(VyUiLanguage::kEnglish, korean));
    EXPECT_FALSE(UsesEnglish(VyUiLanguage::kKorean, german));
}

TEST(StudioLanguage, EveryTextHasItsEnglishWithTheSamePlaceholders) {
    const std::vector<Message> messages = ReadTs(kTsFile);
    ASSERT_GT(messages.size(), 150u);
    for (const Message& message : messages) {
        const std::string where =
            (message.context + QStringLiteral(": ") + message.source).toStdString();
        EXPECT_TRUE(message.finished) << where;
        EXPECT_FALSE(message.translation.trimmed().isEmpty()) << where;
        EXPECT_EQ(Placeholders(message.translation), Placeholders(message.source)) << where;
        EXPECT_EQ(message.translation.contains(QLatin1Char('\t')),
                  message.source.contains(QLatin1Char('\t')))
            << where << ": the shortcut shown after the tab";
    }
}

// A text added to the sources without its English shows up here.
TEST(StudioLanguage, TranslationKnowsEveryTextOfTheSources) {
    VyTempFolder folder;
    const std::string copy = folder.File("current.ts");
    std::filesystem::copy_file(kTsFile, copy);
    const std::string command = std::string(VY_LUPDATE) +
                                " -silent -locations none -no-obsolete -source-language ko_KR"
                                " -target-language en_US " VY_SOURCE_ROOT "/editor " VY_SOURCE_ROOT
                                "/app -ts " +
                                copy + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::vector<QString> untranslated;
    for (const Message& message : ReadTs(copy)) {
        if (!message.finished || message.translation.isEmpty()) {
            untranslated.push_back(message.context + QStringLiteral(": ") + message.source);
        }
    }
    EXPECT_TRUE(untranslated.empty()) << untranslated.front().toStdString();
}

// Qt's own buttons and file dialogs follow: Korean with the Korean interface,
// English with the English one.
TEST(StudioLanguage, QtsOwnTextsFollowTheInterface) {
    const auto qtText = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    ASSERT_TRUE(ApplyUiLanguage(false));
    EXPECT_EQ(qtText(), QStringLiteral("취소"));
    ASSERT_TRUE(ApplyUiLanguage(true));
    EXPECT_EQ(qtText(), QStringLiteral("Cancel"));
    ASSERT_TRUE(ApplyUiLanguage(false));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"),
              QStringLiteral("다른 이름으로 저장"));
}

TEST_F(EnglishInterface, WindowsAndCoreMessagesSpeakEnglish) {
    StartWindow();
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(menus, QStringList({QStringLiteral("&File"), QStringLiteral("&Edit"),
                                  QStringLiteral("&Tools"), QStringLiteral("&View"),
                                  QStringLiteral("&Help")}));
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Untitled[*] - VYLCD Studio v1.")))
        << window->windowTitle().toStdString();

    // A fixed message and composed ones.
    EXPECT_EQ(UiText(kNoGraphicData), QStringLiteral("There is no graphic data."));
    CVylSourceSettings settings;
    settings.Set(kSrcKeyBytesPerLine, "0");
    EXPECT_EQ(UiText(settings.Validate().message),
              QStringLiteral("Command bytes per line must be at least 1."));
    settings.Set(kSrcKeyBytesPerLine, "x1");
    EXPECT_EQ(UiText(settings.Validate().message),
              QStringLiteral("Command bytes per line must consist of digits only."));
    EXPECT_EQ(UiText(Utf8ToCp949("3번 포트가 열리지 않습니다.")),
              QStringLiteral("Port 3 does not open."));
    // Texts no translation knows stay as they are.
    EXPECT_EQ(UiText(Utf8ToCp949("안녕하세요")), QStringLiteral("안녕하세요"));
}

TEST_F(EnglishInterface, StoredAndGeneratedTextsDoNotChange) {
    StartWindow();
    MakeRoomy();
    DrawBox();
    CVylObjectGroup drawing = Core().Group();
    CVylSourceSettings settings;
    settings.TrimAll();
    const std::string english =
        GenerateProgramSource(Core().DeviceContext(), drawing, settings).text;
    ApplyUiLanguage(false);
    const std::string korean =
        GenerateProgramSource(Core().DeviceContext(), drawing, settings).text;
    EXPECT_EQ(english, korean);
    EXPECT_EQ(english.rfind("CONST DEVICE = 3H\r\nSET HCODE KS5601\r\n", 0), 0u);
}
