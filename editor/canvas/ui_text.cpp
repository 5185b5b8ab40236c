#include "editor/canvas/ui_text.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <array>

#include "editor/tree/code_page.h"

namespace {

constexpr const char* kContext = "VyCore";

// Every fixed text the core shows, for the translation tools to find.
[[maybe_unused]] constexpr std::array kCoreTexts = {
    QT_TRANSLATE_NOOP("VyCore", "파일이 잘못되었습니다."),
    QT_TRANSLATE_NOOP("VyCore", "비정상 종료로 인해 저장되지 않았던 작업을 복구합니다."),
    QT_TRANSLATE_NOOP("VyCore", "파일을 저장할 수 없습니다."),
    QT_TRANSLATE_NOOP("VyCore", "그래픽 데이터가 없습니다."),
    QT_TRANSLATE_NOOP("VyCore", "기본"),
    QT_TRANSLATE_NOOP("VyCore", "사용자 설정"),
    QT_TRANSLATE_NOOP("VyCore", "C 배열"),
    QT_TRANSLATE_NOOP("VyCore", "소스 앞부분"),
    QT_TRANSLATE_NOOP("VyCore", "행 앞부분"),
    QT_TRANSLATE_NOOP("VyCore", "행 뒷부분"),
    QT_TRANSLATE_NOOP("VyCore", "행당 (최대) 바이트 수"),
    QT_TRANSLATE_NOOP("VyCore", "한 행당 커맨드 바이트 수"),
    QT_TRANSLATE_NOOP("VyCore", "행 구분"),
    QT_TRANSLATE_NOOP("VyCore", "행 구분 방식"),
    QT_TRANSLATE_NOOP("VyCore", "바이트 앞부분"),
    QT_TRANSLATE_NOOP("VyCore", "바이트 뒷부분"),
    QT_TRANSLATE_NOOP("VyCore", "명령 코드를 알파벳으로"),
    QT_TRANSLATE_NOOP("VyCore", "바이트 수에 따라"),
    QT_TRANSLATE_NOOP("VyCore", "커맨드에 따라"),
    QT_TRANSLATE_NOOP("VyCore",
                      "팁 : Tab 키를 누르면 근처에 있는 객체끼리 선택 전환할 수 있습니다."),
    QT_TRANSLATE_NOOP("VyCore", "팁 : Ctrl키를 누른 상태로 객체를 생성하면 정방형으로 생성됩니다."),
    QT_TRANSLATE_NOOP("VyCore",
                      "팁 : Shift키를 누른 상태로 객체를 생성하면 대칭형으로 생성됩니다."),
    QT_TRANSLATE_NOOP("VyCore", "알림"),
    QT_TRANSLATE_NOOP("VyCore", "객체가 올바르게 선택되지 않았습니다."),
    QT_TRANSLATE_NOOP("VyCore", "두 객체가 모두 라인이어야 접점 연결이 가능합니다."),
    QT_TRANSLATE_NOOP("VyCore", "올바른 템플릿 이름을 입력하세요."),
    QT_TRANSLATE_NOOP("VyCore", "이미 존재하는 템플릿 이름입니다."),
    QT_TRANSLATE_NOOP("VyCore", "템플릿을 저장할 수 없습니다."),
    QT_TRANSLATE_NOOP("VyCore", "템플릿을 로드할 수 없습니다."),
    QT_TRANSLATE_NOOP("VyCore", "포트가 열려있지 않아서 데이터를 LCD로 전송할 수 없습니다."),
    QT_TRANSLATE_NOOP("VyCore",
                      "LCD 연결이 안 되었거나 펌웨어가 구버전이거나 포트번호/보레이트 "
                      "설정이 맞지 않습니다."),
    QT_TRANSLATE_NOOP("VyCore", "고정"),
    QT_TRANSLATE_NOOP("VyCore", "가변"),
};

// Messages the core puts together from parts: the Korean text is matched,
// and the translation of its pattern gets the parts (those named in
// translatedArgs translated themselves, numbers and names as they are).
struct ComposedText {
    const char* pattern;
    const char* source;
    unsigned translatedArgs;  // bit n: argument n + 1 is a core text too
};

const std::array<ComposedText, 12> kComposed = {{
    {"^프로그램을 (\\S+) 이상으로 업데이트해야 읽을 수 있는 파일입니다\\.$",
     QT_TRANSLATE_NOOP("VyCore", "프로그램을 %1 이상으로 업데이트해야 읽을 수 있는 파일입니다."),
     0},
    {"^(.+)의 길이는 (\\d+)~(\\d+)자여야 합니다\\.$",
     QT_TRANSLATE_NOOP("VyCore", "%1의 길이는 %2~%3자여야 합니다."), 1},
    {"^(.+)[은는] 숫자로만 구성되야합니다\\.$",
     QT_TRANSLATE_NOOP("VyCore", "%1은(는) 숫자로만 구성되야합니다."), 1},
    {"^(.+)[은는] (\\d+) 이상이어야 합니다\\.$",
     QT_TRANSLATE_NOOP("VyCore", "%1은(는) %2 이상이어야 합니다."), 1},
    {"^(.+)[은는] (\\d+) 이하여야 합니다\\.$",
     QT_TRANSLATE_NOOP("VyCore", "%1은(는) %2 이하여야 합니다."), 1},
    {"^(.+)번 포트는 이미 사용중이거나 존재하지 않는 포트입니다\\.$",
     QT_TRANSLATE_NOOP("VyCore", "%1번 포트는 이미 사용중이거나 존재하지 않는 포트입니다."), 0},
    {"^(.+)번 포트가 열리지 않습니다\\.$",
     QT_TRANSLATE_NOOP("VyCore", "%1번 포트가 열리지 않습니다."), 0},
    {"^(.+) 열 수 없음$", QT_TRANSLATE_NOOP("VyCore", "%1 열 수 없음"), 0},
    {"^(.+) 포트를 열 권한이 없습니다\\. 이 장치는 '(.+)' 그룹의 사용자만 열 수 있습니다\\. "
     "'sudo usermod -aG (.+) \\$USER' 명령으로 사용자를 이 그룹에 추가한 뒤 다시 "
     "로그인하세요\\.$",
     QT_TRANSLATE_NOOP("VyCore",
                       "%1 포트를 열 권한이 없습니다. 이 장치는 '%2' 그룹의 사용자만 열 수 "
                       "있습니다. 'sudo usermod -aG %3 $USER' 명령으로 사용자를 이 그룹에 "
                       "추가한 뒤 다시 로그인하세요."),
     0},
    {"^(.+) 포트는 다른 프로그램\\((.+)\\)이 사용 중입니다\\. 그 프로그램을 닫은 뒤 다시 "
     "시도하세요\\.$",
     QT_TRANSLATE_NOOP("VyCore",
                       "%1 포트는 다른 프로그램(%2)이 사용 중입니다. 그 프로그램을 "
                       "닫은 뒤 다시 시도하세요."),
     0},
    {"^(.+) 포트는 다른 프로그램이 사용 중입니다\\. 그 프로그램을 닫은 뒤 다시 시도하세요\\.$",
     QT_TRANSLATE_NOOP("VyCore",
                       "%1 포트는 다른 프로그램이 사용 중입니다. 그 프로그램을 닫은 뒤 다시 "
                       "시도하세요."),
     0},
    // The forbidden characters of a template name follow their notice.
    {"^템플릿 이름에 다음 문자가 올 수 없습니다\\.(\\s[\\s\\S]*)$",
     QT_TRANSLATE_NOOP("VyCore", "템플릿 이름에 다음 문자가 올 수 없습니다.%1"), 0},
}};

QString Translate(const QString& source) {
    return QCoreApplication::translate(kContext, source.toUtf8().constData());
}

// The translation of a composed message, or the message itself.
QString TranslateComposed(const QString& message) {
    for (const ComposedText& text : kComposed) {
        const QRegularExpressionMatch match =
            QRegularExpression(QString::fromUtf8(text.pattern)).match(message);
        if (!match.hasMatch()) {
            continue;
        }
        QString translated = QCoreApplication::translate(kContext, text.source);
        if (translated == QString::fromUtf8(text.source)) {
            return message;
        }
        for (int arg = 1; arg <= match.lastCapturedIndex(); ++arg) {
            const QString part = match.captured(arg);
            const bool coreText = (text.translatedArgs >> (arg - 1) & 1) != 0;
            translated = translated.arg(coreText ? Translate(part) : part);
        }
        return translated;
    }
    return message;
}

}  // namespace

QString FromCp949(std::string_view cp949) {
    return QString::fromStdString(Cp949ToUtf8(cp949));
}

QString UiText(std::string_view cp949) {
    const QString source = FromCp949(cp949);
    const QString translated = Translate(source);
    return translated != source ? translated : TranslateComposed(source);
}
