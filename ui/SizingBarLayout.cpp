#include "ui/SizingBarLayout.h"

#include <algorithm>
#include <climits>
#include <numeric>

std::vector<int> LayoutSizingBars(int nLength, const std::vector<int>& wanted, int nMaximised,
                                  int nMinimum)
{
    const int n = int(wanted.size());
    std::vector<int> lengths(wanted.size(), nMinimum);
    if (n == 0)
        return lengths;
    if (nMaximised >= 0 && nMaximised < n) {
        lengths[std::size_t(nMaximised)] = std::max(nMinimum, nLength - (n - 1) * nMinimum);
        return lengths;
    }
    int nPos = 0;
    for (int i = 0; i < n; ++i) {
        const int nRest = (n - 1 - i) * nMinimum; // the panes that follow keep their captions
        if (i == n - 1) {
            lengths[std::size_t(i)] = std::max(nMinimum, nLength - nPos);
            break;
        }
        int nWant = std::max(wanted[std::size_t(i)], nMinimum);
        while (nPos + nWant + nRest > nLength && nWant > nMinimum)
            nWant = std::max(nMinimum, nWant - std::max(nWant / 4, 1));
        lengths[std::size_t(i)] = nWant;
        nPos += nWant;
    }
    return lengths;
}

int TrackedSideSize(int nStart, int nDelta, int nMax)
{
    const long long size = (long long)nStart + nDelta;
    return int(std::clamp<long long>(size, kSizingEdge, std::max(nMax, kSizingEdge)));
}

BOOL SaveSizingBarState(CProfileStore& store, const char* section, const SizingBarState& state)
{
    BOOL ok = store.WriteInt(section, "CX", state.cx);
    ok = store.WriteInt(section, "CY", state.cy) && ok;
    ok = store.WriteInt(section, "Floating", state.nFloating) && ok;
    return store.WriteInt(section, "Style", state.nStyle) && ok;
}

BOOL LoadSizingBarState(CProfileStore& store, const char* section, SizingBarState& state)
{
    SizingBarState read;
    read.cx = store.GetInt(section, "CX", INT_MIN);
    read.cy = store.GetInt(section, "CY", INT_MIN);
    read.nFloating = store.GetInt(section, "Floating", INT_MIN);
    read.nStyle = store.GetInt(section, "Style", INT_MIN);
    auto isSize = [](int size) { return size >= kSizingEdge && size <= 32767; };
    const BOOL bSide = read.nStyle == 0x1000 || read.nStyle == 0x2000 || read.nStyle == 0x4000 ||
                       read.nStyle == 0x8000;
    if (!isSize(read.cx) || !isSize(read.cy) || (read.nFloating != 0 && read.nFloating != 1) ||
        !bSide)
        return FALSE;
    state = read;
    return TRUE;
}
