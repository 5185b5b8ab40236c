// The serial settings dialog's rate probe, against modules on
// pseudo-terminals that listen at one rate, and its list of devices.
#include <QComboBox>
#include <QPushButton>
#include <chrono>
#include <memory>

#include "editor/frame/serial_settings_dialog.h"
#include "editor/link/serial_baud.h"
#include "editor/link/serial_port.h"
#include "tests/support/device_folder.h"
#include "tests/support/editor_fixture.h"
#include "tests/support/rate_gated_module.h"

namespace {

uint32_t LineBaud(int fd) {
    uint32_t baud = 0;
    GetSerialBaudRate(fd, &baud);
    return baud;
}

// The link opened the module at 115200; the module listens at 38400.
class SerialProbe : public EditorFixture {
  protected:
    void SetUp() override {
        OpenEditor(module.SlavePath());
        dialog = std::make_unique<CDlgSysOpt>(editor->Link(), CommPath(), Canvas(), nullptr,
                                              folder.Path());
    }
    void TearDown() override {
        dialog.reset();
        EditorFixture::TearDown();
    }
    void Choose(const std::string& device) {
        dialog->PortList()->addItem(QString::fromStdString(device), QString::fromStdString(device));
        dialog->PortList()->setCurrentIndex(dialog->PortList()->count() - 1);
    }
    // Presses "자동 감지" and runs the event loop until the probe has ended;
    // false after 10 s.
    bool Probe() {
        dialog->ProbeButton()->click();
        EXPECT_FALSE(dialog->ProbeButton()->isEnabled());
        EXPECT_EQ(dialog->ProbeText(), QStringLiteral("감지 중..."));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!dialog->ProbeButton()->isEnabled()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            // The probe's own timer wakes the loop while it runs.
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }
    int SavedBaud() const {
        CVylMSCommConfig saved;
        saved.LoadSettings(CommPath());
        return saved.GetBaudRate();
    }

