// Runs one command template (a column of steps) against one object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/command/command_bytes.h"
#include "editor/command/extract_status.h"
#include "editor/model/drawing_object.h"
#include "editor/tree/value_tree.h"

// A template parsed once, to be run for any number of objects: every step's
// operation, width and constants are read when it is made.
class CVylCommandTemplate {
  public:
    CVylCommandTemplate() = default;
    explicit CVylCommandTemplate(const std::vector<std::string>& steps);

    enum class Op : uint8_t {
        kNone,
        kLoopStart,
        kLoopEnd,
        kEscape,
        kString,
        kHex,
        kStringValue,
        kStringPerLine,
        kRegion,
        kIntegerValue,
        kIntegerPerLine,
        kIntegerConstant,
        kBytesValue,
    };
    struct Step {
        Op op = Op::kNone;
        int32_t width = 0;
        int64_t constant = 0;  // the value of a hex or integer constant
        int32_t region = -1;   // which corner or measure a region step writes
        bool fitBitmap = false;
        bool cancelIfEmpty = false;
        std::string argument;  // a key, or the text of a string step
        std::string loopKey;
    };
    const std::vector<Step>& Steps() const { return m_steps; }

  private:
    std::vector<Step> m_steps;
};

// Appends the template's bytes to bytes, and the length of every command it
// made to lengths when given; escape is the model's escape code. On a
// failure nothing is appended and the failure's status is returned; a
// cancelled template appends nothing and succeeds.
int32_t RunCommandTemplate(const CVylCommandTemplate& steps, const CVylObject& object,
                           uint8_t escape, VyByteArray& bytes, VyLengthArray* lengths);
// The same for a template given as its steps' text; params is the model tree
// ("escape_code").
int32_t RunCommandTemplate(const std::vector<std::string>& steps, const CVylObject& object,
                           const CFxAssignGroupEx& params, VyByteArray& bytes,
                           VyLengthArray* lengths);
