// A module on a pseudo-terminal that goes away, comes back under its stable
// name, keeps silent or answers in another language: the editor tells the
// user once, on the message line, and sends the whole screen once the
// module is back.
#include <unistd.h>

#include <QPushButton>
#include <QSignalSpy>
#include <atomic>
#include <chrono>
#include <functional>

#include "editor/document/full_update.h"
#include "tests/support/editor_fixture.h"
#include "tests/support/pty_module.h"
#include "tests/support/virtual_link.h"

namespace {

class PortOutage : public EditorFixture {
  protected:
    void SetUp() override {
        module = std::make_unique<PtyModule>();
        ASSERT_TRUE(module->IsOpen());
        stable = folder.File("module");
        Repoint(*module);
        OpenEditor(stable);
        messages =
            std::make_unique<QSignalSpy>(&editor->StatusStrip(), &CDlgGlobalStatus::messageLine);
    }
    // The stable name follows the module, as /dev/serial/by-id does.
    void Repoint(const PtyModule& target) {
        ::unlink(stable.c_str());
        ASSERT_EQ(::symlink(target.SlavePath().c_str(), stable.c_str()), 0);
    }
    // The cable pulled: the stable name goes with the device, so that a
    // terminal another test opens under the freed number is never reached.
    void Unplug() {
        ::unlink(stable.c_str());
        module->Close();
    }
    CVylMSComm& Link() { return editor->Link(); }
    // The screen a module shows after a full update of the drawing.
    CVylLcdFrame FullScreen() {
        CVylObjectGroup copy = Core().Group();
        VyByteArray bytes;
        VyLengthArray lengths;
        BuildFullLcdUpdate(Core().DeviceContext(), copy, bytes, lengths);
        return ScreenOfCommands(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
            &CVylUnifont::System());
    }
    // Runs the event loop until done holds; false after 5 s.
    static bool WaitFor(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            QCoreApplication::processEvents();
        }
        return true;
    }
    bool ShowsFullUpdate(const PtyModule& target) {
        return WaitFor([&] {
            Canvas()->OnTimer();
            return WaitLinkIdle(Link()) && !Link().Credits().IsUpdatePending() &&
                   target.Screen() == FullScreen();
        });
    }
    int Messages(const QString& part) const {
        int count = 0;
        for (const QList<QVariant>& message : *messages) {
            count += message.at(1).toString().contains(part) ? 1 : 0;
        }
        return count;
    }

    // The module keeps silent with a box's first command in flight; the
    // link's clock is the test's, with a 50 ms no-answer time.
    void StartSilentTransfer() {
        Link().Credits().SetClock(
            [this] {
                return std::chrono::steady_clock::time_point(std::chrono::milliseconds(clockMs));
            },
            50);
        module->SetSilent(true);
        Draw(kToolBox, 10, 10, 150, 70);
        // Written, not only taken: the silence counts from the write.
        ASSERT_TRUE(WaitFor([&] { return Link().Credits().IsAnswerAwaited(); }));
    }

    std::unique_ptr<PtyModule> module;
    std::string stable;
    std::atomic<int64_t> clockMs{0};
    std::unique_ptr<QSignalSpy> messages;
};

TEST_F(PortOutage, AHangUpMidTransferIsToldOnceAndTheModuleGetsAllOnReconnecting) {
    Draw(kToolBox, 10, 10, 150, 70);
    ASSERT_TRUE(ShowsFullUpdate(*module));

    // The module stops answering with a command in flight, then goes away.
    module->SetSilent(true);
    Draw(kToolEllipse, 30, 30, 120, 90);
    ASSERT_TRUE(WaitFor([&] { return Link().GetNotReturnedCmdCount() == 1; }));
    Unplug();
    ASSERT_TRUE(WaitFor([&] { return !Link().IsPortOpen(); }));
    EXPECT_TRUE(Link().IsPortLost());
    EXPECT_EQ(Messages(QStringLiteral("연결이 끊어졌습니다")), 1);
    EXPECT_TRUE(editor->StatusStrip().StateText().contains(QStringLiteral("연결 안 됨")));
    EXPECT_TRUE(editor->StatusStrip().RefreshButton()->isEnabled());

    // Edits during the outage, and tries while the module is still away,
    // bring up no box and no second message.
    Draw(kToolLine, 20, 100, 200, 110);
    Canvas()->OnTimer();
    editor->StatusStrip().OnReconnectTimer();
    EXPECT_TRUE(notices.isEmpty()) << notices.join(QStringLiteral("\n")).toStdString();
    EXPECT_EQ(Messages(QStringLiteral("연결이 끊어졌습니다")), 1);
    EXPECT_FALSE(Link().IsPortOpen());

    // Plugged back in, under another device name.
    PtyModule back;
    Repoint(back);
    QTest::mouseClick(editor->StatusStrip().RefreshButton(), Qt::LeftButton);
    ASSERT_TRUE(Link().IsPortOpen());
    EXPECT_EQ(Messages(QStringLiteral("다시 연결했습니다")), 1);
    EXPECT_TRUE(ShowsFullUpdate(back));
    EXPECT_FALSE(editor->StatusStrip().StateText().contains(QStringLiteral("연결 안 됨")));
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(PortOutage, TheTwoSecondTickReconnectsByItself) {
    Unplug();
    ASSERT_TRUE(WaitFor([&] { return !Link().IsPortOpen(); }));
    Draw(kToolBox, 10, 10, 150, 70);
    PtyModule back;
    Repoint(back);
    editor->StatusStrip().OnReconnectTimer();
    ASSERT_TRUE(Link().IsPortOpen());
    EXPECT_TRUE(ShowsFullUpdate(back)) << "the box drawn in the outage is on the module";
}

TEST_F(PortOutage, ASilentModuleIsWarnedOfWithoutTheFirmwareNoticeAndStartsAfresh) {
    StartSilentTransfer();
    editor->StatusStrip().OnProgressTick();
    ASSERT_TRUE(editor->StatusStrip().StateText().contains(QStringLiteral("전송")));
    clockMs = 100;
    editor->StatusStrip().OnTimer();
    EXPECT_EQ(editor->StatusStrip().NoAnswerText(), QStringLiteral("LCD로부터 응답 없음"));
    EXPECT_TRUE(notices.isEmpty()) << "a module that says nothing is not of old firmware";
    EXPECT_FALSE(editor->StatusStrip().StateText().contains(QStringLiteral("전송")))
        << "the count that does not move is gone";

    // It answers again: the rest of the stuck transfer gives way to a
    // whole screen.
    module->SetSilent(false);
    module->Say("K");
    EXPECT_TRUE(ShowsFullUpdate(*module));
    editor->StatusStrip().OnTimer();
    EXPECT_EQ(editor->StatusStrip().NoAnswerText(), QString());
}

TEST_F(PortOutage, AModuleAnsweringInAnotherLanguageGetsTheFirmwareNotice) {
    StartSilentTransfer();
    module->Say("?");
    ASSERT_TRUE(WaitFor([&] { return Link().HasForeignAnswer(); }));
    clockMs = 100;
    editor->StatusStrip().OnTimer();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QStringLiteral("펌웨어 버전")));
}

}  // namespace
