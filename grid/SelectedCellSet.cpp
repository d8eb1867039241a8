#include "grid/SelectedCellSet.h"

#include <algorithm>
#include <cstdint>

std::vector<CCellPos> CSelectedCellSet::GetCells() const
{
    std::vector<CCellPos> cells;
    cells.reserve(m_keys.size());
    for (std::uint64_t key : m_keys)
        cells.emplace_back(int(std::int32_t(key >> 32)), int(std::int32_t(key & 0xFFFFFFFFu)));
    return cells;
}

CCellBlock CSelectedCellSet::GetBoundingBlock() const
{
    if (m_keys.empty())
        return CCellBlock();
    int nMinRow = INT32_MAX, nMinCol = INT32_MAX, nMaxRow = INT32_MIN, nMaxCol = INT32_MIN;
    for (std::uint64_t key : m_keys) {
        const int nRow = int(std::int32_t(key >> 32));
        const int nCol = int(std::int32_t(key & 0xFFFFFFFFu));
        nMinRow = std::min(nMinRow, nRow);
        nMaxRow = std::max(nMaxRow, nRow);
        nMinCol = std::min(nMinCol, nCol);
        nMaxCol = std::max(nMaxCol, nCol);
    }
    return CCellBlock(nMinRow, nMinCol, nMaxRow, nMaxCol);
}
