#include "tools/cli/send_command.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "editor/link/link_dispatch.h"
#include "editor/link/serial_link.h"
#include "editor/tree/code_page.h"
#include "tools/cli/drawing_file.h"

namespace {

// Keeps QCoreApplication's argc alive for as long as the application.
int g_argc = 1;
char g_name[] = "vylcd-cli";
char* g_argv[] = {g_name, nullptr};

struct Progress {
    size_t total = 0;
    size_t acknowledged = 0;
    int exitCode = -1;
};

void Report(std::ostream& err, const Progress& progress) {
    // A module may answer more than asked (a stray "K"); never show more.
    err << "\rsent " << std::min(progress.acknowledged, progress.total) << " of " << progress.total
        << " commands" << std::flush;
}

// Done when the transfer has ended and its every command is answered.
bool AllAcknowledged(CVylMSComm& link, const Progress& progress) {
    return progress.acknowledged >= progress.total && link.GetNotReturnedCmdCount() == 0 &&
           !link.Pool().IsAnyWorkerBusy();
}

}  // namespace

int RunSendCommand(const std::string& path, const VySendOptions& options, std::ostream& err) {
    VyDrawingFile file;
    if (!ReadDrawingFile(path, file, err)) {
        return 1;
    }
    // A drawing whose commands cannot all be made is not sent at all.
    VyDrawingUpdate update;
    if (!BuildDrawingUpdate(path, file.group, update, err)) {
        return 1;
    }
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        app = std::make_unique<QCoreApplication>(g_argc, g_argv);
    }
    CVylMSComm link;
    link.SetString("device", options.device);
    link.SetInt("baud_rate", static_cast<int32_t>(options.baud));
    link.Pool().Setup(2, 1, 10);
    link.Credits().SetClock([] { return std::chrono::steady_clock::now(); }, options.noAnswerMs);
    VyPortNotice notice;
    if (!link.OpenPort(&notice)) {
        err << Cp949ToUtf8(notice.text) << '\n';
        return 1;
    }

    Progress progress;
    progress.total =
        SplitIntoChunks(std::string_view(reinterpret_cast<const char*>(update.bytes.data()),
                                         update.bytes.size()),
                        &update.lengths)
            .size();
    link.SetReceiveObserver([&](const std::string& received) {
        progress.acknowledged += static_cast<size_t>(CountAcknowledgements(received));
        Report(err, progress);
    });
    link.SetLostObserver([&](const std::string& reason) {
        err << '\n' << options.device << ": " << reason << '\n';
        progress.exitCode = 1;
    });
    if (!link.InvokeDispatchBytes(update.dc, update.bytes, &update.lengths)) {
        err << "the transfer could not be started\n";
        return 1;
    }

    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (AllAcknowledged(link, progress) && progress.exitCode < 0) {
            progress.exitCode = 0;
        }
        if (link.Credits().IsPortFailed() && progress.exitCode < 0) {
            err << '\n' << options.device << ": the port failed while sending\n";
            progress.exitCode = 1;
        }
        if (link.Credits().CheckNoAnswer() && progress.exitCode < 0) {
            err << '\n' << Cp949ToUtf8(kNoAnswerWarning) << '\n';
            progress.exitCode = 3;
        }
        if (progress.exitCode >= 0) {
            QCoreApplication::quit();
        }
    });
    watch.start(5);
    Report(err, progress);
    QCoreApplication::exec();
    link.InitCredits();
    err << '\n';
    return progress.exitCode == 0 && !file.complete ? 1 : progress.exitCode;
}
