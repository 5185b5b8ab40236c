#include "bench/bench_application.h"

#include <QApplication>

void EnsureBenchApplication() {
    static int argc = 1;
    static char name[] = "vy_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static QApplication app(argc, argv);
    }
}
