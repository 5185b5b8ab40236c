#include "app/source/source_settings.h"

#include <cstdint>

#include "editor/tree/code_page.h"
#include "editor/tree/decimal_text.h"

namespace {

struct SettingRow {
    std::string_view key;
    std::string_view defaultText;
    std::string_view label;
    std::string_view longLabel;
};

// "소스 앞부분", "행 앞부분", "행 뒷부분", "행당 (최대) 바이트 수" / "한 행당 커맨드 바이트 수",
// "행 구분" / "행 구분 방식", "바이트 앞부분", "바이트 뒷부분", "명령 코드를 알파벳으로".
constexpr SettingRow kRows[] = {
    {kSrcKeySrcHeader, "CONST DEVICE = 3H\r\nSET HCODE KS5601\r\n",
     "\xBC\xD2\xBD\xBA\x20\xBE\xD5\xBA\xCE\xBA\xD0",
     "\xBC\xD2\xBD\xBA\x20\xBE\xD5\xBA\xCE\xBA\xD0"},
    {kSrcKeyLineHeader, "SEROUT 0,47,0,0,[", "\xC7\xE0\x20\xBE\xD5\xBA\xCE\xBA\xD0",
     "\xC7\xE0\x20\xBE\xD5\xBA\xCE\xBA\xD0"},
    {kSrcKeyLineFoot, "]", "\xC7\xE0\x20\xB5\xDE\xBA\xCE\xBA\xD0",
     "\xC7\xE0\x20\xB5\xDE\xBA\xCE\xBA\xD0"},
    {kSrcKeyBytesPerLine, "25",
     "\xC7\xE0\xB4\xE7\x20\x28\xC3\xD6\xB4\xEB\x29\x20\xB9\xD9\xC0\xCC\xC6\xAE\x20\xBC\xF6",
     "\xC7\xD1\x20\xC7\xE0\xB4\xE7\x20\xC4\xBF\xB8\xC7\xB5\xE5\x20\xB9\xD9\xC0\xCC\xC6\xAE\x20"
     "\xBC\xF6"},
    {kSrcKeyLineDivision, "", "\xC7\xE0\x20\xB1\xB8\xBA\xD0",
     "\xC7\xE0\x20\xB1\xB8\xBA\xD0\x20\xB9\xE6\xBD\xC4"},
    {kSrcKeyByteHeader, "&H", "\xB9\xD9\xC0\xCC\xC6\xAE\x20\xBE\xD5\xBA\xCE\xBA\xD0",
     "\xB9\xD9\xC0\xCC\xC6\xAE\x20\xBE\xD5\xBA\xCE\xBA\xD0"},
    {kSrcKeyByteFoot, "", "\xB9\xD9\xC0\xCC\xC6\xAE\x20\xB5\xDE\xBA\xCE\xBA\xD0",
     "\xB9\xD9\xC0\xCC\xC6\xAE\x20\xB5\xDE\xBA\xCE\xBA\xD0"},
    {kSrcKeyOperandByAlphabet, "1",
     "\xB8\xED\xB7\xC9\x20\xC4\xDA\xB5\xE5\xB8\xA6\x20\xBE\xCB\xC6\xC4\xBA\xAA\xC0\xB8\xB7\xCE",
     "\xB8\xED\xB7\xC9\x20\xC4\xDA\xB5\xE5\xB8\xA6\x20\xBE\xCB\xC6\xC4\xBA\xAA\xC0\xB8\xB7\xCE"},
};

// "bytes=바이트 수에 따라&cmd=커맨드에 따라"
constexpr std::string_view kLineDivisionOptions =
    "bytes=\xB9\xD9\xC0\xCC\xC6\xAE\x20\xBC\xF6\xBF\xA1\x20\xB5\xFB\xB6\xF3"
    "&cmd=\xC4\xBF\xB8\xC7\xB5\xE5\xBF\xA1\x20\xB5\xFB\xB6\xF3";

// Message pieces: "의 길이는 ", "자여야 합니다.", " 숫자로만 구성되야합니다.",
// " 이상이어야 합니다.", " 이하여야 합니다.", and the topic particles "은" / "는".
constexpr std::string_view kLengthIs = "\xC0\xC7\x20\xB1\xE6\xC0\xCC\xB4\xC2\x20";
constexpr std::string_view kCharsMustBe =
    "\xC0\xDA\xBF\xA9\xBE\xDF\x20\xC7\xD5\xB4\xCF\xB4\xD9\x2E";
constexpr std::string_view kDigitsOnly =
    "\x20\xBC\xFD\xC0\xDA\xB7\xCE\xB8\xB8\x20\xB1\xB8\xBC\xBA\xB5\xC7\xBE\xDF\xC7\xD5\xB4\xCF\xB4"
    "\xD9\x2E";
constexpr std::string_view kAtLeast =
    "\x20\xC0\xCC\xBB\xF3\xC0\xCC\xBE\xEE\xBE\xDF\x20\xC7\xD5\xB4\xCF\xB4\xD9\x2E";
constexpr std::string_view kAtMost =
    "\x20\xC0\xCC\xC7\xCF\xBF\xA9\xBE\xDF\x20\xC7\xD5\xB4\xCF\xB4\xD9\x2E";
constexpr std::string_view kParticleAfterConsonant = "\xC0\xBA";
constexpr std::string_view kParticleAfterVowel = "\xB4\xC2";

// A setting that must be a decimal number of a bounded length and range.
struct DecimalRule {
    std::string_view key;
    size_t minLength;
    size_t maxLength;
    std::string_view range;  // "min~max"
};

constexpr DecimalRule kDecimalRules[] = {{kSrcKeyBytesPerLine, 1, 5, "1~65535"}};

const SettingRow* FindRow(std::string_view key) {
    for (const SettingRow& row : kRows) {
        if (row.key == key) {
            return &row;
        }
    }
    return nullptr;
}

std::string_view Trimmed(std::string_view text) {
    return TrimmedText(text, " \t\r\n");
}

// Whether the last syllable of a CP949 text ends in a consonant, which picks
// the particle that follows it.
bool EndsWithFinalConsonant(std::string_view cp949) {
    const std::string utf8 = Cp949ToUtf8(cp949);
    if (utf8.size() < 3) {
        return false;
    }
    const auto* tail = reinterpret_cast<const unsigned char*>(utf8.data()) + utf8.size() - 3;
    if ((tail[0] & 0xF0) != 0xE0) {
        return false;
    }
    const uint32_t code = (tail[0] & 0x0Fu) << 12 | (tail[1] & 0x3Fu) << 6 | (tail[2] & 0x3Fu);
    return code >= 0xAC00 && code <= 0xD7A3 && (code - 0xAC00) % 28 != 0;
}

// The label followed by its topic particle ("은" or "는").
std::string LabelWithParticle(std::string_view label) {
    std::string text(label);
    text += EndsWithFinalConsonant(label) ? kParticleAfterConsonant : kParticleAfterVowel;
    return text;
}

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// The broken rule's message, or empty when the value keeps the rule.
std::string CheckDecimal(const DecimalRule& rule, std::string_view value) {
    const std::string_view label = CVylSourceSettings::LongLabel(rule.key);
    if (value.size() < rule.minLength || value.size() > rule.maxLength) {
        return std::string(label) + std::string(kLengthIs) +
               DecimalText(static_cast<int64_t>(rule.minLength)) + "~" +
               DecimalText(static_cast<int64_t>(rule.maxLength)) + std::string(kCharsMustBe);
    }
    if (!AllDigits(value)) {
        return LabelWithParticle(label) + std::string(kDigitsOnly);
    }
    const size_t tilde = rule.range.find('~');
    const int32_t low = AtoiValue(rule.range.substr(0, tilde));
    const int32_t high = AtoiValue(rule.range.substr(tilde + 1));
    const int32_t number = AtoiValue(value);
    if (number < low) {
        return LabelWithParticle(label) + " " + DecimalText(low) + std::string(kAtLeast);
    }
    if (number > high) {
        return LabelWithParticle(label) + " " + DecimalText(high) + std::string(kAtMost);
    }
    return {};
}

}  // namespace

