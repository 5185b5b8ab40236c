// The one main of the Qt-based test programs: one application object of the
// kind the program needs, on the offscreen platform unless another is asked.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#if defined(VY_TEST_APPLICATION_Widgets)
#include <QApplication>
using VyTestApplication = QApplication;
#elif defined(VY_TEST_APPLICATION_Gui)
#include <QGuiApplication>
using VyTestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using VyTestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleMock(&argc, argv);
    VyTestApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
