#include "grid/CGridBtnCell.h"

#include "framework/win/CDC.h"
#include "grid/CGridCellEdit.h"
#include "grid/CGridCtrl.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CGridBtnCellBase, CGridCellBase)
IMPLEMENT_DYNCREATE(CGridBtnCell, CGridBtnCellBase)

namespace {

constexpr int kMaxRects = 16;
constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

} // namespace

// --- Attributes through the store ----------------------------------------------------------

void CGridBtnCellBase::SetText(LPCTSTR szText)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetText(m_iRow, m_iCol, szText);
}
void CGridBtnCellBase::SetImage(int nImage)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetImage(m_iRow, m_iCol, nImage);
}
void CGridBtnCellBase::SetData(LPARAM lParam)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetData(m_iRow, m_iCol, lParam);
}
void CGridBtnCellBase::SetFormat(DWORD nFormat)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetFormat(m_iRow, m_iCol, nFormat);
}
void CGridBtnCellBase::SetTextColour(COLORREF clr)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetTextColour(m_iRow, m_iCol, clr);
}
void CGridBtnCellBase::SetBackColour(COLORREF clr)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetBackColour(m_iRow, m_iCol, clr);
}
void CGridBtnCellBase::SetFont(const LOGFONTA* plf)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetFont(m_iRow, m_iCol, plf);
}
void CGridBtnCellBase::SetMargin(UINT nMargin)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetMargin(m_iRow, m_iCol, nMargin);
}
void CGridBtnCellBase::SetGrid(CGridCtrl* pGrid)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetGrid(pGrid);
}
void CGridBtnCellBase::SetStoreEditWnd(CWnd* pEditWnd)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetEditWnd(pEditWnd);
}

LPCTSTR CGridBtnCellBase::GetText() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetText(m_iRow, m_iCol) : nullptr;
}
int CGridBtnCellBase::GetImage() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetImage(m_iRow, m_iCol) : -1;
}
LPARAM CGridBtnCellBase::GetData() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetData(m_iRow, m_iCol) : 0;
}
DWORD CGridBtnCellBase::GetFormat() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetFormat(m_iRow, m_iCol) : 0;
}
COLORREF CGridBtnCellBase::GetTextColour() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetTextColour(m_iRow, m_iCol) : CLR_DEFAULT;
}
COLORREF CGridBtnCellBase::GetBackColour() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetBackColour(m_iRow, m_iCol) : CLR_DEFAULT;
}
const LOGFONTA* CGridBtnCellBase::GetFont() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetFont(m_iRow, m_iCol) : nullptr;
}
CFont* CGridBtnCellBase::GetFontObject() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetFontObject(m_iRow, m_iCol) : nullptr;
}
CGridCtrl* CGridBtnCellBase::GetGrid() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetGrid() : nullptr;
}
CWnd* CGridBtnCellBase::GetEditWnd() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetEditWnd() : nullptr;
}
UINT CGridBtnCellBase::GetMargin() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetMargin(m_iRow, m_iCol) : 0;
}

void CGridBtnCellBase::Reset()
{
    m_sLastClickedButton = -1;
    m_sNbrButtons = 0;
    m_iRow = m_iCol = -1;
    m_bEditing = FALSE;
}

// --- Buttons -------------------------------------------------------------------------------

BOOL CGridBtnCellBase::SetUpButton(int nIndex, BYTE nType, WORD nState, int nPlacement, UINT nWidth,
                                   BOOL bRadioGroupMember, LPCTSTR szCaption)
{
    if (nIndex < 0 || nIndex >= GetMaxButtons() || nPlacement < 0 || nPlacement > 2 ||
        (nPlacement == 0 && nIndex != 0))
        return FALSE;
    if (nIndex >= GetButtonCount())
        SetButtonCount(short(nIndex + 1));
    SetButtonPlacement(nIndex, nPlacement);
    SetButtonWidth(nIndex, nWidth);
    SetButtonType(nIndex, nType);
    SetButtonState(nIndex, nState);
    SetButtonCaption(nIndex, szCaption);
    SetRadioGroupMember(nIndex, bRadioGroupMember);
    return TRUE;
}

std::vector<CString> CGridBtnCellBase::Captions() const
{
    std::vector<CString> captions;
    for (int i = 0; i < GetButtonCount(); ++i)
        captions.emplace_back(GetButtonCaption(i));
    return captions;
}

