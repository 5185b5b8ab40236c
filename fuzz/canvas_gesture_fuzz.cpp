// Any sequence of user operations on the canvas leaves a sound document:
// after every step the history replays completely to the drawing shown,
// saves and opens to the same, the selection names only objects of the
// drawing and the module gets the replayed drawing's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/support/canvas_session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t at = 0;
    const CanvasSession::ByteSource next = [&] { return at < size ? data[at++] : uint8_t{0}; };
    CanvasSession session;
    for (int steps = 0; at < size && steps < 100; ++steps) {
        session.Step(next);
        const std::string fault = session.Check();
        if (!fault.empty()) {
            std::fprintf(stderr, "%s\nafter:\n%s", fault.c_str(), session.Trace().c_str());
            std::abort();
        }
    }
    return 0;
}
