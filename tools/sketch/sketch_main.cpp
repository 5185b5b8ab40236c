// vylcd-sketch [FILE]: the editor frame alone in a window, with the pane
// of command bytes and a message line, drawing on the built-in virtual
// module unless "comm.cfg" in the text data folder says otherwise; a test
// bench for the editor until the application hosts it.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

#include "editor/canvas/hex_pane.h"
#include "editor/frame/editor_frame.h"
#include "editor/tree/revolver.h"

namespace {

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

// The message line: a coloured text above the pane of command bytes.
class MessageLine : public CVyeEditorNotify {
  public:
    explicit MessageLine(QLabel* label) : m_label(label) {}
    void ShowMessageLine(const QColor& colour, const QString& text) override {
        m_label->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
        m_label->setText(text);
    }

  private:
    QLabel* m_label;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString data = QDir::tempPath() + QStringLiteral("/vylcd-sketch");
    QDir().mkpath(data);
    CVylMSCommConfig settings;
    const std::string comm = (data + QStringLiteral("/comm.cfg")).toStdString();
    if (!settings.LoadSettings(comm)) {
        settings.SetString("device", "virtual");
        settings.SaveSettings(comm);
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("VYLCD sketch"));
    auto* layout = new QVBoxLayout(&window);
    auto* editor = new CVyeEditor;
    auto* label = new QLabel;
    auto* pane = new CVylHexPane;
    pane->setFixedHeight(90);
    layout->addWidget(editor, 1);
    layout->addWidget(label);
    layout->addWidget(pane);
    MessageLine messages(label);
    window.resize(780, 760);
    window.show();
    if (!editor->InitEditor(comm, &window, QRect(0, 0, 760, 600), pane, &messages,
                            data.toStdString())) {
        return 1;
    }
    layout->insertWidget(0, editor, 1);
    if (argc > 1 && !OpenDrawing(editor->Canvas(), argv[1])) {
        std::fprintf(stderr, "%s: cannot open the drawing\n", argv[1]);
        return 1;
    }
    return QApplication::exec();
}