BOOL CGridBtnCellBase::CalcButtonRects(CRect* pRects, int nLength, const CRect& cell) const
{
    const int nCount = GetButtonCount();
    if (nLength < GetMaxButtons() || nCount <= 0 || nLength <= nCount)
        return FALSE;
    std::vector<GridButtonRecord> records(static_cast<std::size_t>(nCount));
    for (int i = 0; i < nCount; ++i) {
        GridButtonRecord& record = records[std::size_t(i)];
        record.nWidth = GetButtonWidth(i);
        record.nState = GetButtonState(i);
        record.nType = GetButtonType(i);
        record.SetPlacement(GetButtonPlacement(i));
        record.SetRadioGroupMember(IsRadioGroupMember(i));
    }
    const GridRect area = {cell.left, cell.top, cell.right, cell.bottom};
    const GridButtonPlaces places =
        LayoutGridButtons(records.data(), nCount, area, int(GetMargin()));
    for (int i = 0; i < nCount; ++i) {
        const GridRect& r = places.buttons[std::size_t(i)];
        pRects[i] = CRect(r.left, r.top, r.right, r.bottom);
    }
    pRects[nCount] =
        CRect(places.text.left, places.text.top, places.text.right, places.text.bottom);
    return TRUE;
}

BOOL CGridBtnCellBase::DrawButtons(CDC* pDC, int, int, CRect& rect)
{
    if (!GetGrid() || !pDC || rect.IsRectEmpty())
        return FALSE;
    const int nSavedDC = pDC->SaveDC();
    CRect rects[kMaxRects];
    if (GetButtonCount() > 0) {
        pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
        CRect edge = rect;
        pDC->DrawEdge(edge, IsSelected() ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        pDC->SetBkMode(TRANSPARENT);
        if (CFont* pFont = GetFontObject())
            pDC->SelectObject(pFont);
    }
    if (CalcButtonRects(rects, kMaxRects, rect)) {
        for (int i = 0; i < GetButtonCount(); ++i) {
            const WORD nState = GetButtonState(i);
            CRect button = rects[i];
            pDC->DrawEdge(button,
                          (nState & GridButtonKind::kPushed) ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
                          BF_RECT);
            LPCTSTR szCaption = GetButtonCaption(i);
            if (!szCaption)
                continue;
            const COLORREF oldColour = pDC->GetTextColor();
            if (nState & GridButtonKind::kInactive) {
                // Embossed: a white copy one pixel down and right under grey text.
                CRect shadow = rects[i];
                shadow.OffsetRect(1, 1);
                pDC->SetTextColor(RGB(255, 255, 255));
                pDC->DrawText(szCaption, -1, shadow, kCaptionFormat);
                pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
            } else {
                pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
            }
            pDC->DrawText(szCaption, -1, rects[i], kCaptionFormat);
            pDC->SetTextColor(oldColour);
        }
        rect = rects[GetButtonCount()];
    }
    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

BOOL CGridBtnCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CRect textArea = rect;
    if (!DrawButtons(pDC, nRow, nCol, textArea))
        return FALSE;
    if (textArea.IsRectEmpty())
        return TRUE;
    return CGridCellBase::Draw(pDC, nRow, nCol, textArea, bEraseBkgnd);
}

BOOL CGridBtnCellBase::GetTextRect(LPRECT pRect)
{
    if (GetButtonCount() > 0) {
        CRect rects[kMaxRects];
        if (CalcButtonRects(rects, kMaxRects, CRect(pRect))) {
            const CRect& text = rects[GetButtonCount()];
            const int nMargin = int(GetMargin());
            *pRect = text;
            pRect->left += nMargin;
            pRect->right = std::max<LONG>(pRect->left, text.right - nMargin);
        }
    }
    return CGridCellBase::GetTextRect(pRect);
}

BOOL CGridBtnCellBase::HasTextArea() const
{
    CGridCtrl* pGrid = GetGrid();
    CRect rect;
    if (!pGrid || !pGrid->GetCellRect(m_iRow, m_iCol, rect))
        return FALSE; // no place, no text area
    const_cast<CGridBtnCellBase*>(this)->GetTextRect(rect);
    return rect.Width() > 0;
}

BOOL CGridBtnCellBase::GetTipTextRect(LPRECT pRect)
{
    if (HasTextArea())
        return GetTextRect(pRect);
    if (GetButtonCount() <= 0)
        ::SetRectEmpty(pRect);
    return TRUE;
}

LPCTSTR CGridBtnCellBase::GetButtonTipText() const
{
    static CString s_strTip;
    if (HasTextArea())
        return GetText();
    s_strTip = GridButtonTipText(Captions());
    return s_strTip;
}

CSize CGridBtnCellBase::GetCellExtent(CDC* pDC)
{
    CSize size = CGridCellBase::GetCellExtent(pDC);
    if (GetButtonCount() <= 0 || !pDC)
        return size;
    CFont* pOldFont = nullptr;
    if (CFont* pFont = GetFontObject())
        pOldFont = pDC->SelectObject(pFont);
    for (int i = 0; i < GetButtonCount(); ++i) {
        const UINT nWidth = GetButtonWidth(i);
        if (nWidth >= 1) {
            size.cx += LONG(nWidth);
        } else if (LPCTSTR szCaption = GetButtonCaption(i)) {
            CRect measured(0, 0, 0, 0);
            pDC->DrawText(szCaption, -1, measured, GetFormat() | DT_CALCRECT);
            size.cx += measured.Width();
        } else {
            size.cx += size.cy; // a square control
        }
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    size.cx += 4 * LONG(GetMargin());
    return size;
}

int CGridBtnCellBase::HitTestButton(CPoint pointCellRelative) const
{
    CGridCtrl* pGrid = GetGrid();
    CRect cell;
    CRect rects[kMaxRects];
    if (!pGrid || !pGrid->GetCellRect(m_iRow, m_iCol, cell) ||
        !CalcButtonRects(rects, kMaxRects, cell))
        return -1;
    const CPoint point = pointCellRelative + cell.TopLeft();
    for (int i = 0; i < GetButtonCount(); ++i) {
        const CRect& r = rects[i];
        if (point.x >= r.left && point.x <= r.right && point.y >= r.top && point.y <= r.bottom)
            return i;
    }
    return -1;
}

BOOL CGridBtnCellBase::ClickButtonAt(UINT message, CPoint pointCellRelative)
{
    const int nIndex = HitTestButton(pointCellRelative);
    if (nIndex < 0) {
        m_sLastClickedButton = -1;
        return FALSE;
    }
    ProcessButtonClick(message, nIndex);
    return TRUE;
}

BOOL CGridBtnCellBase::ProcessButtonClick(UINT message, int nIndex)
{
    using namespace GridButtonKind;
    if (nIndex < 0 || nIndex >= GetMaxButtons() || (GetButtonState(nIndex) & kInactive))
        return FALSE;
    m_sLastClickedButton = short(nIndex);
    const WORD nState = GetButtonState(nIndex);
    CGridCtrl* pGrid = GetGrid();
    if (message == WM_LBUTTONDOWN) {
        SetButtonState(nIndex, WORD(nState | kPushed));
    } else if (message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK) {
        WORD nNewState = WORD(nState & ~kPushed);
        if (GetButtonType(nIndex) == kButton) {
            const auto isRadio = [this](int i) {
                return (GetButtonState(i) & kRadio) || IsRadioGroupMember(i);
            };
            if (!isRadio(nIndex)) {
                if ((nState & 0x1F) == 0) // a check box
                    nNewState ^= kChecked;
            } else {
                for (int i = 0; i < GetButtonCount(); ++i)
                    if (i != nIndex && isRadio(i))
                        SetButtonState(i, WORD(GetButtonState(i) & ~(kPushed | kChecked)));
                nNewState |= kChecked;
                if (!(nState & kRadio))
                    nNewState |= kPushed; // a latched push button of the group
            }
        }
        SetButtonState(nIndex, nNewState);
    } else {
        return FALSE;
    }
    if (pGrid)
        pGrid->RedrawCell(m_iRow, m_iCol);
    return TRUE;
}

int CGridBtnCellBase::FindMnemonicButton(char ch) const
{
    return FindGridButtonMnemonic(Captions(), ch);
}

void CGridBtnCellBase::OnClickDown(CPoint pointCellRelative)
{
    ClickButtonAt(WM_LBUTTONDOWN, pointCellRelative);
}

void CGridBtnCellBase::OnDblClick(CPoint pointCellRelative)
{
    ClickButtonAt(WM_LBUTTONDBLCLK, pointCellRelative);
}

void CGridBtnCellBase::OnClick(CPoint)
{
    if (m_sLastClickedButton >= 0)
        ProcessButtonClick(WM_LBUTTONUP, m_sLastClickedButton);
}

void CGridBtnCellBase::OnMouseLeave()
{
    const int i = m_sLastClickedButton;
    if (i < 0 || !(GetButtonState(i) & GridButtonKind::kPushed) || IsRadioGroupMember(i))
        return;
    SetButtonState(i, WORD(GetButtonState(i) & ~GridButtonKind::kPushed));
    m_sLastClickedButton = -1;
    if (CGridCtrl* pGrid = GetGrid())
        pGrid->RedrawCell(m_iRow, m_iCol);
}

void CGridBtnCellBase::PressButton(int nRow, int nCol, int nIndex)
{
    ProcessButtonClick(WM_LBUTTONDOWN, nIndex);
    ::Sleep(200); // long enough to see the button go down
    ProcessButtonClick(WM_LBUTTONUP, nIndex);
    SendMessageToParent(nRow, nCol, int(NM_CLICK));
}

BOOL CGridBtnCellBase::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar,
                            GridEditStart start)
{
    if (ClickButtonAt(WM_LBUTTONUP, point)) {
        SendMessageToParent(nRow, nCol, int(NM_CLICK));
        return FALSE;
    }
    const BOOL bTyped = start == GridEditStart::Typed;
    if (GetButtonCount() > 0 && (GetButtonPlacement(0) == 1 || GetButtonCount() == 1) && bTyped &&
        nChar == ' ') {
        PressButton(nRow, nCol, 0);
        return FALSE;
    }
    if (!HasTextArea()) {
        const int nIndex = bTyped ? FindMnemonicButton(char(nChar)) : -1;
        if (nIndex < 0)
            return TRUE;
        PressButton(nRow, nCol, nIndex);
        return FALSE;
    }
    CRect textRect = rect;
    GetTextRect(textRect);
    const DWORD nFormat = GetFormat();
    const DWORD dwStyle = (nFormat & DT_RIGHT)    ? ES_RIGHT
                          : (nFormat & DT_CENTER) ? ES_CENTER
                                                  : ES_LEFT;
    auto* pEdit =
        new CGridCellEdit(GetGrid(), textRect, dwStyle, nID, nRow, nCol, GetText(), nChar, start);
    if (!pEdit->m_hWnd) {
        delete pEdit; // without a window it would never delete itself
        return FALSE;
    }
    m_bEditing = TRUE;
    SetStoreEditWnd(pEdit);
    return TRUE;
}

void CGridBtnCellBase::EndEdit()
{
    if (auto* pEdit = dynamic_cast<CGridCellEdit*>(GetEditWnd()))
        pEdit->EndEdit();
}

void CGridBtnCellBase::OnEndEdit()
{
    m_bEditing = FALSE;
    SetStoreEditWnd(nullptr);
}

// --- CGridBtnCell --------------------------------------------------------------------------

void CGridBtnCell::Reset()
{
    CGridBtnCellBase::Reset();
    m_strText.Empty();
    m_nFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    for (int i = 0; i < kMaxButtons; ++i) {
        m_buttons[i] = GridButtonRecord();
        m_captions[i].Empty();
    }
}

void CGridBtnCell::SetButtonType(int i, BYTE nType)
{
    if (Valid(i))
        m_buttons[i].nType = nType;
}

void CGridBtnCell::SetButtonState(int i, WORD nState)
{
    if (Valid(i))
        m_buttons[i].nState = nState;
}

void CGridBtnCell::SetButtonWidth(int i, UINT nWidth)
{
    if (Valid(i))
        m_buttons[i].nWidth = nWidth;
}

void CGridBtnCell::SetButtonPlacement(int i, int nPlacement)
{
    if (Valid(i))
        m_buttons[i].SetPlacement(nPlacement);
}

LPCTSTR CGridBtnCell::GetButtonCaption(int i) const
{
    return Valid(i) && !m_captions[i].IsEmpty() ? m_captions[i].GetString() : nullptr;
}

void CGridBtnCell::SetButtonCaption(int i, LPCTSTR szCaption)
{
    if (Valid(i))
        m_captions[i] = szCaption;
}

void CGridBtnCell::SetRadioGroupMember(int i, BOOL bMember)
{
    if (Valid(i))
        m_buttons[i].SetRadioGroupMember(bMember);
}
