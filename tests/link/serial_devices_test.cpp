#include "editor/link/serial_devices.h"

#include <gtest/gtest.h>

#include "tests/support/device_folder.h"

namespace {

TEST(SerialDevices, AdaptersAndUartsAreFoundInOrder) {
    VyTempFolder dev;
    for (const char* name :
         {"ttyUSB1", "ttyACM0", "ttyUSB0", "ttyS0", "tty1", "ttyUSB", "rfcomm2", "ttyUSBx"}) {
        AddDeviceFile(dev, name);
    }
    EXPECT_EQ(FindSerialDevices(dev.Path()),
              (std::vector<std::string>{dev.File("rfcomm2"), dev.File("ttyACM0"),
                                        dev.File("ttyUSB0"), dev.File("ttyUSB1")}));
    EXPECT_TRUE(FindSerialDevices(dev.File("missing")).empty());
}

TEST(SerialDevices, StableNamesComeFirstAndHideTheShortOnesTheyName) {
    VyTempFolder dev;
    for (const char* name : {"ttyUSB0", "ttyUSB1", "ttyACM0"}) {
        AddDeviceFile(dev, name);
    }
    AddByIdLink(dev, "usb-XYZ_Serial-if00-port0", "../../ttyUSB1");
    AddByIdLink(dev, "usb-ABC_Modem-if00", "../../ttyACM0");
    EXPECT_EQ(
        ListSerialDevices(dev.Path()),
        (std::vector<VySerialDeviceItem>{
            {"usb-ABC_Modem-if00 (ttyACM0)", ByIdPath(dev, "usb-ABC_Modem-if00")},
            {"usb-XYZ_Serial-if00-port0 (ttyUSB1)", ByIdPath(dev, "usb-XYZ_Serial-if00-port0")},
            {dev.File("ttyUSB0"), dev.File("ttyUSB0")}}));
}

TEST(SerialDevices, WithoutStableNamesTheShortOnesAreListed) {
    VyTempFolder dev;
    AddDeviceFile(dev, "ttyUSB0");
    EXPECT_EQ(ListSerialDevices(dev.Path()),
              (std::vector<VySerialDeviceItem>{{dev.File("ttyUSB0"), dev.File("ttyUSB0")}}));
    EXPECT_TRUE(ListSerialDevices(dev.File("missing")).empty());
}

}  // namespace
