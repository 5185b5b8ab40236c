// The studio's main window on the built-in virtual module, with its data
// folders in a folder of the test's own, every prompt answered by the test
// and notices captured.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "app/studio/main_window.h"
#include "app/studio/studio_prompts.h"
#include "editor/canvas/notice.h"
#include "tests/support/canvas_mouse.h"
#include "tests/support/temp_folder.h"
#include "tests/support/virtual_link.h"

class StudioFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previousSink =
            SetNoticeSink([this](const QString& text, const QString& caption, QWidget*) {
                notices << caption + QStringLiteral(": ") + text;
            });
        m_previousPrompts = StudioPrompts();
        StudioPrompts() = {[this](QWidget*) {
                               ++saveAsks;
                               return saveAnswer;
                           },
                           [this](QWidget*) { return openPath; },
                           [this](QWidget*) { return savePath; },
                           [this](QWidget*) { return pngExport; },
                           [this](const QString& path) {
                               manualsOpened << path;
                               return false;
                           },
                           [this](QWidget*, const VySourceFileAsk& ask) {
                               sourceAsks.push_back(ask);
                               return sourcePath;
                           }};
        folders.emplace(VyProgramEnv{VY_STUDIO_PROGRAM_FOLDER, [this](const std::string& name) {
                                         return name == "VYLCD_DATA_ROOT" ? root.Path()
                                                                          : std::string();
                                     }});
        sample = QString::fromStdString(root.File("showcase.vyd"));
        std::filesystem::copy_file(VY_SOURCE_ROOT "/samples/showcase.vyd", sample.toStdString());
        // The timers stay out of the way unless a test lets them run.
        options.backupPeriodMs = 3600000;
        options.startupDelayMs = 3600000;
    }
    void TearDown() override {
        window.reset();
        StudioPrompts() = m_previousPrompts;
        SetNoticeSink(m_previousSink);
    }

    void StartWindow() {
        window = std::make_unique<CMainFrame>(*folders, options);
        ASSERT_TRUE(window->Start());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // Room for the drawing tests' gestures.
    void MakeRoomy() {
        window->resize(1100, 800);
        QApplication::processEvents();
    }

    CVylCanvasCore& Core() { return window->View().Canvas().Core(); }
    CVylMSComm& Link() { return window->View().Editor().Link(); }
    CanvasMouse Mouse() { return CanvasMouse(window->View().Editor()); }
    std::string History() { return Core().History().GetEditActionGroupExp(true); }
    void Trigger(const char* command) { window->Command(QString::fromLatin1(command))->trigger(); }
    bool Exists(const std::string& path) const { return std::filesystem::exists(path); }
    // Draws a box where the sample leaves the LCD empty.
    int32_t DrawBox() { return Mouse().Draw(kToolBox, 110, 105, 160, 128); }

    // Runs the event loop until done() holds; false after 5 s.
    template <typename Done>
    bool WaitFor(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }

    VyTempFolder root;
    std::optional<CVYSDataFolders> folders;
    VyStudioOptions options;
    std::unique_ptr<CMainFrame> window;
    QString sample;
    QStringList notices;
    QStringList manualsOpened;
    int saveAsks = 0;
    VySaveAnswer saveAnswer = VySaveAnswer::kNo;
    QString openPath;
    QString savePath;
    VyPngExport pngExport;
    std::vector<VySourceFileAsk> sourceAsks;
    QString sourcePath;

  private:
    VyNoticeSink m_previousSink;
    VyStudioPrompts m_previousPrompts;
};
