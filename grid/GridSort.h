#pragma once
// Sorting the rows of a grid by one column in place, with whole rows changing places.
#include "framework/core/Platform.h"

#include <functional>

// Compares the sort-column cells of two rows: negative, 0 or positive.
using GridRowCompare = std::function<int(int nRowA, int nRowB)>;
// Exchanges two whole rows.
using GridRowSwap = std::function<void(int nRowA, int nRowB)>;

// Sorts rows nLow..nHigh (both included). The pivot is the cell of the middle row and stays
// that cell while rows move; rows that compare equal are never exchanged. The recursion goes
// into the smaller part only, and a heap sort takes over a part whose partitions keep coming
// out lopsided, so neither the depth nor the time can blow up on any input.
void QuickSortGridRows(int nLow, int nHigh, BOOL bAscending, const GridRowCompare& compare,
                       const GridRowSwap& swap);

// Byte order of two texts as unsigned characters, no locale, case-sensitive: -1, 0 or 1.
int CompareGridText(const char* a, const char* b);
