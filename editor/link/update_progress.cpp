#include "editor/link/update_progress.h"

#include <algorithm>
#include <cstdio>

#include "editor/tree/decimal_text.h"

void CVylUpdateProgress::Begin(int64_t bytes, int32_t commands, int64_t fullBytes) {
    // Commands first at zero, so a reader never sees the new total with the
    // old count of answers.
    m_commands.store(0);
    m_acknowledged.store(0);
    m_bytes.store(bytes);
    m_fullBytes.store(fullBytes < 0 ? bytes : fullBytes);
    m_commands.store(commands);
}

void CVylUpdateProgress::Acknowledge(int32_t answers) {
    if (answers > 0) {
        m_acknowledged.fetch_add(answers);
    }
}

VyUpdateProgress CVylUpdateProgress::Get() const {
    VyUpdateProgress progress;
    progress.commands = m_commands.load();
    progress.bytes = m_bytes.load();
    progress.fullBytes = m_fullBytes.load();
    progress.acknowledged = std::min(m_acknowledged.load(), progress.commands);
    return progress;
}

std::string UpdateSizeText(const VyUpdateProgress& progress, int32_t baud) {
    const std::string digits = DecimalText(progress.bytes);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        const size_t left = digits.size() - i;
        if (i > 0 && left % 3 == 0 && digits[i - 1] != '-') {
            grouped += ',';
        }
        grouped += digits[i];
    }
    char seconds[32];
    std::snprintf(seconds, sizeof(seconds), "%.2f", progress.WireSeconds(baud));
    return grouped + " B, " + seconds + " s";
}
