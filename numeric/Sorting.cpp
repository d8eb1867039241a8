#include "numeric/Sorting.h"

#include "numeric/NumericCore.h"

#include <utility>

namespace {

constexpr int kInsertionLimit = 7;
constexpr int kStackSize = 50;

// The companion vector is moved with the sorted one, or not at all when null.
struct SortPair {
    double* arr;
    double* brr;

    void Swap(int i, int j) const
    {
        std::swap(arr[i], arr[j]);
        if (brr)
            std::swap(brr[i], brr[j]);
    }
};

void InsertionSort(const SortPair& v, int l, int ir)
{
    for (int j = l + 1; j <= ir; ++j) {
        const double a = v.arr[j];
        const double b = v.brr ? v.brr[j] : 0.0;
        int i = j - 1;
        for (; i >= l; --i) {
            if (v.arr[i] <= a)
                break;
            v.arr[i + 1] = v.arr[i];
            if (v.brr)
                v.brr[i + 1] = v.brr[i];
        }
        v.arr[i + 1] = a;
        if (v.brr)
            v.brr[i + 1] = b;
    }
}

// Partitions arr[l..ir] around the median of its first, middle and last elements; returns j,
// the pivot's final place, and sets i to the first index of the upper part.
int Partition(const SortPair& v, int l, int ir, int* iOut)
{
    const int k = l + (ir - l) / 2;
    v.Swap(k, l + 1);
    if (v.arr[l + 1] > v.arr[ir])
        v.Swap(l + 1, ir);
    if (v.arr[l] > v.arr[ir])
        v.Swap(l, ir);
    if (v.arr[l + 1] > v.arr[l])
        v.Swap(l + 1, l);
    int i = l + 1;
    int j = ir;
    const double a = v.arr[l];
    const double b = v.brr ? v.brr[l] : 0.0;
    for (;;) {
        do
            ++i;
        while (v.arr[i] < a);
        do
            --j;
        while (v.arr[j] > a);
        if (j < i)
            break;
        v.Swap(i, j);
    }
    v.arr[l] = v.arr[j];
    v.arr[j] = a;
    if (v.brr) {
        v.brr[l] = v.brr[j];
        v.brr[j] = b;
    }
    *iOut = i;
    return j;
}

void QuickSort(int n, const SortPair& v)
{
    int* stack = AllocIntVector(1, kStackSize);
    if (!stack)
        return;
    int top = 0;
    int l = 1;
    int ir = n;
    for (;;) {
        if (ir - l < kInsertionLimit) {
            InsertionSort(v, l, ir);
            if (top == 0)
                break;
            ir = stack[top--];
            l = stack[top--];
            continue;
        }
        int i = 0;
        const int j = Partition(v, l, ir, &i);
        top += 2;
        if (top > kStackSize) {
            FreeIntVector(stack, 1, kStackSize);
            SetMathErrno(NumericSortStackFull);
            return;
        }
        // Push the larger part and go on with the smaller, so the stack grows as log n.
        if (ir - i + 1 >= j - l) {
            stack[top] = ir;
            stack[top - 1] = i;
            ir = j - 1;
        } else {
            stack[top] = j - 1;
            stack[top - 1] = l;
            l = i;
        }
    }
    FreeIntVector(stack, 1, kStackSize);
}

} // namespace

void SortVector(int n, double* arr) { QuickSort(n, SortPair{arr, nullptr}); }

void SortTwoVectors(int n, double* arr, double* brr) { QuickSort(n, SortPair{arr, brr}); }

void RankWithTies(int n, double* w, double* s)
{
    *s = 0.0;
    int j = 1;
    while (j < n) {
        if (w[j + 1] != w[j]) {
            w[j] = j;
            ++j;
            continue;
        }
        int jt = j + 1;
        while (jt <= n && w[jt] == w[j])
            ++jt;
        const double rank = 0.5 * (static_cast<double>(j) + jt - 1);
        for (int ji = j; ji <= jt - 1; ++ji)
            w[ji] = rank;
        const double t = jt - j;
        *s += t * t * t - t;
        j = jt;
    }
    if (j == n)
        w[n] = n;
}
