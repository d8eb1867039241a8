#include "numeric/UnderflowFlag.h"

#include <cfloat>

#if defined(__x86_64__)
#include <xmmintrin.h>
#else
#include <cfenv>
#endif

#if defined(__x86_64__)
// Doubles are computed in the SSE unit, whose flags are in MXCSR; some runtime functions still
// use the x87 unit, whose flags are in its status word. Both carry underflow in bit 4.
namespace {
constexpr unsigned kUnderflowBit = 0x10;
}

void ClearUnderflowFlag()
{
    _mm_setcsr(_mm_getcsr() & ~kUnderflowBit);
    __asm__ volatile("fnclex");
}

bool UnderflowFlagRaised()
{
    unsigned short x87Status = 0;
    __asm__ volatile("fnstsw %0" : "=m"(x87Status));
    return ((_mm_getcsr() | x87Status) & kUnderflowBit) != 0;
}
#else
void ClearUnderflowFlag() { std::feclearexcept(FE_UNDERFLOW); }

bool UnderflowFlagRaised() { return std::fetestexcept(FE_UNDERFLOW) != 0; }
#endif

void RaiseUnderflowFlag()
{
    volatile double tiny = DBL_MIN;
    tiny = tiny * tiny;
}
