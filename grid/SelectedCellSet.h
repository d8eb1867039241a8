#pragma once
// The set of selected cells of a grid, keyed by the whole row and column so that no two cells
// share a key however large the grid grows.
#include "grid/CellRange.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

class CSelectedCellSet {
public:
    void Add(int nRow, int nCol) { m_keys.insert(Key(nRow, nCol)); }
    void Remove(int nRow, int nCol) { m_keys.erase(Key(nRow, nCol)); }
    BOOL Contains(int nRow, int nCol) const { return m_keys.count(Key(nRow, nCol)) != 0; }
    void Clear() { m_keys.clear(); }
    BOOL IsEmpty() const { return m_keys.empty(); }
    std::size_t GetCount() const { return m_keys.size(); }

    // A snapshot of the cells, so callers may change the set while they walk it.
    std::vector<CCellPos> GetCells() const;
    // The smallest block holding every cell; the empty block when there is none.
    CCellBlock GetBoundingBlock() const;

private:
    static std::uint64_t Key(int nRow, int nCol)
    {
        return (std::uint64_t(std::uint32_t(nRow)) << 32) | std::uint32_t(nCol);
    }
    std::unordered_set<std::uint64_t> m_keys;
};
