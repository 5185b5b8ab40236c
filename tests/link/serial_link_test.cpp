#include "editor/link/serial_link.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <atomic>
#include <thread>

#include "editor/link/serial_baud.h"
#include "editor/link/serial_port.h"
#include "editor/tree/code_page.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_folder.h"

namespace {

uint32_t OutputSpeed(int fd) {
    uint32_t baud = 0;
    GetSerialBaudRate(fd, &baud);
    return baud;
}

class SerialLink : public ::testing::Test {
  protected:
    SerialLink() { link.Pool().Setup(2, 1, 10); }
    // Starts sending bytes cut into the lengths through the open port.
    void StartTransfer(const std::string& bytes, const VyLengthArray& lengths) {
        CVylDeviceContext dc;
        dc.InitDeviceContext(kModelVyb3224);
        ASSERT_TRUE(
            link.InvokeDispatchBytes(dc, VyByteArray(bytes.begin(), bytes.end()), &lengths));
    }

    CVylMSComm link;
};

TEST_F(SerialLink, ABusyPortIsRefusedWithItsNoticeAndTheOpenPortStays) {
    PtyPair first;
    PtyPair busy;
    CVylSerialPort holder;
    ASSERT_EQ(holder.Open(busy.SlavePath(), 19200), "");

    link.SetString("device", first.SlavePath());
    ASSERT_TRUE(link.OpenPort());
    link.SetString("device", busy.SlavePath());
    VyPortNotice notice;
    EXPECT_FALSE(link.OpenPort(&notice));
    EXPECT_EQ(Cp949ToUtf8(notice.text),
              busy.SlavePath() + "번 포트는 이미 사용중이거나 존재하지 않는 포트입니다.");
    EXPECT_EQ(Cp949ToUtf8(notice.caption), "COMM" + busy.SlavePath() + " 열 수 없음");
    EXPECT_TRUE(link.IsPortOpen());
    EXPECT_EQ(link.PortStateText(), first.SlavePath() + ": 19200,N,8,1");

    link.Remove("device");
    link.SetInt("port", 250);
    EXPECT_FALSE(link.OpenPort(&notice));
    EXPECT_EQ(Cp949ToUtf8(notice.text), "250번 포트는 이미 사용중이거나 존재하지 않는 포트입니다.");
}

TEST_F(SerialLink, ReopeningTheOpenPortOnlyAppliesTheRate) {
    PtyPair pty;
    link.SetString("device", pty.SlavePath());
    ASSERT_TRUE(link.OpenPort());
    link.SetInt("baud_rate", 76800);
    ASSERT_TRUE(link.OpenPort());
    EXPECT_EQ(link.PortStateText(), pty.SlavePath() + ": 76800,N,8,1");
    // Still the same open port: another opener is still kept out.
    EXPECT_FALSE(CVylSerialPort::IsPortFree(pty.SlavePath()));
    link.SetInt("baud_rate", 0);
    EXPECT_FALSE(link.OpenPort());
    EXPECT_TRUE(link.IsPortOpen());
}

TEST_F(SerialLink, InitializeAsksUntilThePortOpensOrTheUserGivesUp) {
    VyTempFolder folder;
    const std::string settings = folder.File("comm.cfg");
    CVylMSCommConfig saved;
    saved.SetString("device", "/dev/no-such-port");
    saved.SetInt("baud_rate", 115200);
    ASSERT_TRUE(saved.SaveSettings(settings));

    int asked = 0;
    EXPECT_EQ(link.Initialize(settings,
                              [&](CVylMSComm& l, const VyPortNotice& notice) {
                                  ++asked;
                                  EXPECT_FALSE(notice.text.empty());
                                  l.SetString("device", asked == 1 ? "/dev/still-none" : "virtual");
                                  return true;
                              }),
              1);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(link.PortStateText(), "virtual: 115200,N,8,1");

    CVylMSComm other;
    EXPECT_EQ(other.Initialize(settings, [](CVylMSComm&, const VyPortNotice&) { return false; }),
              0);
    EXPECT_FALSE(other.IsPortOpen());
}

TEST_F(SerialLink, ATransferEndsWithThePortItWasSentTo) {
    PtyPair first;
    PtyPair second;
    link.SetString("device", first.SlavePath());
    ASSERT_TRUE(link.OpenPort());
    StartTransfer("aabbcc", {2, 2, 2});
    ASSERT_EQ(first.ReadMaster(2, 3000), "aa");

    link.SetString("device", second.SlavePath());
    ASSERT_TRUE(link.OpenPort());
    EXPECT_FALSE(link.Pool().IsAnyWorkerBusy());
    EXPECT_EQ(link.GetNotReturnedCmdCount(), 0);
    // The other module's answer must not release the rest of the old transfer.
    second.WriteMaster("K");
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(second.Drain(50), "");
    EXPECT_FALSE(link.Credits().IsPortFailed());
}

TEST_F(SerialLink, SwitchingPortsNeverWaitsForTheOldLine) {
    PtyPair stuck;
    link.SetString("device", stuck.SlavePath());
    ASSERT_TRUE(link.OpenPort());
    // Far more than the line holds while nobody reads it: the write blocks.
    const std::string picture(1 << 20, 'p');
    StartTransfer(picture, {static_cast<uint32_t>(picture.size())});
    // The first byte on the line: the worker is in its write.
    ASSERT_EQ(stuck.ReadMaster(1, 3000), "p");
    ASSERT_TRUE(link.Pool().IsAnyWorkerBusy());

    // Reads the old line only if the switch is still waiting after a while.
    std::atomic<bool> switched{false};
    std::atomic<bool> hadToDrain{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 200 && !switched; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        while (!switched) {
            hadToDrain = true;
            stuck.Drain(10);
        }
    });
    link.SetString("device", "virtual");
    const bool opened = link.OpenPort();
    switched = true;
    watchdog.join();
    EXPECT_TRUE(opened);
    EXPECT_FALSE(hadToDrain);
    EXPECT_FALSE(link.Pool().IsAnyWorkerBusy());
}

TEST_F(SerialLink, AProbeBorrowsTheOpenPortAndOpenPortTakesItBack) {
    PtyPair pty;
    PtyPair other;
    link.SetString("device", pty.SlavePath());
    link.SetInt("baud_rate", 57600);
    ASSERT_TRUE(link.OpenPort());
    EXPECT_FALSE(link.ReleasePortForProbe(other.SlavePath()));
    EXPECT_TRUE(link.IsPortOpen());

    ASSERT_TRUE(link.ReleasePortForProbe(pty.SlavePath()));
    EXPECT_FALSE(link.IsPortOpen());
    CVylSerialPort probe;
    ASSERT_EQ(probe.Open(pty.SlavePath(), 2400), "");
    probe.Close();
    ASSERT_TRUE(link.OpenPort());
    EXPECT_EQ(OutputSpeed(pty.Keeper()), 57600u);
    EXPECT_EQ(link.PortStateText(), pty.SlavePath() + ": 57600,N,8,1");

    // Settings changed and not applied: the open port is not theirs to restore.
    link.SetInt("baud_rate", 9600);
    EXPECT_FALSE(link.ReleasePortForProbe(pty.SlavePath()));
    EXPECT_TRUE(link.IsPortOpen());
    link.SetString("device", "virtual");
    ASSERT_TRUE(link.OpenPort());
    EXPECT_FALSE(link.ReleasePortForProbe("virtual"));
}

}  // namespace
