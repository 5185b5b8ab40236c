// A desktop stand-in for the few Arduino names the generated sketch uses:
// program memory reads, millis() and a serial port the test plays.
#pragma once

#include <cstdint>

#define PROGMEM
inline uint8_t pgm_read_byte(const uint8_t* at) {
    return *at;
}
inline uint16_t pgm_read_word(const uint16_t* at) {
    return *at;
}
inline uint32_t pgm_read_word(const uint32_t* at) {
    return *at;
}

unsigned long millis();

class HardwareSerial {
  public:
    virtual ~HardwareSerial() = default;
    virtual int available() = 0;
    virtual int read() = 0;
    virtual unsigned long write(uint8_t byte) = 0;
};
