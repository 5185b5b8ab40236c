#include "lcd_simulator.h"

#include <algorithm>

void CVylLcdSimulator::OnBytes(std::string_view bytes, Clock::time_point now) {
    // Ten bits a byte on an 8-N-1 line.
    const auto byteTime =
        std::chrono::nanoseconds(10'000'000'000LL / std::max<uint32_t>(m_options.baud, 1));
    for (char byte : bytes) {
        m_wireFree = std::max(m_wireFree, now) + byteTime;
        if (m_options.check && !m_answers.empty()) {
            ++m_violations;
        }
        const std::string answer = m_lcd.Feed(std::string_view(&byte, 1));
        if (!answer.empty() && !m_options.silent) {
            m_answers.push_back(m_wireFree + std::chrono::microseconds(m_options.processingUs));
        }
    }
}

std::string CVylLcdSimulator::TakeDueAnswers(Clock::time_point now) {
    std::string due;
    while (!m_answers.empty() && m_answers.front() <= now) {
        due += 'K';
        m_answers.pop_front();
    }
    return due;
}

bool CVylLcdSimulator::NextAnswerTime(Clock::time_point* when) const {
    if (m_answers.empty()) {
        return false;
    }
    *when = m_answers.front();
    return true;
}
