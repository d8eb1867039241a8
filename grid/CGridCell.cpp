#include "grid/CGridCell.h"

#include "grid/CGridCellEdit.h"
#include "grid/CGridCtrl.h"
#include "grid/GridFontCache.h"

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)

CGridCell::CGridCell() { CGridCell::Reset(); }

CGridCell::~CGridCell() = default;

void CGridCell::SetFont(const LOGFONTA* plf)
{
    if (!plf) {
        m_plfFont.reset();
        return;
    }
    if (!m_plfFont)
        m_plfFont = std::make_unique<LOGFONTA>();
    *m_plfFont = *plf;
}

DWORD CGridCell::GetFormat() const
{
    if (m_nFormat != DWORD(-1))
        return m_nFormat;
    CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetFormat() : 0;
}

UINT CGridCell::GetMargin() const
{
    if (m_nMargin != UINT(-1))
        return m_nMargin;
    CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetMargin() : 0;
}

const LOGFONTA* CGridCell::GetFont() const
{
    if (m_plfFont)
        return m_plfFont.get();
    CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetFont() : nullptr;
}

CFont* CGridCell::GetFontObject() const
{
    if (m_plfFont)
        return GridFontFor(*m_plfFont);
    CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetFontObject() : nullptr;
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_strText.Empty();
    m_nImage = -1;
    m_nFormat = DWORD(-1);
    m_nMargin = UINT(-1);
    m_bEditing = FALSE;
    m_pGrid = nullptr;
    m_pEditWnd = nullptr;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_plfFont.reset();
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar,
                     GridEditStart start)
{
    if (m_bEditing) {
        if (m_pEditWnd)
            m_pEditWnd->SendMessage(WM_CHAR, nChar);
        return TRUE;
    }
    return OpenEditor(nRow, nCol, rect, nID, nChar, start);
}

BOOL CGridCell::OpenEditor(int nRow, int nCol, CRect rect, UINT nID, UINT nChar,
                           GridEditStart start)
{
    const DWORD nFormat = GetFormat();
    const DWORD dwStyle = (nFormat & DT_RIGHT)    ? ES_RIGHT
                          : (nFormat & DT_CENTER) ? ES_CENTER
                                                  : ES_LEFT;
    m_bEditing = TRUE;
    // The editor may start from another text than the cell shows (the owner's choice); the
    // shown one is what Escape brings back.
    const CString shown = GetText();
    const CString startText = GetGrid()->GetEditText(nRow, nCol);
    // The editor deletes itself when its window goes; it reports back through the grid.
    auto* pEdit = new CGridCellEdit(GetGrid(), rect, dwStyle, nID, nRow, nCol, startText, nChar,
                                    start, startText == shown ? nullptr : &shown);
    if (!pEdit->m_hWnd) {
        delete pEdit; // without a window it would never delete itself
        m_bEditing = FALSE;
        return FALSE;
    }
    m_pEditWnd = pEdit;
    return TRUE;
}

void CGridCell::EndEdit()
{
    if (auto* pEdit = dynamic_cast<CGridCellEdit*>(m_pEditWnd))
        pEdit->EndEdit();
}

void CGridCell::OnEndEdit()
{
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}
