// "vylcd-cli probe --port DEVICE [--wait-ms N]": the rate the module on the
// device answers at, found by trying every rate a user may choose.
#pragma once

#include <chrono>
#include <ostream>
#include <string>

// Exit codes: 0 the rate was found (printed on out); 1 the port did not open;
// 3 no rate was answered. Messages go to err.
int RunProbeCommand(const std::string& device, std::chrono::milliseconds wait, std::ostream& out,
                    std::ostream& err);
