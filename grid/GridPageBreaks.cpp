#include "grid/GridPageBreaks.h"

#include "framework/core/PageBreaks.h"

#include <algorithm>

std::vector<int> CGridPageBreaks::Break(const CGridAxis& axis, int nFirst, int nLimit)
{
    return BreakIntoPages(
        nFirst, axis.GetCount(), [&axis](int i) { return (long long)axis.GetSize(i); }, nLimit);
}

void CGridPageBreaks::Compute(const CGridAxis& rows, const CGridAxis& cols, int nPageHeight,
                              int nPageWidth, BOOL bStrips)
{
    m_bands = Break(rows, rows.GetFixedCount(), nPageHeight);
    const int nFirstCol = cols.GetFixedCount();
    m_strips = bStrips ? Break(cols, nFirstCol, nPageWidth)
                       : std::vector<int>{nFirstCol, std::max(cols.GetCount(), nFirstCol)};
}

void CGridPageBreaks::Clear()
{
    m_bands.clear();
    m_strips.clear();
}

BOOL CGridPageBreaks::GetPage(int nPage, GridPageRange& range) const
{
    if (nPage < 1 || nPage > GetPageCount())
        return FALSE;
    const int nBand = (nPage - 1) / GetStripCount();
    const int nStrip = (nPage - 1) % GetStripCount();
    range.rowFirst = m_bands[std::size_t(nBand)];
    range.rowEnd = m_bands[std::size_t(nBand) + 1];
    range.colFirst = m_strips[std::size_t(nStrip)];
    range.colEnd = m_strips[std::size_t(nStrip) + 1];
    return TRUE;
}
