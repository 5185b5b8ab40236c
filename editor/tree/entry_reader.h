// Reads the entries of an encoded tree one by one and hands each to a sink:
// the one reader behind decoding, visiting and looking up encoded records.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "editor/tree/field_format.h"
#include "editor/tree/key_table.h"
#include "editor/tree/revolver.h"

namespace vy_read {

using namespace vy_field;

inline constexpr int kMaxExtensionBytes = 255;

// The bytes of a word that are zero, each flagged by its top bit; above the
// first zero, a flag may be false.
inline uint64_t ZeroBytes(const char* at) {
    uint64_t word = 0;
    std::memcpy(&word, at, 8);
    return (word - 0x0101010101010101ULL) & ~word & 0x8080808080808080ULL;
}

// The first length bytes, length being at most the size.
inline std::string_view Prefix(std::string_view bytes, size_t length) {
    return {bytes.data(), length};
}

// The text up to its first zero byte. Keys and most texts are a few bytes
// long, found sooner by a plain loop than by a library call.
[[gnu::always_inline]] inline std::string_view UpToZero(std::string_view bytes) {
    static_assert(std::endian::native == std::endian::little);
    const size_t size = bytes.size();
    if (size > 64) {
        return bytes.substr(0, bytes.find('\0'));
    }
    if (size < 4) {
        size_t length = 0;
        while (length < size && bytes[length] != '\0') {
            ++length;
        }
        return Prefix(bytes, length);
    }
    if (size < 8) {
        // Two overlapping words of four.
        for (size_t at = 0;; at = size - 4) {
            uint32_t word = 0;
            std::memcpy(&word, bytes.data() + at, 4);
            const uint32_t zeros = (word - 0x01010101U) & ~word & 0x80808080U;
            if (zeros != 0) {
                return Prefix(bytes, at + static_cast<size_t>(std::countr_zero(zeros) / 8));
            }
            if (at == size - 4) {
                return bytes;
            }
        }
    }
    // Eight bytes at a time, the last word overlapping the one before: the
    // lowest flagged byte of a word is its first zero. Most keys take two.
    if (size <= 16) {
        if (const uint64_t zeros = ZeroBytes(bytes.data())) {
            return Prefix(bytes, static_cast<size_t>(std::countr_zero(zeros) / 8));
        }
        if (const uint64_t zeros = ZeroBytes(bytes.data() + size - 8)) {
            return Prefix(bytes, size - 8 + static_cast<size_t>(std::countr_zero(zeros) / 8));
        }
        return bytes;
    }
    for (size_t at = 0;; at += 8) {
        const size_t word = std::min(at, size - 8);
        const uint64_t zeros = ZeroBytes(bytes.data() + word);
        if (zeros != 0) {
            return Prefix(bytes, word + static_cast<size_t>(std::countr_zero(zeros) / 8));
        }
        if (word == size - 8) {
            return bytes;
        }
    }
}

// A sink that only counts the entries declares kSkipsTexts, and is handed
// no texts.
template <typename Sink>
inline constexpr bool kSkipsTexts = requires {
    Sink::kSkipsTexts;
};

// Reads the entries one by one into a sink, texts cut at their first zero
// byte. The result is 1 when the input ends cleanly or is cut short inside a
// key or a text, 0 when it is malformed; what was read before a fault stays
// read.
template <typename Sink>
class EntryReader {
  public:
    // A buffer, not plain bytes: a short key or text is searched with loads
    // that may reach past the end into the bytes every buffer has there.
    EntryReader(const CRevolver& in, const CFxKeyTable* table, Sink& sink)
        : m_data(reinterpret_cast<const uint8_t*>(in.View().data())),
          m_size(in.View().size()),
          m_table(table),
          m_sink(sink) {}

    int Run() {
        // The loop works on a copy of its own, so that the cursor stays in a
        // register across the sink's calls.
        EntryReader reader = *this;
        return reader.Loop();
    }

  private:
    [[gnu::always_inline]] int Loop() {
        while (m_cursor != m_size) {
            const uint8_t flag = m_data[m_cursor++];
            std::string_view key;
            int stop = ReadKey(flag, &key);
            if (stop != kGoOn) {
                return stop;
            }
            if ((flag & kFlagExtension) && !SkipExtension()) {
                return 0;
            }
            stop = (flag & kFlagInteger) ? ReadInteger(flag, key) : ReadSized(flag, key);
            if (stop != kGoOn) {
                return stop;
            }
        }
        return 1;
    }

