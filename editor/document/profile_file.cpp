#include "editor/document/profile_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>

#include "editor/tree/atomic_file.h"
#include "editor/tree/decimal_text.h"
#include "editor/tree/revolver.h"

namespace {

std::string_view Trim(std::string_view text) {
    return TrimmedText(text, " \t");
}

// ASCII letters only: CP949 lead and trail bytes must never be folded (a
// trail byte may look like an ASCII letter, so the byte after a lead byte
// is compared as it is).
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i) {
        if (static_cast<unsigned char>(a[i]) >= 0x81 && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
        } else if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// A name or value that would change the file's lines: line breaks anywhere,
// and in a key what starts a comment or section or ends the key.
bool BreaksTheLines(std::string_view section, std::string_view key, std::string_view value) {
    const auto hasBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    const std::string_view bareKey = Trim(key);
    return hasBreak(section) || hasBreak(key) || hasBreak(value) ||
           section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
           bareKey.empty() || bareKey.front() == ';' || bareKey.front() == '[';
}

std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trim(line);
    const size_t close = line.find(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

// Comment lines (";") and lines without "=" carry no key.
std::optional<std::string_view> KeyOf(std::string_view line) {
    line = Trim(line);
    const size_t equal = line.find('=');
    if (line.empty() || line.front() == ';' || line.front() == '[' ||
        equal == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(0, equal));
}

std::string_view ValueOf(std::string_view line) {
    return Trim(line.substr(line.find('=') + 1));
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

void CFxProfileFile::Parse(std::string_view text) {
    m_lines.clear();
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        m_lines.emplace_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

std::string CFxProfileFile::ToText() const {
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

int CFxProfileFile::Load(const std::string& path) {
    CRevolver bytes;
    const int ok = bytes.LoadFromFile(path);
    Parse(ok ? bytes.View() : std::string_view());
    return ok;
}

int CFxProfileFile::LoadForUpdate(const std::string& path) {
    return Load(path) || !Exists(path) ? 1 : 0;
}

int CFxProfileFile::Save(const std::string& path) const {
    return WriteFileAtomically(path, ToText()) ? 1 : 0;
}

int CFxProfileFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = SectionOf(m_lines[i]);
        if (name && SameName(*name, section)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CFxProfileFile::FindKey(int header, std::string_view key) const {
    for (size_t i = static_cast<size_t>(header) + 1; i < m_lines.size(); ++i) {
        if (SectionOf(m_lines[i])) {
            break;
        }
        const auto name = KeyOf(m_lines[i]);
        if (name && SameName(*name, key)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

size_t CFxProfileFile::SectionEnd(int header) const {
    size_t end = static_cast<size_t>(header) + 1;
    for (size_t i = end; i < m_lines.size() && !SectionOf(m_lines[i]); ++i) {
        if (!Trim(m_lines[i]).empty()) {
            end = i + 1;
        }
    }
    return end;
}

std::string CFxProfileFile::GetValue(std::string_view section, std::string_view key,
                                     std::string_view fallback) const {
    const int header = FindSection(section);
    const int line = header < 0 ? -1 : FindKey(header, key);
    return std::string(line < 0 ? fallback : ValueOf(m_lines[static_cast<size_t>(line)]));
}

void CFxProfileFile::SetValue(std::string_view section, std::string_view key,
                              std::string_view value) {
    const int header = FindSection(section);
    if (header < 0) {
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::string(key) + "=" + std::string(value));
        return;
    }
    const int line = FindKey(header, key);
    if (line >= 0) {
        std::string& text = m_lines[static_cast<size_t>(line)];
        text = std::string(*KeyOf(text)) + "=" + std::string(value);
        return;
    }
    const auto at = m_lines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header));
    m_lines.insert(at, std::string(key) + "=" + std::string(value));
}

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view fallback) {
    CFxProfileFile file;
    file.Load(path);
    return file.GetValue(section, key, fallback);
}

int32_t ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                       int32_t fallback) {
    return AtoiValue(ReadProfileString(path, section, key, DecimalText(fallback)));
}

int WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value) {
    CFxProfileFile file;
    if (BreaksTheLines(section, key, value) || !file.LoadForUpdate(path)) {
        return 0;
    }
    file.SetValue(section, key, value);
    return file.Save(path);
}

int WriteProfileInt(const std::string& path, std::string_view section, std::string_view key,
                    int32_t value) {
    return WriteProfileString(path, section, key, DecimalText(value));
}

bool TakeOneTimeNotice(const std::string& path, std::string_view key) {
    if (ReadProfileString(path, "gen", key, "0") != "0") {
        return false;
    }
    // Shown even when the mark cannot be written: a repeated notice is harmless.
    WriteProfileString(path, "gen", key, "1");
    return true;
}
