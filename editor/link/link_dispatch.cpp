#include "link_dispatch.h"

#include <algorithm>

std::vector<std::string_view> SplitIntoChunks(std::string_view bytes,
                                              const std::vector<uint32_t>* lengths) {
    std::vector<std::string_view> chunks;
    if (lengths == nullptr) {
        if (!bytes.empty()) {
            chunks.push_back(bytes);
        }
        return chunks;
    }
    size_t at = 0;
    for (uint32_t length : *lengths) {
        if (at >= bytes.size()) {
            break;
        }
        if (length == 0) {
            continue;
        }
        const size_t size = std::min<size_t>(length, bytes.size() - at);
        chunks.push_back(bytes.substr(at, size));
        at += size;
    }
    if (at < bytes.size()) {
        chunks.push_back(bytes.substr(at));
    }
    return chunks;
}

int32_t CountAcknowledgements(std::string_view received) {
    return static_cast<int32_t>(std::count(received.begin(), received.end(), 'K'));
}

void DispatchBytes(CVylLinkCredits& credits, CVylSerialControl& control, std::string_view bytes,
                   const std::vector<uint32_t>* lengths) {
    if (!control.IsOpen()) {
        return;
    }
    credits.ClearStopRequest();
    for (std::string_view chunk : SplitIntoChunks(bytes, lengths)) {
        if (!credits.AcquireCredit()) {
            credits.InitCredits();
            return;
        }
        if (!control.Write(chunk)) {
            credits.SetPortFailed(true);
            credits.InitCredits();
            return;
        }
    }
}