    // What a step returns when the read goes on; otherwise its result.
    static constexpr int kGoOn = -1;

    // The next length bytes up to their first zero byte. Keys and most texts
    // are at most sixteen bytes long: one vector compare finds the zero, with
    // no branch on the length.
    [[gnu::always_inline]] std::string_view CharsUpToZero(size_t length) const {
#if defined(__SSE2__)
        static_assert(CRevolver::kReadAhead >= 16);
        if (length <= 16) {
            const __m128i chunk =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_data + m_cursor));
            const auto zeros = static_cast<uint32_t>(
                _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_setzero_si128())));
            // The bit past the end stops the count at length.
            return Chars(static_cast<size_t>(std::countr_zero(zeros | 1U << length)));
        }
#endif
        return UpToZero(Chars(length));
    }

    std::string_view Chars(size_t length) const {
        return {reinterpret_cast<const char*>(m_data + m_cursor), length};
    }

    uint32_t Word(size_t at) const {
        return m_data[at] | m_data[at + 1] << 8 | m_data[at + 2] << 16 |
               static_cast<uint32_t>(m_data[at + 3]) << 24;
    }

    [[gnu::always_inline]] int ReadKey(uint8_t flag, std::string_view* key) {
        if (flag & kFlagIndexKey) {
            if (m_table == nullptr) {
                return 0;
            }
            if (Remaining() < 2) {
                return 1;
            }
            const auto index = static_cast<uint16_t>(m_data[m_cursor] | m_data[m_cursor + 1] << 8);
            m_cursor += 2;
            const std::string* name = m_table->NameOf(index);
            if (name == nullptr) {
                return 0;
            }
            *key = UpToZero(*name);
            m_keyInSource = false;
        } else {
            if (Remaining() < 1) {
                return 1;
            }
            const size_t length = m_data[m_cursor++];
            if (Remaining() < length) {
                return 1;
            }
            *key = CharsUpToZero(length);
            m_keyInSource = true;
            m_cursor += length;
        }
        return key->empty() ? 0 : kGoOn;
    }

    [[gnu::always_inline]] bool SkipExtension() {
        for (int count = 1;; ++count) {
            if (count > kMaxExtensionBytes || Remaining() < 1) {
                return false;
            }
            if (!(m_data[m_cursor++] & 0x80)) {
                return true;
            }
        }
    }

    [[gnu::always_inline]] int ReadInteger(uint8_t flag, std::string_view key) {
        switch (flag & 0x03) {
            case 2:
                return 0;
            case 3: {
                if (Remaining() < 4) {
                    return 0;
                }
                const uint32_t value = Word(m_cursor);
                m_cursor += 4;
                m_sink.Integer(key, m_keyInSource, static_cast<int32_t>(value));
                return kGoOn;
            }
            default:
                return kGoOn;
        }
    }

    [[gnu::always_inline]] int ReadSized(uint8_t flag, std::string_view key) {
        size_t length = 0;
        if (flag & kFlagLongLength) {
            if (Remaining() < 4) {
                return 1;
            }
            length = Word(m_cursor);
            m_cursor += 4;
        } else {
            if (Remaining() < 1) {
                return 1;
            }
            length = m_data[m_cursor++];
        }
        // The remaining length is checked before anything is stored.
        if (length > Remaining()) {
            return (flag & kFlagText) ? 1 : 0;
        }
        if (flag & kFlagText) {
            if constexpr (kSkipsTexts<Sink>) {
                m_sink.Text(key, m_keyInSource, {});
            } else {
                m_sink.Text(key, m_keyInSource, CharsUpToZero(length));
            }
        } else {
            m_sink.Bytes(key, m_keyInSource, static_cast<int32_t>(m_cursor),
                         static_cast<int32_t>(length));
        }
        m_cursor += length;
        return kGoOn;
    }

    size_t Remaining() const {
        return m_size - m_cursor;
    }

    const uint8_t* m_data;
    size_t m_size;
    const CFxKeyTable* m_table;
    Sink& m_sink;
    size_t m_cursor = 0;
    bool m_keyInSource = true;  // false for a key named by the key table
};

}  // namespace vy_read
