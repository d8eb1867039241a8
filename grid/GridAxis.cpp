#include "grid/GridAxis.h"

#include <algorithm>
#include <cstdint>

int CGridAxis::GetExtent(int nFirst, int nLast) const
{
    nFirst = std::max(nFirst, 0);
    nLast = std::min(nLast, GetCount());
    if (nFirst == 0 && nLast == GetCount())
        return GetTotal();
    long long nSum = 0;
    for (int i = nFirst; i < nLast; ++i)
        nSum += m_sizes[std::size_t(i)];
    return int(std::min<long long>(nSum, INT32_MAX));
}

void CGridAxis::Resize(int nCount, int nNewSize)
{
    const std::size_t nOld = m_sizes.size();
    for (std::size_t i = std::size_t(nCount); i < nOld; ++i)
        m_nTotal -= m_sizes[i];
    m_sizes.resize(std::size_t(nCount), UINT(nNewSize));
    if (std::size_t(nCount) > nOld)
        m_nTotal += (long long)(std::size_t(nCount) - nOld) * nNewSize;
}

int CGridAxis::TopLeftAt(int nPos) const
{
    int i = m_nFixed;
    long long nSum = 0;
    while (nSum < nPos && i < GetCount() - 1)
        nSum += m_sizes[std::size_t(i++)];
    while (i < GetCount() - 1 && m_sizes[std::size_t(i)] == 0)
        ++i; // a hidden entry takes no room: the next shown one leads
    return i;
}

int CGridAxis::LastVisible(int nTopLeft, int nClient, int* pEnd) const
{
    long long nSum = GetFixedExtent();
    int nLast = nTopLeft;
    for (int i = std::max(nTopLeft, 0); i < GetCount(); ++i) {
        nSum += m_sizes[std::size_t(i)];
        nLast = i;
        if (nSum >= nClient)
            break;
    }
    if (pEnd)
        *pEnd = int(std::min<long long>(nSum, nClient));
    return std::min(nLast, GetCount() - 1);
}

BOOL CGridAxis::GetOrigin(int i, int nTopLeft, int* pOrigin) const
{
    if (!IsValid(i))
        return FALSE;
    if (i < m_nFixed) {
        *pOrigin = GetExtent(0, i);
        return TRUE;
    }
    if (i < nTopLeft)
        return FALSE;
    *pOrigin = GetFixedExtent() + GetExtent(nTopLeft, i);
    return TRUE;
}

int CGridAxis::IndexAt(int nCoord, int nTopLeft, BOOL bAllowFixed) const
{
    if (nCoord < 0)
        return -1;
    const int nFixedExtent = GetFixedExtent();
    long long nRight = 0;
    if (nCoord < nFixedExtent) {
        if (!bAllowFixed)
            return -1;
        for (int i = 0; i < m_nFixed; ++i) {
            nRight += m_sizes[std::size_t(i)];
            if (nRight > nCoord)
                return i;
        }
        return m_nFixed;
    }
    nRight = nFixedExtent;
    for (int i = std::max(nTopLeft, m_nFixed); i < GetCount(); ++i) {
        nRight += m_sizes[std::size_t(i)];
        if (nRight > nCoord)
            return i;
    }
    return -1;
}

int CGridAxis::PositionShowing(int i, int nTopLeft, int nClient, int nPos) const
{
    if (!IsValid(i) || i < m_nFixed)
        return nPos;
    if (i < nTopLeft)
        return GetExtent(m_nFixed, i);
    // Entries from i back towards the top-left one, as many as fit beside i.
    const long long nRoom = (long long)nClient - GetFixedExtent();
    long long nSum = m_sizes[std::size_t(i)];
    int nFirst = i;
    while (nFirst > nTopLeft && nSum + m_sizes[std::size_t(nFirst - 1)] <= nRoom)
        nSum += m_sizes[std::size_t(--nFirst)];
    return nFirst > nTopLeft ? GetExtent(m_nFixed, nFirst) : nPos;
}

int CGridAxis::NextShown(int i) const { return ShownFrom(i + 1); }

int CGridAxis::PrevShown(int i) const { return ShownUpTo(i - 1); }

int CGridAxis::ShownFrom(int i) const
{
    for (i = std::max(i, 0); i < GetCount(); ++i)
        if (m_sizes[std::size_t(i)] > 0)
            return i;
    return -1;
}

int CGridAxis::ShownUpTo(int i) const
{
    for (i = std::min(i, GetCount() - 1); i >= m_nFixed; --i)
        if (m_sizes[std::size_t(i)] > 0)
            return i;
    return -1;
}

GridScrollBars ComputeGridScrollBars(int nClientWidth, int nClientHeight, const CGridAxis& rows,
                                     const CGridAxis& cols, int nVertBarWidth, int nHorzBarHeight)
{
    GridScrollBars bars;
    const int nFixedHeight = rows.GetFixedExtent();
    const int nFixedWidth = cols.GetFixedExtent();
    if (nClientWidth <= nFixedWidth || nClientHeight <= nFixedHeight)
        return bars;
    const int nScrollHeight = rows.GetTotal() - nFixedHeight;
    const int nScrollWidth = cols.GetTotal() - nFixedWidth;
    int nVisibleHeight = nClientHeight - nFixedHeight;
    if (nVisibleHeight < nScrollHeight)
        nClientWidth -= nVertBarWidth;
    const int nVisibleWidth = nClientWidth - nFixedWidth;
    if (nVisibleWidth < nScrollWidth)
        nVisibleHeight = nClientHeight - nHorzBarHeight - nFixedHeight;

    if (nVisibleHeight < nScrollHeight) {
        bars.bShowVert = TRUE;
        bars.nVertMax = nScrollHeight - 1;
        bars.nVertPage = std::max(nVisibleHeight, 0);
    }
    if (nVisibleWidth < nScrollWidth) {
        bars.bShowHorz = TRUE;
        bars.nHorzMax = nScrollWidth - 1;
        bars.nHorzPage = std::max(nVisibleWidth, 0);
    }
    if (bars.nVertMax <= 0)
        bars.nVertPage = 0;
    if (bars.nHorzMax <= 0)
        bars.nHorzPage = 0;
    return bars;
}

int GridWheelSteps(int nDelta, UINT nLinesPerNotch, BOOL* pbPageScroll)
{
    *pbPageScroll = nLinesPerNotch == UINT(-1);
    if (*pbPageScroll)
        return nDelta / 120;
    return int((long long)nDelta * nLinesPerNotch / 120);
}
