#include "framework/core/AsciiText.h"

namespace ascii {

int CompareNoCase(const char* a, const char* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = static_cast<unsigned char>(ToLower(a[i]));
        const unsigned char cb = static_cast<unsigned char>(ToLower(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
    return 0;
}

int CompareNoCase(const char* a, const char* b)
{
    return CompareNoCase(a, b, static_cast<std::size_t>(-1));
}

} // namespace ascii
