#pragma once
// The floating-point underflow flag, which an operation raises when its result is too small for
// a double. It tells a 0 that a result underflowed to (exp(-1000)) from an exact one (x - x).
// Read and written here alike on every build: the Windows runtime's own flag functions take
// microseconds. Its exp returns 0 without raising the flag, so the Windows build routes every
// exp it links, the special-function library's included, through one that does (RuntimeMath.cpp).

// Lowers the flag.
void ClearUnderflowFlag();
// Whether an operation raised the flag since it was last lowered.
bool UnderflowFlagRaised();
// Raises the flag, as an operation whose result underflowed does.
void RaiseUnderflowFlag();

// Runs work with the flag lowered and tells whether work raised it; a flag raised before stays
// raised, so that work nested in an evaluation hides nothing from it.
template <class Work> bool RaisesUnderflow(Work&& work)
{
    const bool before = UnderflowFlagRaised();
    ClearUnderflowFlag();
    work();
    const bool raised = UnderflowFlagRaised();
    if (before)
        RaiseUnderflowFlag();
    return raised;
}
