// The flat tool bar's layout: its size in each place and the rows of its buttons.
#include "framework/win/CDC.h"
#include "ui/KxToolBar.h"

#include <algorithm>

// The layout rules with the bar's own way of measuring a button.
class CKxToolBarMeasure : public CToolBarLayout {
public:
    explicit CKxToolBarMeasure(const CKxToolBar* pBar)
        : CToolBarLayout({CKxToolBarBase::GetComCtlVersion(), pBar->m_bHideWrappedDropDowns != 0}),
          m_pBar(pBar)
    {
    }
    CSize MeasureButton(const std::vector<ToolButton>& buttons, std::size_t index) const override
    {
        return m_pBar->MeasureButton(buttons, int(index));
    }

private:
    const CKxToolBar* m_pBar;
};

CSize CKxToolBar::MeasureButton(const std::vector<ToolButton>& buttons, int nIndex) const
{
    const CToolBarLayout rules({GetComCtlVersion(), m_bHideWrappedDropDowns != 0});
    return rules.MeasureButton(buttons, std::size_t(nIndex));
}

std::vector<ToolButton> CKxToolBar::ReadButtons() const
{
    std::vector<ToolButton> buttons;
    const int nCount = GetCount();
    buttons.reserve(std::size_t(std::max(nCount, 0)));
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON button;
        GetButton(i, button);
        CRect rect;
        if (!SendMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect)))
            rect.SetRectEmpty();
        ToolButton tool;
        tool.idCommand = button.idCommand;
        tool.state = button.fsState;
        tool.style = button.fsStyle;
        tool.size = rect.Size();
        // A separator is as wide as it was made, however the control draws it across a row.
        if (button.fsStyle & TBSTYLE_SEP)
            tool.size = CSize(button.iBitmap, std::max(int(rect.Height()), int(m_sizeButton.cy)));
        buttons.push_back(tool);
    }
    return buttons;
}

void CKxToolBar::WriteButtons(const std::vector<ToolButton>& buttons)
{
    // Custom controls move with their buttons.
    std::vector<std::pair<CWnd*, CRect>> controls;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto found = m_controls.find(UINT(buttons[i].idCommand));
        if ((buttons[i].style & TBSTYLE_SEP) && found != m_controls.end()) {
            CRect rect;
            SendMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect));
            controls.emplace_back(found->second, rect);
        }
    }
    BOOL bChanged = FALSE;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        TBBUTTON button;
        if (!GetButton(int(i), button) || button.fsState == BYTE(buttons[i].state))
            continue;
        button.fsState = BYTE(buttons[i].state);
        SetButton(int(i), button);
        bChanged = TRUE;
    }
    if (bChanged)
        SendMessage(TB_AUTOSIZE);
    for (auto& [pControl, rectOld] : controls) {
        const int nIndex = CommandToIndex(UINT(pControl->GetDlgCtrlID()));
        CRect rectNew;
        if (nIndex < 0 || !SendMessage(TB_GETITEMRECT, WPARAM(nIndex), LPARAM(&rectNew)))
            continue;
        CRect rectControl;
        pControl->GetWindowRect(&rectControl);
        ScreenToClient(&rectControl);
        rectControl.OffsetRect(rectNew.left - rectOld.left, rectNew.top - rectOld.top);
        pControl->SetWindowPos(nullptr, rectControl.left, rectControl.top, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

CSize CKxToolBar::ComputeBarLayout(DWORD dwMode, int nLength)
{
    std::vector<ToolButton> buttons = ReadButtons();
    const CKxToolBarMeasure layout(this);
    if (!(m_dwStyle & CBRS_SIZE_FIXED)) {
        const BOOL bDynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
        if (bDynamic && (dwMode & LM_MRUWIDTH)) {
            layout.FitToLength(buttons, m_nMRUWidth, false);
        } else if (dwMode & LM_HORZDOCK) {
            layout.FitToLength(buttons, 32767, false);
        } else if (dwMode & LM_VERTDOCK) {
            layout.FitToLength(buttons, 0, false);
        } else if (nLength != -1) {
            CRect rect(0, 0, 0, 0);
            CalcInsideRect(rect, (dwMode & LM_HORZ) != 0);
            const BOOL bVert = (dwMode & LM_LENGTHY) != 0;
            layout.FitToLength(buttons, nLength + (bVert ? rect.Height() : rect.Width()),
                               bVert != 0);
        } else if (bDynamic && (m_dwStyle & CBRS_FLOATING)) {
            layout.FitToLength(buttons, m_nMRUWidth, false);
        } else {
            layout.FitToLength(buttons, (dwMode & LM_HORZ) ? 32767 : 0, false);
        }
    }
    CSize sizeResult = layout.MeasureWrapped(buttons);
    if (dwMode & LM_COMMIT) {
        if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
            m_nMRUWidth = sizeResult.cx;
        WriteButtons(buttons);
    }
    // With the borders and gripper around, and never below the bar's own minimum.
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, (dwMode & LM_HORZ) != 0);
    sizeResult.cx -= rect.Width();
    sizeResult.cy -= rect.Height();
    const CSize sizeMin =
        CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
    sizeResult.cx = std::max(sizeResult.cx, sizeMin.cx);
    sizeResult.cy = std::max(sizeResult.cy, sizeMin.cy);
    return sizeResult;
}

CSize CKxToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return ComputeBarLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CKxToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) &&
        (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    return ComputeBarLayout(dwMode, nLength);
}

void CKxToolBar::CommitDelayedLayout()
{
    m_bDelayedButtonLayout = FALSE;
    DWORD dwMode = LM_VERTDOCK;
    if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
        dwMode = LM_HORZ | LM_MRUWIDTH;
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
        dwMode = LM_HORZ | LM_HORZDOCK;
    ComputeBarLayout(dwMode | LM_COMMIT, -1);
}

void CKxToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    CKxToolBarBase::OnBarStyleChange(dwOldStyle, dwNewStyle);
    m_bDelayedButtonLayout = TRUE;
    if (m_hWnd && (dwOldStyle ^ dwNewStyle) & (CBRS_ORIENT_ANY | CBRS_FLOATING))
        CommitDelayedLayout();
}

void CKxToolBar::OnPaint()
{
    if (m_bDelayedButtonLayout)
        CommitDelayedLayout();
    Default();
}

LRESULT CKxToolBar::OnWindowPosChanging(WPARAM, LPARAM lParam)
{
    // Where the bar was, so that what it uncovers can be repainted after the move.
    const auto* pPos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (!(pPos->flags & SWP_NOMOVE)) {
        GetWindowRect(&m_rectOldPos);
        if (HWND hWndParent = ::GetParent(m_hWnd))
            ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<POINT*>(&m_rectOldPos), 2);
    }
    return Default();
}

void CKxToolBar::OnWindowPosChanged(WINDOWPOS* pWndPos)
{
    CControlBar::OnWindowPosChanged(pWndPos);
    if (!(pWndPos->flags & SWP_NOMOVE) && !m_rectOldPos.IsRectEmpty())
        RepaintUncoveredArea(m_rectOldPos);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && rectWindow.Size() != m_rectLastWindow.Size())
        Invalidate();
    m_rectLastWindow = rectWindow;
}

void CKxToolBar::RepaintUncoveredArea(const CRect& rect)
{
    if (HWND hWndParent = ::GetParent(m_hWnd))
        ::RedrawWindow(hWndParent, &rect, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}
