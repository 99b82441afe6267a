// Tick count, and the parts of the handheld's C runtime whose results the program depends on.
#pragma once

#include "platform/RandomStep.h"
#include "platform/Types.h"

// Milliseconds since an arbitrary fixed point (the host's monotonic clock), wrapping at 2^32.
DWORD GetTickCount();

// The handheld runtime's functions live in their own namespace so they never clash with the
// host C library's rand, srand or swscanf.
namespace crt {

// The runtime's linear congruential generator (NextRandom). The state starts at 1 as if srand(1)
// had been called, so a seeded sequence is the same on every host. One state per process; the
// program uses it from one thread only.
int rand();
void srand(unsigned seed);

// Parses an unsigned decimal number the way swscanf(text, L"%u", value) does with the C
// runtime of the host (glibc): leading white space (space, \t, \n, \v, \f, \r) is skipped,
// an optional '+' or '-' follows, then the digits; the rest of the text is ignored.
// As on the host, the number is read as a 64-bit unsigned value, negated modulo 2^64 when a
// '-' precedes it, and cut to its low 32 bits: "-1" gives 4294967295, "4294967296" gives 0.
// A number beyond 64 bits saturates to all ones and so gives 4294967295 with either sign.
// Returns 1 when a number was stored in *value, 0 when the text holds no number where one is
// expected (nothing stored), and -1 (end of input) for a null, empty or all-white-space text.
int ScanUnsigned(LPCWSTR text, unsigned* value);

}  // namespace crt
