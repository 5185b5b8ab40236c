#include "editor/tree/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

// Converts with iconv; an input sequence that cannot be converted is replaced
// by "?" and skipped by the length of one character of the source encoding.
class Converter {
  public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    template <typename SkipFn>
    std::string Convert(std::string_view in, SkipFn skip) const {
        std::string out;
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            return std::string(in);
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t result = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                const size_t n = std::min(srcLeft, skip(std::string_view(src, srcLeft)));
                out.push_back('?');
                src += n;
                srcLeft -= n;
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        return out;
    }

  private:
    iconv_t m_cd;
};

size_t Utf8CharLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    for (size_t i = 1; i < n; ++i) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            return i;
        }
    }
    return n;
}

size_t Cp949CharLength(std::string_view s) {
    return static_cast<unsigned char>(s[0]) >= 0x81 && s.size() >= 2 ? 2 : 1;
}

}  // namespace

std::string Utf8ToCp949(std::string_view utf8) {
    static thread_local const Converter converter("CP949//TRANSLIT", "UTF-8");
    return converter.Convert(utf8, Utf8CharLength);
}

std::string Cp949ToUtf8(std::string_view cp949) {
    static thread_local const Converter converter("UTF-8", "CP949");
    return converter.Convert(cp949, Cp949CharLength);
}
