// Program source from a drawing: its LCD command bytes written as byte
// literals wrapped in the texts of the generator settings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/source/source_settings.h"
#include "editor/command/command_bytes.h"
#include "editor/command/extract_status.h"
#include "editor/document/object_group.h"
#include "editor/model/device_context.h"

// "그래픽 데이터가 없습니다."
inline constexpr std::string_view kNoGraphicData =
    "\xB1\xD7\xB7\xA1\xC7\xC8\x20\xB5\xA5\xC0\xCC\xC5\xCD\xB0\xA1\x20\xBE\xF8\xBD\xC0\xB4\xCF\xB4"
    "\xD9\x2E";

enum class VySourceStatus : int32_t {
    kOk = 0,
    kNoObjects = 1,          // message: kNoGraphicData, no text
    kInvalidSetting = 2,     // validation names the setting, no text
    kExtractionStopped = 3,  // text from the bytes made before the failure
};

struct VySourceResult {
    VySourceStatus status = VySourceStatus::kOk;
    std::string text;                    // the program source (CP949)
    std::string message;                 // notice for the user, CP949; empty when none
    VySourceValidation validation;       // the failing setting for kInvalidSetting
    int32_t extractStatus = kExtractOk;  // the extraction's status code
};

// The rate a generated script opens its port with unless told otherwise.
inline constexpr uint32_t kSourceDefaultBaud = 19200;

// The whole drawing as program source. The settings are used as given: the
// caller trims them first (TrimAll), as the dialog shows the trimmed texts.
// The group's text lines are laid out for the run and removed afterwards.
// The settings' preset adds its tail; baud goes into a script's default.
VySourceResult GenerateProgramSource(const CVylDeviceContext& dc, CVylObjectGroup& group,
                                     const CVylSourceSettings& settings,
                                     uint32_t baud = kSourceDefaultBaud);

// The text for the given command bytes and command lengths: the source
// header, a line break, then the lines joined by line breaks ("\r\n").
// escapeCode's low 8 bits start a new line when dividing by command.
std::string FormatProgramSource(const VyByteArray& bytes, const VyLengthArray& lengths,
                                int32_t escapeCode, const CVylSourceSettings& settings);
