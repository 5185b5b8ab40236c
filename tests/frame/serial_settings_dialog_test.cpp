// The serial settings dialog's list of devices.
#include <QComboBox>

#include "editor/frame/serial_settings_dialog.h"
#include "tests/support/device_folder.h"
#include "tests/support/editor_fixture.h"

namespace {

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
