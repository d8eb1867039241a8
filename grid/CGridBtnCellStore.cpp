#include "grid/CGridBtnCellStore.h"

#include "grid/CGridCtrl.h"
#include "grid/GridFontCache.h"

void CGridBtnCellStore::SetFont(int, int, const LOGFONTA* plf)
{
    m_plfFont.reset();
    if (plf)
        m_plfFont = std::make_unique<LOGFONTA>(*plf);
}

const LOGFONTA* CGridBtnCellStore::GetFont(int, int) const
{
    if (m_plfFont)
        return m_plfFont.get();
    return m_pGrid ? m_pGrid->GetDefaultCell(FALSE, FALSE)->GetFont() : nullptr;
}

CFont* CGridBtnCellStore::GetFontObject(int nRow, int nCol) const
{
    const LOGFONTA* plf = GetFont(nRow, nCol);
    return plf ? GridFontFor(*plf) : nullptr;
}
