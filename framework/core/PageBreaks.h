#pragma once
// Where pages break a run of entries of known sizes (the rows of a table, the lines of a text):
// each page takes entries while they fit, and always at least one, so an entry larger than the
// page gets a page of its own and the page count stays finite whatever the sizes.
#include <functional>
#include <vector>

// The first entry of each page of the entries [nFirst, nEnd), followed by nEnd (a run without
// entries makes one empty page).
std::vector<int> BreakIntoPages(int nFirst, int nEnd, const std::function<long long(int)>& size,
                                long long nPageSize);
