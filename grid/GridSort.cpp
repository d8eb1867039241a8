#include "grid/GridSort.h"

namespace {

// One partition pass over [nLow, nHigh]; afterwards every row up to *pj sorts before the
// pivot or equal, every row from *pi sorts after it or equal.
void Partition(int nLow, int nHigh, BOOL bAscending, const GridRowCompare& compare,
               const GridRowSwap& swap, int* pi, int* pj)
{
    const int nSign = bAscending ? 1 : -1;
    int nPivot = nLow + (nHigh - nLow) / 2;
    int i = nLow;
    int j = nHigh;
    while (i <= j) {
        while (i < nHigh && nSign * compare(i, nPivot) < 0)
            ++i;
        while (j > nLow && nSign * compare(j, nPivot) > 0)
            --j;
        if (i > j)
            break;
        if (compare(i, j) != 0) {
            swap(i, j);
            if (nPivot == i) // the pivot is a cell, not a place: follow it
                nPivot = j;
            else if (nPivot == j)
                nPivot = i;
        }
        ++i;
        --j;
    }
    *pi = i;
    *pj = j;
}

// Heap sort of [nLow, nHigh]: the fallback when partitions keep coming out lopsided, so that
// no input (an organ pipe, say) makes the sort quadratic.
void HeapSort(int nLow, int nHigh, BOOL bAscending, const GridRowCompare& compare,
              const GridRowSwap& swap)
{
    const int nSign = bAscending ? 1 : -1;
    const auto less = [&](int a, int b) { return nSign * compare(nLow + a, nLow + b) < 0; };
    const auto siftDown = [&](int nRoot, int nEnd) {
        for (int nChild = 2 * nRoot + 1; nChild < nEnd; nChild = 2 * nRoot + 1) {
            if (nChild + 1 < nEnd && less(nChild, nChild + 1))
                ++nChild;
            if (!less(nRoot, nChild))
                return;
            swap(nLow + nRoot, nLow + nChild);
            nRoot = nChild;
        }
    };
    const int n = nHigh - nLow + 1;
    for (int i = n / 2 - 1; i >= 0; --i)
        siftDown(i, n);
    for (int nEnd = n - 1; nEnd > 0; --nEnd) {
        if (less(nEnd, 0))
            swap(nLow, nLow + nEnd);
        siftDown(0, nEnd);
    }
}

void SortRange(int nLow, int nHigh, int nDepth, BOOL bAscending, const GridRowCompare& compare,
               const GridRowSwap& swap)
{
    while (nLow < nHigh) {
        if (nDepth-- == 0) {
            HeapSort(nLow, nHigh, bAscending, compare, swap);
            return;
        }
        int i = nLow, j = nHigh;
        Partition(nLow, nHigh, bAscending, compare, swap, &i, &j);
        if (j - nLow < nHigh - i) {
            if (nLow < j)
                SortRange(nLow, j, nDepth, bAscending, compare, swap);
            nLow = i;
        } else {
            if (i < nHigh)
                SortRange(i, nHigh, nDepth, bAscending, compare, swap);
            nHigh = j;
        }
    }
}

} // namespace

void QuickSortGridRows(int nLow, int nHigh, BOOL bAscending, const GridRowCompare& compare,
                       const GridRowSwap& swap)
{
    int nDepth = 0;
    for (int n = nHigh - nLow + 1; n > 1; n /= 2)
        nDepth += 2;
    SortRange(nLow, nHigh, nDepth, bAscending, compare, swap);
}

int CompareGridText(const char* a, const char* b)
{
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    for (;; ++pa, ++pb) {
        if (*pa != *pb)
            return *pa < *pb ? -1 : 1; // a text that ends first has the smaller NUL
        if (*pa == 0)
            return 0;
    }
}
