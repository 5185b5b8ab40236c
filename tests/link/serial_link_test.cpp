#include "editor/link/serial_link.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <atomic>
#include <cerrno>
#include <fstream>
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

TEST_F(SerialLink, ABusyOrMissingPortIsRefusedWithItsNoticeAndTheOpenPortStays) {
    PtyPair first;
    PtyPair busy;
    CVylSerialPort holder;
    ASSERT_EQ(holder.Open(busy.SlavePath(), 19200), "");

    link.SetString("device", first.SlavePath());
    ASSERT_TRUE(link.OpenPort());
    link.SetString("device", busy.SlavePath());
    VyPortNotice notice;
    EXPECT_FALSE(link.OpenPort(&notice));
    EXPECT_TRUE(Cp949ToUtf8(notice.text).starts_with(busy.SlavePath() + " 포트는 다른 프로그램("))
        << Cp949ToUtf8(notice.text);
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
    EXPECT_FALSE(link.TryReconnect()) << "the reconnecting tick leaves a lent port to the probe";
    EXPECT_FALSE(link.IsPortOpen());
    EXPECT_FALSE(link.IsPortLost());
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

namespace {

std::string OwnCommand() {
    std::ifstream file("/proc/self/comm");
    std::string command;
    std::getline(file, command);
    return command;
}

}  // namespace

TEST(PortNotices, APortHeldByAnotherProgramNamesTheProgram) {
    PtyPair line;
    CVylSerialPort holder;
    ASSERT_EQ(holder.Open(line.SlavePath(), 19200), "");
    EXPECT_EQ(CVylSerialPort::OpenFailure(line.SlavePath()), EBUSY);
    CVylMSComm link;
    link.SetString("device", line.SlavePath());
    VyPortNotice notice;
    ASSERT_FALSE(link.OpenPort(&notice));
    EXPECT_EQ(Cp949ToUtf8(notice.text), line.SlavePath() + " 포트는 다른 프로그램(" + OwnCommand() +
                                            " (PID " + std::to_string(::getpid()) +
                                            "))이 사용 중입니다. 그 프로그램을 닫은 뒤 다시 " +
                                            "시도하세요.");
    EXPECT_EQ(Cp949ToUtf8(notice.caption), "COMM" + line.SlavePath() + " 열 수 없음");
}

TEST(PortNotices, NoPermissionNamesTheDeviceAndItsGroup) {
    VyTempFolder folder;
    const std::string device = folder.File("ttyUSB7");
    std::ofstream(device).put('x');
    const struct group* dialout = ::getgrnam("dialout");
    ASSERT_NE(dialout, nullptr);
    ASSERT_EQ(::chown(device.c_str(), static_cast<uid_t>(-1), dialout->gr_gid), 0);
    EXPECT_EQ(DeviceGroup(device), "dialout");
    const VyPortNotice notice = PortOpenNotice(device, device, EACCES);
    EXPECT_EQ(Cp949ToUtf8(notice.text),
              device + " 포트를 열 권한이 없습니다. 이 장치는 'dialout' 그룹의 사용자만 열 수 " +
                  "있습니다. 'sudo usermod -aG dialout $USER' 명령으로 사용자를 이 그룹에 " +
                  "추가한 뒤 다시 로그인하세요.");
    // Without root, a device nobody may open gives that notice through the link.
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(device.c_str(), 0), 0);
        CVylMSComm link;
        link.SetString("device", device);
        VyPortNotice refused;
        ASSERT_FALSE(link.OpenPort(&refused));
        EXPECT_EQ(refused.text, notice.text);
    }
}

TEST(PortNotices, AMissingDeviceKeepsTheNoticeOfABusyOrMissingPort) {
    const VyPortNotice notice = PortOpenNotice("/dev/ttyUSB9", "/dev/ttyUSB9", ENOENT);
    EXPECT_EQ(Cp949ToUtf8(notice.text),
              "/dev/ttyUSB9번 포트는 이미 사용중이거나 존재하지 않는 포트입니다.");
    EXPECT_EQ(DeviceHolder("/dev/ttyUSB9"), "");
}

TEST_F(SerialLink, AVanishedPortIsClosedAndTheLinkReopensItUnderItsName) {
    auto line = std::make_unique<PtyPair>();
    VyTempFolder folder;
    const std::string stable = folder.File("by-id-module");
    ASSERT_EQ(::symlink(line->SlavePath().c_str(), stable.c_str()), 0);
    link.SetString("device", stable);
    ASSERT_TRUE(link.OpenPort());
    const int64_t opens = link.GetOpenCount();
    std::string lost;
    link.SetLostObserver([&](const std::string& reason) { lost = reason; });
    EXPECT_FALSE(link.CheckPortHealth());
    ::unlink(stable.c_str());
    EXPECT_TRUE(link.CheckPortHealth()) << "the device node is gone";
    EXPECT_FALSE(link.IsPortOpen());
    EXPECT_TRUE(link.IsPortLost());
    EXPECT_FALSE(lost.empty());
    EXPECT_FALSE(link.TryReconnect());
    EXPECT_FALSE(link.CheckPortHealth()) << "told once";

    PtyPair back;
    ASSERT_EQ(::symlink(back.SlavePath().c_str(), stable.c_str()), 0);
    EXPECT_TRUE(link.TryReconnect());
    EXPECT_FALSE(link.IsPortLost());
    EXPECT_EQ(link.GetOpenCount(), opens + 1);
    EXPECT_FALSE(link.ScreenMirror().IsKnown()) << "a reopened module gets the whole screen";
}
