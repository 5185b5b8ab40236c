#include "tools/cli/render_command.h"

#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "editor/canvas/canvas_renderer.h"
#include "tools/cli/drawing_file.h"

namespace {

// Keeps QGuiApplication's argc alive for as long as the application.
int g_argc = 1;
char g_name[] = "vylcd-cli";
char* g_argv[] = {g_name, nullptr};

// Selects as asked; false when a uid is not in the drawing.
bool ApplySelection(CVylCanvasCore& canvas, const VyRenderOptions& options, std::ostream& err) {
    if (options.selectAll) {
        canvas.SelectAll();
    }
    bool known = true;
    for (int32_t uid : options.selection) {
        if (canvas.Group().GetByObjUid(uid) == nullptr) {
            err << "render: no object with uid " << uid << " in the drawing\n";
            known = false;
        } else if (!canvas.Selection().IsUidSelected(uid)) {
            canvas.Selection().AddSelObj(uid);
        }
    }
    canvas.SetMouseState(canvas.Selection().GetEverySelCount() > 0 ? kMouseSelected : kMouseIdle);
    return known;
}

}  // namespace

int RunRenderCommand(const std::string& path, const VyRenderOptions& options, std::ostream& err) {
    // Rendering needs no display, whatever the environment offers.
    std::unique_ptr<QGuiApplication> app;
    if (QGuiApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(g_argc, g_argv);
    }
    VyDrawingFile file;
    if (!ReadDrawingFile(path, file, err, VyReadScope::kHistory)) {
        return 1;
    }
    CVylCanvasCore canvas;
    if (file.isProject) {
        canvas.History().ReplaceWith(file.history);
        file.complete = canvas.Rebuild() != 0;
        if (!file.complete) {
            SayIncompleteReplay(path, err);
        }
    } else {
        canvas.Group() = std::move(file.group);
    }
    canvas.Grid().SetGridInt("use_grid", options.grid ? 1 : 0);
    const bool selected = ApplySelection(canvas, options, err);

    CVylCanvasRenderer renderer;
    const QImage image = renderer.RenderImage(canvas, QSize(options.width, options.height));
    if (!image.save(QString::fromStdString(options.pngPath), "PNG")) {
        err << options.pngPath << ": cannot write the picture\n";
        return 1;
    }
    return file.complete && selected ? 0 : 1;
}
