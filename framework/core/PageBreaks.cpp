#include "framework/core/PageBreaks.h"

#include <algorithm>

std::vector<int> BreakIntoPages(int nFirst, int nEnd, const std::function<long long(int)>& size,
                                long long nPageSize)
{
    std::vector<int> starts{nFirst};
    long long total = 0;
    for (int i = nFirst; i < nEnd; ++i) {
        const long long entry = size(i);
        if (total + entry > nPageSize && i != starts.back()) {
            starts.push_back(i);
            total = 0;
        }
        total += entry;
    }
    starts.push_back(std::max(nEnd, nFirst));
    return starts;
}
