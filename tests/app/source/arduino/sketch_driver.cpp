// Runs the generated sketch fragment against a port that answers "K" after
// each command's last byte (or stays silent when asked to) and prints what
// was written, one command a line in hexadecimal, then the result.
#include <cstdio>
#include <cstring>

#include "sketch.inc"

namespace {

unsigned long g_now = 0;

class ModulePort : public HardwareSerial {
  public:
    explicit ModulePort(bool silent) : m_silent(silent) {}
    int available() override {
        ++g_now;  // time passes while the sketch waits
        return m_answers;
    }
    int read() override {
        if (m_answers == 0) {
            return -1;
        }
        --m_answers;
        return 'K';
    }
    unsigned long write(uint8_t byte) override {
        std::printf("%02X ", byte);
        if (++m_written == vylcd_screen_lengths[m_command]) {
            std::printf("\n");
            m_written = 0;
            ++m_command;
            m_answers += m_silent ? 0 : 1;
        }
        return 1;
    }

  private:
    bool m_silent;
    int m_answers = 0;
    unsigned m_written = 0;
    unsigned m_command = 0;
};

}  // namespace

unsigned long millis() {
    return g_now;
}

int main(int argc, char** argv) {
    ModulePort port(argc > 1 && std::strcmp(argv[1], "silent") == 0);
    std::printf(vylcdSendScreen(port, 100) ? "done\n" : "silent\n");
    return 0;
}
