#include "numeric/RoundingMode.h"

#if defined(__x86_64__)
#include <xmmintrin.h>

// The x87 control word holds the mode in bits 10-11, MXCSR in bits 13-14, both coded as
// <cfenv>'s values.
namespace {
constexpr unsigned kX87Rounding = 0xC00;
constexpr int kSseShift = 3;
static_assert(FE_DOWNWARD == 0x400 && FE_UPWARD == 0x800 && FE_TOWARDZERO == 0xC00);
} // namespace

int CurrentRounding() { return int((_mm_getcsr() >> kSseShift) & kX87Rounding); }

void SetRounding(int mode)
{
    const unsigned bits = unsigned(mode) & kX87Rounding;
    unsigned short x87 = 0;
    __asm__ volatile("fnstcw %0" : "=m"(x87));
    x87 = static_cast<unsigned short>((x87 & ~kX87Rounding) | bits);
    __asm__ volatile("fldcw %0" : : "m"(x87));
    _mm_setcsr((_mm_getcsr() & ~(kX87Rounding << kSseShift)) | (bits << kSseShift));
}
#else
int CurrentRounding() { return std::fegetround(); }

void SetRounding(int mode) { std::fesetround(mode); }
#endif