std::vector<VySourceChoice> ParseChoiceText(std::string_view text) {
    std::vector<VySourceChoice> choices;
    while (!text.empty()) {
        const size_t amp = text.find('&');
        const std::string_view entry = text.substr(0, amp);
        text = amp == std::string_view::npos ? std::string_view() : text.substr(amp + 1);
        if (entry.empty()) {
            continue;
        }
        const size_t eq = entry.find('=');
        const std::string_view value = entry.substr(0, eq);
        const std::string_view label = eq == std::string_view::npos ? value : entry.substr(eq + 1);
        choices.push_back({std::string(value), std::string(label)});
    }
    return choices;
}

CVylSourceSettings::CVylSourceSettings() {
    SetDefaults(false);
}

std::string CVylSourceSettings::Get(std::string_view key) const {
    return m_values.GetString(key);
}

int CVylSourceSettings::Set(std::string_view key, std::string_view text) {
    if (FindRow(key) == nullptr) {
        return 0;
    }
    m_values.SetString(key, text);
    return 1;
}

void CVylSourceSettings::ResetToDefaults() {
    SetDefaults(true);
}

void CVylSourceSettings::SetDefaults(bool keepLineDivision) {
    for (const SettingRow& row : kRows) {
        if (!(keepLineDivision && row.key == kSrcKeyLineDivision)) {
            m_values.SetString(row.key, row.defaultText);
        }
    }
}

int CVylSourceSettings::Load(const std::string& path) {
    SetDefaults(false);
    SetPresetName("");
    CFxAssignGroupEx file;
    if (!file.LoadTreeFromFile(path)) {
        return 0;
    }
    std::string text;
    for (const SettingRow& row : kRows) {
        if (file.GetString(row.key, &text)) {
            m_values.SetString(row.key, text);
        }
    }
    SetPresetName(file.GetString(kSrcKeyPreset));
    return 1;
}

int CVylSourceSettings::Save(const std::string& path) const {
    return m_values.SaveTreeToFile(path);
}

void CVylSourceSettings::TrimAll() {
    for (const SettingRow& row : kRows) {
        const std::string value = m_values.GetString(row.key);
        m_values.SetString(row.key, Trimmed(value));
    }
}

VySourceValidation CVylSourceSettings::Validate() const {
    for (const DecimalRule& rule : kDecimalRules) {
        std::string message = CheckDecimal(rule, m_values.GetString(rule.key));
        if (!message.empty()) {
            return {std::string(rule.key), std::move(message)};
        }
    }
    return {};
}

std::string_view CVylSourceSettings::DefaultText(std::string_view key) {
    const SettingRow* row = FindRow(key);
    return row != nullptr ? row->defaultText : std::string_view();
}

std::string_view CVylSourceSettings::Label(std::string_view key) {
    const SettingRow* row = FindRow(key);
    return row != nullptr ? row->label : std::string_view();
}

std::string_view CVylSourceSettings::LongLabel(std::string_view key) {
    const SettingRow* row = FindRow(key);
    return row != nullptr ? row->longLabel : std::string_view();
}

std::vector<VySourceChoice> CVylSourceSettings::LineDivisionChoices() {
    return ParseChoiceText(kLineDivisionOptions);
}
