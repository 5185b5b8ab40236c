// Runs one command template (a column of steps) against one object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/command/extract_status.h"
#include "editor/model/drawing_object.h"
#include "editor/tree/value_tree.h"

using VyByteArray = std::vector<uint8_t>;
using VyLengthArray = std::vector<uint32_t>;

// Appends the template's bytes to bytes, and the length of every command it
// made to lengths when given; params is the model tree ("escape_code"). On a
// failure nothing is appended and the failure's status is returned; a
// cancelled template appends nothing and succeeds.
int32_t RunCommandTemplate(const std::vector<std::string>& steps, const CVylObject& object,
                           const CFxAssignGroupEx& params, VyByteArray& bytes,
                           VyLengthArray* lengths);
