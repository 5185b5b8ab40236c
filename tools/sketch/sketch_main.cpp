// vylcd-sketch [FILE]: the canvas alone in a window, with the drawing
// tools, the hex pane and the built-in virtual module behind the link; a
// test bench for the canvas until the editor frame hosts it.
#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <array>
#include <cstdio>
#include <utility>

#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/hex_pane.h"
#include "editor/link/serial_link.h"
#include "editor/tree/revolver.h"

namespace {

// The tools in the tool bar's order, with their tool-tip texts.
const std::array<std::pair<int32_t, const char*>, 8> kTools{{{kToolSelect, "선택 도구"},
                                                             {kToolBox, "빈 박스"},
                                                             {kToolFilledBox, "채워진 박스"},
                                                             {kToolEllipse, "빈 원"},
                                                             {kToolFilledEllipse, "채워진 원"},
                                                             {kToolLine, "직선"},
                                                             {kToolText, "문자"},
                                                             {kToolBitmap, "그림 파일"}}};

bool OpenDrawing(CVylCanvas& canvas, const char* path) {
    CRevolver bytes;
    if (!bytes.LoadFromFile(path)) {
        return false;
    }
    int32_t required = 0;
    CVylEditActionGroup loaded;
    if (loaded.EdtActionGrpFromRevolver(bytes, &required)) {
        canvas.Core().History().ReplaceWith(loaded);
        canvas.OnAgain(1, 1, 1, 1, 1, 1);
        return true;
    }
    CVylObjectGroup group;
    if (!group.ObjGroupFromRevolver(bytes)) {
        return false;
    }
    canvas.Core().PasteFromObjectGroup(group);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CVylMSComm link;
    link.SetString("device", "virtual");
    link.Pool().Setup(2, 1, 10);
    link.OpenPort();

    QWidget window;
    window.setWindowTitle(QStringLiteral("VYLCD sketch"));
    auto* canvas = new CVylCanvas;
    auto* pane = new CVylHexPane;
    canvas->SetLink(&link);
    canvas->SetHexPane(pane);
    CVylObjectUniqueAttr& tool = canvas->Core().ToolAttrs();
    tool.SetString(kKeyDotSize, "0");
    tool.SetString(kKeyColorSwitch, "1");
    tool.SetString(kKeyDottedSpacing, "0");
    tool.SetString(kKeyKorFontIndex, "3");

    auto* tools = new QHBoxLayout;
    auto* group = new QButtonGroup(&window);
    for (const auto& [code, label] : kTools) {
        auto* button = new QPushButton(QString::fromUtf8(label));
        button->setCheckable(true);
        button->setChecked(code == kToolSelect);
        group->addButton(button, code);
        tools->addWidget(button);
    }
    QObject::connect(group, &QButtonGroup::idClicked, canvas,
                     [canvas](int code) { canvas->Core().SetTool(code); });
    auto* layout = new QVBoxLayout(&window);
    layout->addLayout(tools);
    layout->addWidget(canvas, 1);
    layout->addWidget(pane);
    pane->setFixedHeight(90);
    canvas->setMinimumSize(400, 300);
    window.resize(720, 700);
    window.show();
    if (argc > 1 && !OpenDrawing(*canvas, argv[1])) {
        std::fprintf(stderr, "%s: cannot open the drawing\n", argv[1]);
        return 1;
    }
    return QApplication::exec();
}
