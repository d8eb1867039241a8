#pragma once
// Ascending quicksort of 1-based vectors (median of three, insertion below 7 elements, an
// explicit stack of 50 entries) and midranks of sorted data.

// Sorts arr[1..n] ascending in place; a stack overflow sets 109 and leaves arr partly sorted,
// a missing stack vector sets 105.
void SortVector(int n, double* arr);

// Sorts arr[1..n] ascending and moves brr[1..n] alongside; failures as SortVector.
void SortTwoVectors(int n, double* arr, double* brr);

// Replaces the ascending w[1..n] by its ranks, ties by their midrank; s = Σ(t³ − t) over the
// tie groups of t values.
void RankWithTies(int n, double* w, double* s);
