// Any baud rate on a serial device, through the kernel's arbitrary-rate
// interface (it also covers rates such as 28800 and 76800 that have no
// classic speed constant). Kept apart: its header clashes with <termios.h>.
#pragma once

#include <cstdint>

// Sets both directions of the open device fd to baud; false on failure.
bool SetSerialBaudRate(int fd, uint32_t baud);
// The rate the device's output runs at now (whoever set it); false on failure.
bool GetSerialBaudRate(int fd, uint32_t* baud);
