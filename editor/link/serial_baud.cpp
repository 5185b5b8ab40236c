#include "editor/link/serial_baud.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool SetSerialBaudRate(int fd, uint32_t baud) {
    struct termios2 settings {};
    if (::ioctl(fd, TCGETS2, &settings) != 0) {
        return false;
    }
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = baud;
    settings.c_ospeed = baud;
    return ::ioctl(fd, TCSETS2, &settings) == 0;
}

bool GetSerialBaudRate(int fd, uint32_t* baud) {
    struct termios2 settings {};
    if (::ioctl(fd, TCGETS2, &settings) != 0) {
        return false;
    }
    *baud = settings.c_ospeed;
    return true;
}
