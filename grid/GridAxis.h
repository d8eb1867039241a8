#pragma once
// One axis of a grid: the pixel sizes of its rows (or columns), the first of which are fixed
// headers, and the geometry that follows from them and from the scroll position. A size of 0
// hides a row or column: it takes no room, is never hit and is skipped by every step.
#include "framework/core/Platform.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class CGridAxis {
public:
    int GetCount() const { return int(m_sizes.size()); }
    int GetFixedCount() const { return m_nFixed; }
    void SetFixedCount(int nFixed) { m_nFixed = nFixed; }
    // The size of index i; -1 outside the axis.
    int GetSize(int i) const { return IsValid(i) ? int(m_sizes[std::size_t(i)]) : -1; }
    void SetSize(int i, int nSize)
    {
        m_nTotal += (long long)nSize - m_sizes[std::size_t(i)];
        m_sizes[std::size_t(i)] = UINT(nSize);
    }
    BOOL IsValid(int i) const { return i >= 0 && i < GetCount(); }
    BOOL IsShown(int i) const { return IsValid(i) && m_sizes[std::size_t(i)] > 0; }
    // Grows (new entries of nNewSize) or shrinks the axis; may throw std::bad_alloc.
    void Resize(int nCount, int nNewSize);
    void Swap(int a, int b) { std::swap(m_sizes[std::size_t(a)], m_sizes[std::size_t(b)]); }
    void Clear()
    {
        m_sizes.clear();
        m_nTotal = 0;
    }

    // Sums of sizes: of [first, last), of the fixed entries, of all.
    int GetExtent(int nFirst, int nLast) const;
    int GetFixedExtent() const { return GetExtent(0, m_nFixed); }
    int GetTotal() const { return int(std::min<long long>(m_nTotal, INT32_MAX)); }

    // The first non-fixed entry shown at scroll position nPos (pixels into the non-fixed part):
    // step on while the sizes passed are below the position, never past the last entry.
    int TopLeftAt(int nPos) const;
    // The last entry that reaches into a client extent of nClient, starting from the fixed
    // extent at nTopLeft (partly shown counts), and in *pEnd where the shown entries end,
    // capped at nClient.
    int LastVisible(int nTopLeft, int nClient, int* pEnd = nullptr) const;
    // The pixel origin of entry i with nTopLeft first after the fixed entries; FALSE for an
    // index outside the axis or a non-fixed entry scrolled out before nTopLeft.
    BOOL GetOrigin(int i, int nTopLeft, int* pOrigin) const;
    // The entry under coordinate nCoord, or -1: past the end, before 0, or over the fixed
    // entries when bAllowFixed is FALSE.
    int IndexAt(int nCoord, int nTopLeft, BOOL bAllowFixed) const;
    // The scroll position that shows entry i whole in a client extent of nClient, with
    // nTopLeft first now: nPos when it shows already (or is fixed), i first when it lies
    // before, else the least scrolling that brings its far edge in (i first when it is larger
    // than the room). One pass, however far the entry is.
    int PositionShowing(int i, int nTopLeft, int nClient, int nPos) const;

    // Steps that skip hidden entries. Each answers -1 when no shown entry is left.
    int NextShown(int i) const; // after i
    int PrevShown(int i) const; // before i, never into the fixed entries
    int ShownFrom(int i) const; // i or after
    int ShownUpTo(int i) const; // i or before, never into the fixed entries
    int FirstNonFixedShown() const { return ShownFrom(m_nFixed); }

private:
    std::vector<UINT> m_sizes;
    long long m_nTotal = 0; // kept with the sizes: grids of many rows ask for it often
    int m_nFixed = 0;
};

// The scroll bars a grid needs: whether each shows, its maximum (non-fixed extent - 1, or 0)
// and its page (the visible non-fixed extent, or 0 without a bar).
struct GridScrollBars {
    BOOL bShowHorz = FALSE;
    BOOL bShowVert = FALSE;
    int nHorzMax = 0;
    int nVertMax = 0;
    int nHorzPage = 0;
    int nVertPage = 0;
};
// Decides the bars for a client area measured without bars. The vertical bar is decided
// first with the full height; the horizontal one then, and its height can still make the
// vertical bar necessary. Fixed headers that fill the client area leave no bars.
GridScrollBars ComputeGridScrollBars(int nClientWidth, int nClientHeight, const CGridAxis& rows,
                                     const CGridAxis& cols, int nVertBarWidth, int nHorzBarHeight);

// Line scrolls of one wheel movement: delta x lines per notch / 120, truncated (positive
// scrolls up). With bPageScroll the answer counts pages: delta / 120.
int GridWheelSteps(int nDelta, UINT nLinesPerNotch, BOOL* pbPageScroll);
