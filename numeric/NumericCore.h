#pragma once
// Conventions shared by the whole numerical library: 1-based vectors and matrices over raw heap
// blocks, the library's error codes stored in errno, and the errno discipline of every entry point.

#include <cerrno>

// Codes the library stores in errno; callers clear errno, call, and test it afterwards.
// clang-format off
enum NumericErrorCode : int {
    NumericIterationLimit = 100,  // a series, continued fraction or sweep count did not converge
    NumericBadArgument = 103,     // argument outside the routine's domain (NaN included)
    NumericSingularMatrix = 104,  // a row of zeros in an LU decomposition
    NumericOutOfMemory = 105,     // allocation failed, size overflowed or bounds reversed
    NumericEqualAbscissae = 108,  // two equal abscissae in polynomial interpolation
    NumericSortStackFull = 109,   // kept as a known code; the quicksort no longer runs out of stack
};
// clang-format on

// True for a code that the library itself stores in errno.
bool IsNumericErrorCode(int code);

// Stores code into errno; nothing else.
int SetMathErrno(int code);

// Entry-point errno discipline: the runtimes differ on errno after an underflowing exp or pow
// (glibc sets ERANGE, the Windows runtime does not), so each public routine saves the caller's
// errno with ErrnoEnter and ends with ErrnoLeave, which keeps one of the library's own codes and
// otherwise puts the caller's value back. A routine never clears the caller's errno.
inline int ErrnoEnter() { return errno; }

inline void ErrnoLeave(int saved)
{
    if (!IsNumericErrorCode(errno))
        errno = saved;
}

template <class T> inline T ErrnoLeave(int saved, T result)
{
    ErrnoLeave(saved);
    return result;
}

// Double vector v[lo..hi] (contents uninitialised) or null with errno 105 when hi < lo - 1 or
// the size overflows; an empty range hi = lo - 1 gives a valid handle.
double* AllocVector(int lo, int hi);
// 32-bit integer vector v[lo..hi]; failures as AllocVector.
int* AllocIntVector(int lo, int hi);
// Matrix m[rlo..rhi][clo..chi] with contiguous row-major rows; failures as AllocVector.
double** AllocMatrix(int rlo, int rhi, int clo, int chi);

// Release a handle with the bounds that made it; a null handle is ignored.
void FreeVector(double* v, int lo, int hi);
void FreeIntVector(int* v, int lo, int hi);
void FreeMatrix(double** m, int rlo, int rhi, int clo, int chi);
