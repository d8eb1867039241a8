#include "numeric/Sorting.h"

#include <utility>

namespace {

constexpr int kInsertionLimit = 7;

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

// Partitions arr[l..ir] around the median of its first, middle and last elements, which are put
// in order first so that they stop both scans; returns the pivot's final place j: arr[l..j-1] <=
// arr[j] <= arr[j+1..ir]. Scans stop on keys equal to the pivot, so equal keys split evenly.
int Partition(const SortPair& v, int l, int ir)
{
    v.Swap(l + (ir - l) / 2, l + 1);
    if (v.arr[l] > v.arr[ir])
        v.Swap(l, ir);
    if (v.arr[l + 1] > v.arr[ir])
        v.Swap(l + 1, ir);
    if (v.arr[l] > v.arr[l + 1])
        v.Swap(l, l + 1);
    int i = l + 1;
    int j = ir;
    const double a = v.arr[l + 1];
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
    v.Swap(l + 1, j);
    return j;
}

// Sorts the smaller part by recursion and goes on with the larger in the loop, so the recursion
// is at most log2 n deep whatever the input.
void QuickSort(const SortPair& v, int l, int ir)
{
    while (ir - l >= kInsertionLimit) {
        const int j = Partition(v, l, ir);
        if (j - l < ir - j) {
            QuickSort(v, l, j - 1);
            l = j + 1;
        } else {
            QuickSort(v, j + 1, ir);
            ir = j - 1;
        }
    }
    InsertionSort(v, l, ir);
}

} // namespace

void SortVector(int n, double* arr) { QuickSort(SortPair{arr, nullptr}, 1, n); }

void SortTwoVectors(int n, double* arr, double* brr) { QuickSort(SortPair{arr, brr}, 1, n); }

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
