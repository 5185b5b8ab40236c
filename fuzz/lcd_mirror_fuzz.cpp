// Any sequence of edits leaves the module that got only the changes showing
// dot for dot what a full update shows.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/support/mirror_session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t at = 0;
    // Two bytes a number: coordinates reach past the screen's edges.
    const MirrorSession::NumberSource next = [&]() -> uint32_t {
        uint32_t number = at < size ? data[at++] : 0;
        return number << 8 | (at < size ? data[at++] : 0);
    };
    MirrorSession session;
    for (int steps = 0; at < size && steps < 200; ++steps) {
        const std::string fault = session.Step(next);
        if (!fault.empty()) {
            std::fprintf(stderr, "%s\nafter:\n%s", fault.c_str(), session.Trace().c_str());
            std::abort();
        }
    }
    return 0;
}
