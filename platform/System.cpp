#include "platform/System.h"

#include <time.h>

#include <cstdint>

DWORD GetTickCount() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<DWORD>(ms);
}

namespace crt {

namespace {
std::uint32_t randState = 1;
}  // namespace

int rand() {
    return NextRandom(randState);
}

void srand(unsigned seed) {
    randState = seed;
}

int ScanUnsigned(LPCWSTR text, unsigned* value) {
    if (!text) return -1;
    auto isSpace = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    std::size_t i = 0;
    while (isSpace(text[i])) ++i;
    if (text[i] == 0) return -1;
    bool negative = false;
    if (text[i] == u'+' || text[i] == u'-') {
        negative = text[i] == u'-';
        ++i;
    }
    if (text[i] < u'0' || text[i] > u'9') return 0;
    std::uint64_t number = 0;
    bool overflow = false;
    for (; text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const unsigned digit = text[i] - u'0';
        if (number > (UINT64_MAX - digit) / 10) overflow = true;
        if (!overflow) number = number * 10 + digit;
    }
    if (overflow) {
        number = UINT64_MAX;
    } else if (negative) {
        number = 0 - number;
    }
    if (value) *value = static_cast<unsigned>(number);
    return 1;
}

}  // namespace crt
