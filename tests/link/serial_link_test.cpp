#include "editor/link/serial_link.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "editor/link/serial_port.h"
#include "editor/tree/code_page.h"
#include "tests/link/pty_pair.h"

namespace {

int g_argc = 1;
char g_name[] = "serial_link_test";
char* g_argv[] = {g_name, nullptr};

class SerialLink : public ::testing::Test {
  protected:
    QCoreApplication app{g_argc, g_argv};
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
    const std::string settings = ::testing::TempDir() + "vy_link_comm.cfg";
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

}  // namespace
