#include "numeric/NumericCore.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Number of slots (elements plus the spare first slot) for the range lo..hi, or 0 when the
// range is reversed; computed in 64 bits so that no bound pair can overflow.
std::int64_t SlotCount(int lo, int hi)
{
    const std::int64_t count = static_cast<std::int64_t>(hi) - lo + 2;
    return count >= 1 ? count : 0;
}

constexpr std::int64_t kMaxBytes = static_cast<std::int64_t>(PTRDIFF_MAX / 2);

void* AllocSlots(std::int64_t slots, std::int64_t slotSize)
{
    if (slots <= 0 || slots > kMaxBytes / slotSize)
        return nullptr;
    return std::malloc(static_cast<std::size_t>(slots * slotSize));
}

// The handle points so that handle[lo] is the block's second slot; the offset is done in
// unsigned integer arithmetic so that a large lower bound cannot overflow a pointer expression.
template <class T> T* OffsetHandle(void* block, int lo)
{
    const auto base = reinterpret_cast<std::uintptr_t>(block);
    const auto shift = static_cast<std::uintptr_t>(1 - static_cast<std::int64_t>(lo)) * sizeof(T);
    return reinterpret_cast<T*>(base + shift);
}

template <class T> void* BlockOf(T* handle, int lo)
{
    const auto base = reinterpret_cast<std::uintptr_t>(handle);
    const auto shift = static_cast<std::uintptr_t>(static_cast<std::int64_t>(lo) - 1) * sizeof(T);
    return reinterpret_cast<void*>(base + shift);
}

template <class T> T* AllocOffsetVector(int lo, int hi)
{
    void* block = AllocSlots(SlotCount(lo, hi), sizeof(T));
    if (!block) {
        SetMathErrno(NumericOutOfMemory);
        return nullptr;
    }
    return OffsetHandle<T>(block, lo);
}

} // namespace

bool IsNumericErrorCode(int code)
{
    switch (code) {
    case NumericIterationLimit:
    case NumericBadArgument:
    case NumericSingularMatrix:
    case NumericOutOfMemory:
    case NumericEqualAbscissae:
    case NumericSortStackFull:
        return true;
    default:
        return false;
    }
}

int SetMathErrno(int code)
{
    errno = code;
    return code;
}

double* AllocVector(int lo, int hi) { return AllocOffsetVector<double>(lo, hi); }

int* AllocIntVector(int lo, int hi) { return AllocOffsetVector<int>(lo, hi); }

double** AllocMatrix(int rlo, int rhi, int clo, int chi)
{
    const std::int64_t rowSlots = SlotCount(rlo, rhi);
    const std::int64_t colSlots = SlotCount(clo, chi);
    if (rowSlots == 0 || colSlots == 0) {
        SetMathErrno(NumericOutOfMemory);
        return nullptr;
    }
    const std::int64_t rows = rowSlots - 1;
    const std::int64_t cols = colSlots - 1;
    if (cols != 0 && rows > (kMaxBytes / static_cast<std::int64_t>(sizeof(double))) / cols) {
        SetMathErrno(NumericOutOfMemory);
        return nullptr;
    }
    // At least two row slots, so that m[rlo] exists even for zero rows and FreeMatrix can find
    // the data block through it.
    void* rowBlock = AllocSlots(rows >= 1 ? rowSlots : 2, sizeof(double*));
    if (!rowBlock) {
        SetMathErrno(NumericOutOfMemory);
        return nullptr;
    }
    void* dataBlock = AllocSlots(rows * cols + 1, sizeof(double));
    if (!dataBlock) {
        std::free(rowBlock);
        SetMathErrno(NumericOutOfMemory);
        return nullptr;
    }
    double** m = OffsetHandle<double*>(rowBlock, rlo);
    m[rlo] = OffsetHandle<double>(dataBlock, clo);
    for (std::int64_t i = 1; i < rows; ++i) {
        m[rlo + i] = m[rlo + i - 1] + cols;
    }
    return m;
}

void FreeVector(double* v, int lo, int /*hi*/)
{
    if (v)
        std::free(BlockOf(v, lo));
}

void FreeIntVector(int* v, int lo, int /*hi*/)
{
    if (v)
        std::free(BlockOf(v, lo));
}

void FreeMatrix(double** m, int rlo, int /*rhi*/, int clo, int /*chi*/)
{
    if (!m)
        return;
    std::free(BlockOf(m[rlo], clo));
    std::free(BlockOf(m, rlo));
}
