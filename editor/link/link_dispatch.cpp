#include "editor/link/link_dispatch.h"

#include <algorithm>
#include <atomic>
#include <thread>

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

namespace {

// The receiving thread sends only commands this short: with the previous
// command acknowledged the driver's output buffer is empty, so writing one
// never blocks it (the GUI thread must not wait for the wire).
constexpr size_t kRelayLimit = 256;

// The chunks of one transfer and the next one to go. A chunk is claimed and
// written only by the holder of the credit and of the sender token: the
// credit keeps one command in flight, the token keeps writes apart when a
// stray answer frees the credit while a write is still going on.
class CVylChunkTransfer {
  public:
    CVylChunkTransfer(CVylLinkCredits& credits, CVylSerialControl& control,
                      std::vector<std::string_view> chunks)
        : m_credits(credits), m_control(control), m_chunks(std::move(chunks)) {}

    bool AllSent() const { return m_next.load() >= m_chunks.size(); }
    bool Failed() const { return m_failed.load(); }

    // On the receiving thread, right after an acknowledgement: true when it
    // sent a short command and more remain. It never waits for the token.
    bool Relay() {
        if (AllSent() || !m_credits.TryTakeCredit()) {
            return false;
        }
        bool idle = false;
        if (!m_sending.compare_exchange_strong(idle, true)) {
            m_credits.ReturnCredit();
            return false;
        }
        const bool attempt = !AllSent() && m_chunks[m_next.load()].size() <= kRelayLimit;
        const bool sent = attempt && SendNext();
        m_sending.store(false);
        if (!attempt) {
            m_credits.ReturnCredit();
        }
        return sent && !AllSent();
    }

    // On the worker, holding the credit: sends the next chunk, or gives the
    // credit back when a relay already sent the last one.
    void SendWithCredit() {
        // A relay holds the token only for one short write.
        bool idle = false;
        while (!m_sending.compare_exchange_weak(idle, true)) {
            idle = false;
            std::this_thread::yield();
        }
        if (AllSent()) {
            m_credits.ReturnCredit();
        } else {
            SendNext();
        }
        m_sending.store(false);
    }

  private:
    bool SendNext() {
        // Claimed before the write: the answer may come before Write returns.
        const size_t index = m_next.fetch_add(1);
        if (m_control.Write(m_chunks[index])) {
            m_credits.NoteWritten();
            return true;
        }
        m_failed.store(true);
        m_credits.SetPortFailed(true);
        m_credits.InitCredits();
        return false;
    }

    CVylLinkCredits& m_credits;
    CVylSerialControl& m_control;
    const std::vector<std::string_view> m_chunks;
    std::atomic<size_t> m_next{0};
    std::atomic<bool> m_failed{false};
    std::atomic<bool> m_sending{false};
};

}  // namespace

void DispatchBytes(CVylLinkCredits& credits, CVylSerialControl& control, std::string_view bytes,
                   const std::vector<uint32_t>* lengths) {
    if (!control.IsOpen()) {
        return;
    }
    credits.ClearStopRequest();
    CVylChunkTransfer transfer(credits, control, SplitIntoChunks(bytes, lengths));
    credits.SetRelay([&transfer] { return transfer.Relay(); });
    bool stopped = false;
    while (!stopped && !transfer.AllSent() && !transfer.Failed()) {
        bool took = false;
        stopped = !credits.WaitUntil([&] {
            if (transfer.AllSent()) {
                return true;
            }
            took = credits.TryTakeCredit();
            return took;
        });
        if (took) {
            transfer.SendWithCredit();
        }
    }
    credits.SetRelay(nullptr);
    if (stopped) {
        credits.InitCredits();
    }
}