    RateGatedModule module{38400};
    std::unique_ptr<CDlgSysOpt> dialog;
};

TEST_F(SerialProbe, TheLinksOwnPortIsLentToTheProbeAndTakenBack) {
    ASSERT_EQ(dialog->PortList()->currentData().toString().toStdString(), module.SlavePath());
    ASSERT_TRUE(Probe());
    EXPECT_EQ(dialog->BaudList()->currentText(), QStringLiteral("38400"));
    EXPECT_EQ(dialog->ProbeText(), QStringLiteral("LCD가 38400 bps에서 응답했습니다."));
    EXPECT_EQ(module.Answered(), 1);
    // The link is back on its port at its own rate; nothing was saved.
    EXPECT_TRUE(editor->Link().IsPortOpen());
    EXPECT_FALSE(CVylSerialPort::IsPortFree(module.SlavePath()));
    EXPECT_EQ(LineBaud(module.Keeper()), 115200u);
    EXPECT_EQ(editor->Link().GetBaudRate(), 115200);
    EXPECT_EQ(SavedBaud(), 115200);
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(SerialProbe, AnotherPortIsProbedWhileTheLinkKeepsItsOwn) {
    RateGatedModule other(9600);
    Choose(other.SlavePath());
    ASSERT_TRUE(Probe());
    EXPECT_EQ(dialog->BaudList()->currentText(), QStringLiteral("9600"));
    EXPECT_EQ(dialog->ProbeText(), QStringLiteral("LCD가 9600 bps에서 응답했습니다."));
    EXPECT_TRUE(editor->Link().IsPortOpen());
    EXPECT_EQ(editor->Link().PortStateText(), module.SlavePath() + ": 115200,N,8,1");
    EXPECT_TRUE(CVylSerialPort::IsPortFree(other.SlavePath()));
}

TEST_F(SerialProbe, SilenceAndBusyPortsAreTold) {
    RateGatedModule deaf(1200);
    Choose(deaf.SlavePath());
    ASSERT_TRUE(Probe());
    EXPECT_EQ(dialog->ProbeText(),
              QStringLiteral("어떤 보레이트에서도 LCD가 응답하지 않았습니다."));
    EXPECT_EQ(dialog->BaudList()->currentText(), QStringLiteral("115200"));

    CVylSerialPort holder;
    ASSERT_EQ(holder.Open(deaf.SlavePath(), 19200), "");
    ASSERT_TRUE(Probe());
    EXPECT_EQ(dialog->ProbeText(),
              QStringLiteral("포트를 열 수 없습니다: the port is in use by another program"));
}

TEST_F(SerialProbe, TheVirtualModuleKeepsTheChosenRate) {
    dialog->PortList()->setCurrentIndex(dialog->PortList()->count() - 1);
    dialog->BaudList()->setCurrentIndex(dialog->BaudList()->findText(QStringLiteral("4800")));
    dialog->ProbeButton()->click();
    EXPECT_TRUE(dialog->ProbeButton()->isEnabled());
    EXPECT_EQ(dialog->ProbeText(), QStringLiteral("가상 LCD는 모든 보레이트에서 응답합니다."));
    EXPECT_EQ(dialog->BaudList()->currentText(), QStringLiteral("4800"));
    EXPECT_TRUE(editor->Link().IsPortOpen());
}

TEST_F(SerialProbe, ClosingTheDialogMidProbeGivesTheLinkItsPortBack) {
    dialog->ProbeButton()->click();
    ASSERT_FALSE(dialog->ProbeButton()->isEnabled());
    EXPECT_FALSE(editor->Link().IsPortOpen());
    dialog.reset();
    EXPECT_TRUE(editor->Link().IsPortOpen());
    EXPECT_EQ(LineBaud(module.Keeper()), 115200u);
}

class SerialDeviceList : public EditorFixture {
  protected:
    void SetUp() override {
        OpenEditor();
        AddDeviceFile(dev, "ttyUSB0");
        AddDeviceFile(dev, "ttyUSB1");
        AddByIdLink(dev, "usb-XYZ_Serial-if00-port0", "../../ttyUSB1");
    }
    QStringList Items(const CDlgSysOpt& dialog) const {
        QStringList items;
        for (int i = 0; i < dialog.PortList()->count(); ++i) {
            items << dialog.PortList()->itemText(i);
        }
        return items;
    }

    VyTempFolder dev;
};

TEST_F(SerialDeviceList, StableNamesFirstAndTheyAreWhatIsSaved) {
    CDlgSysOpt dialog(editor->Link(), CommPath(), Canvas(), nullptr, dev.Path());
    EXPECT_EQ(
        Items(dialog).mid(5),
        (QStringList{QStringLiteral("usb-XYZ_Serial-if00-port0 (ttyUSB1)"),
                     QString::fromStdString(dev.File("ttyUSB0")), QStringLiteral("가상 LCD")}));
    const std::string byId = ByIdPath(dev, "usb-XYZ_Serial-if00-port0");
    CVylMSCommConfig saved;
    saved.SetString("device", byId);
    dialog.ConfigToCtrls(saved);
    EXPECT_EQ(dialog.PortList()->currentIndex(), 5);
    CVylMSCommConfig chosen;
    dialog.CtrlsToConfig(chosen);
    EXPECT_EQ(chosen.GetString("device"), byId);
}

TEST_F(SerialDeviceList, AnAbsentStableNameIsStillShownAndChosen) {
    CDlgSysOpt dialog(editor->Link(), CommPath(), Canvas(), nullptr, dev.Path());
    const int count = dialog.PortList()->count();
    const QString unplugged = QString::fromStdString(ByIdPath(dev, "usb-GONE_Serial-if00-port0"));
    CVylMSCommConfig saved;
    saved.SetString("device", unplugged.toStdString());
    dialog.ConfigToCtrls(saved);
    EXPECT_EQ(dialog.PortList()->count(), count + 1);
    EXPECT_EQ(dialog.PortList()->currentText(), unplugged);
    EXPECT_EQ(dialog.PortList()->currentData().toString(), unplugged);
}

}  // namespace
