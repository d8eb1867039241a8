#pragma once
// Ascending quicksort of 1-based vectors (median of three, insertion below 7 elements, the
// smaller part sorted first so the recursion stays within log2 n) and midranks of sorted data.

// Sorts arr[1..n] ascending in place in O(n log n) for ordered, reversed, constant and random
// input; sets no error.
void SortVector(int n, double* arr);

// Sorts arr[1..n] ascending and moves brr[1..n] alongside.
void SortTwoVectors(int n, double* arr, double* brr);

// Replaces the ascending w[1..n] by its ranks, ties by their midrank; s = Σ(t³ − t) over the
// tie groups of t values.
void RankWithTies(int n, double* w, double* s);
