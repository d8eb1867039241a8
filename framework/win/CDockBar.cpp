#include "framework/win/CDockBar.h"

#include "framework/win/CDC.h"
#include "framework/win/CDockContext.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/MessageCrackers.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_MESSAGE(WM_SIZEPARENT, &CDockBar::OnSizeParent)
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                            HBRUSH(COLOR_BTNFACE + 1));
    return CWnd::CreateEx(0, lpszClass, nullptr, (dwStyle & ~CBRS_ALL) | WS_CHILD, 0, 0, 0, 0,
                          AfxSafeHwnd(pParentWnd), reinterpret_cast<HMENU>(UINT_PTR(nID)));
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    const auto* pLayout = reinterpret_cast<const AFX_SIZEPARENTPARAMS*>(lParam);
    m_rectLayout = pLayout->rect;
    m_bLayoutQuery = pLayout->hDWP == nullptr;
    return CControlBar::OnSizeParent(wParam, lParam);
}

void CDockBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

CSize CDockBar::BorderOverlap(const CControlBar*)
{
    return CSize(2 * ::GetSystemMetrics(SM_CYBORDER), 2);
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return LayoutRows(bStretch, bHorz, &BorderOverlap);
}

void CDockBar::MoveBar(HDWP& hDWP, CControlBar* pBar, const CRect& rect)
{
    if (!hDWP)
        return;
    hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                            rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

CSize CDockBar::LayoutRows(BOOL bStretch, BOOL bHorz, CSize (*overlapOf)(const CControlBar* pBar))
{
    if (m_bFloating)
        return LayoutFloating();
    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize sizeMax = m_rectLayout.Size();
    if (m_rectLayout.IsRectEmpty()) {
        CRect rect;
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->GetClientRect(&rect);
        sizeMax = rect.Size();
    }
    HDWP hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(int(m_arrBars.size()));
    CPoint pt(0, -2);
    int nThickness = 0;
    CSize overlapLast(0, 0);
    bool bRowHasBar = false, bWrapped = false;
    // Along the row is x for a horizontal strip, y for a vertical one.
    auto along = [bHorz](auto& p) -> auto& { return bHorz ? p.x : p.y; };
    auto across = [bHorz](auto& p) -> auto& { return bHorz ? p.y : p.x; };
    for (std::size_t i = 0; i < m_arrBars.size(); ++i) {
        CControlBar* pBar = m_arrBars[i];
        if (!pBar) {
            if (bRowHasBar) {
                across(pt) += nThickness - (bHorz ? overlapLast.cy : overlapLast.cx);
                sizeFixed.cx = std::max(sizeFixed.cx, pt.x);
                sizeFixed.cy = std::max(sizeFixed.cy, pt.y);
                along(pt) = -(bHorz ? overlapLast.cx : overlapLast.cy);
                nThickness = 0;
                bRowHasBar = false;
            }
            continue;
        }
        if (!pBar->IsVisible()) {
            if (!m_bLayoutQuery)
                pBar->RecalcDelayShow();
            continue;
        }
        const CSize overlap = overlapOf(pBar);
        const int nOverlap = bHorz ? overlap.cx : overlap.cy;
        DWORD dwMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
        if ((pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) && (pBar->GetBarStyle() & CBRS_FLOATING))
            dwMode = LM_HORZ | LM_MRUWIDTH;
        const CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
        const int nLength = bHorz ? sizeBar.cx : sizeBar.cy;
        const int nMax = bHorz ? sizeMax.cx : sizeMax.cy;
        CRect rect(pt, sizeBar);
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        CPoint topLeft = rect.TopLeft();
        const CPoint barTopLeft = rectBar.TopLeft();
        // A bar keeps its place further along the row, and moves back to fit.
        along(topLeft) = std::max(along(topLeft), along(barTopLeft));
        if (along(topLeft) + nLength - nOverlap > nMax)
            along(topLeft) = std::max(nMax - (nLength - nOverlap), int(along(pt)));
        if (bWrapped) {
            bWrapped = false;
            along(topLeft) = -nOverlap;
        } else if (along(topLeft) >= nMax - nOverlap && bRowHasBar) {
            m_arrBars.insert(m_arrBars.begin() + std::ptrdiff_t(i), nullptr);
            bWrapped = true;
            --i; // the new empty slot ends the row; the bar comes next, on a row of its own
            continue;
        }
        rect = CRect(topLeft, sizeBar);
        if (!m_bLayoutQuery && rect != rectBar) {
            MoveBar(hDWP, pBar, rect);
            if (pBar->m_pDockContext) {
                pBar->m_pDockContext->m_rectMRUDockPos = rect;
                pBar->m_pDockContext->m_uMRUDockID = UINT(GetDlgCtrlID());
            }
        }
        along(pt) = along(topLeft) + nLength - nOverlap;
        nThickness = std::max(nThickness, int(bHorz ? sizeBar.cy : sizeBar.cx));
        overlapLast = overlap;
        bRowHasBar = true;
        if (!m_bLayoutQuery)
            pBar->RecalcDelayShow();
    }
    if (hDWP)
        ::EndDeferWindowPos(hDWP);
    // The strip's own borders.
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    if ((!bStretch || !bHorz) && sizeFixed.cx != 0)
        sizeFixed.cx += rect.left - rect.right;
    if ((!bStretch || bHorz) && sizeFixed.cy != 0)
        sizeFixed.cy += rect.top - rect.bottom;
    return sizeFixed;
}

// A floating frame's strip stacks its bars at their floating widths and is as big as they are.
CSize CDockBar::LayoutFloating()
{
    CSize size(0, 0);
    for (CControlBar* pBar : m_arrBars) {
        if (!pBar || !pBar->IsVisible())
            continue;
        const CSize sizeBar = pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
        if (!m_bLayoutQuery) {
            pBar->SetWindowPos(nullptr, 0, size.cy, sizeBar.cx, sizeBar.cy,
                               SWP_NOZORDER | SWP_NOACTIVATE);
            pBar->RecalcDelayShow();
        }
        size.cx = std::max(size.cx, sizeBar.cx);
        size.cy += sizeBar.cy;
    }
    return size;
}

std::size_t CDockBar::Insert(CControlBar* pBar, const CRect& rect)
{
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const CPoint mid = rect.CenterPoint();
    const int nAcross = bHorz ? mid.y : mid.x;
    const int nAlong = bHorz ? rect.left : rect.top;
    std::size_t rowStart = 1;
    for (std::size_t i = 1; i < m_arrBars.size(); ++i) {
        if (m_arrBars[i])
            continue;
        // The row [rowStart, i): where its visible bars lie across the strip.
        int nTop = INT_MAX, nBottom = INT_MIN;
        for (std::size_t j = rowStart; j < i; ++j) {
            if (!m_arrBars[j]->IsVisible())
                continue;
            CRect rectBar;
            m_arrBars[j]->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            nTop = std::min(nTop, int(bHorz ? rectBar.top : rectBar.left));
            nBottom = std::max(nBottom, int(bHorz ? rectBar.bottom : rectBar.right));
        }
        if (nTop <= nBottom) {
            if (nAcross < nTop) { // before this row: a row of its own
                m_arrBars.insert(m_arrBars.begin() + std::ptrdiff_t(rowStart), {pBar, nullptr});
                return rowStart;
            }
            if (nAcross < nBottom) { // in this row, before the first bar further along
                std::size_t pos = rowStart;
                while (pos < i) {
                    CRect rectBar;
                    m_arrBars[pos]->GetWindowRect(&rectBar);
                    ScreenToClient(&rectBar);
                    if ((bHorz ? rectBar.left : rectBar.top) > nAlong)
                        break;
                    ++pos;
                }
                m_arrBars.insert(m_arrBars.begin() + std::ptrdiff_t(pos), pBar);
                return pos;
            }
        }
        rowStart = i + 1;
    }
    m_arrBars.push_back(pBar);
    m_arrBars.push_back(nullptr);
    return m_arrBars.size() - 2;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (pBar->m_pDockBar == this && (!lpRect || rectBar == *lpRect))
        return;
    std::size_t nPos = 0;
    CRect rect;
    if (lpRect) {
        rect = *lpRect;
        ScreenToClient(&rect);
        nPos = Insert(pBar, rect);
    } else {
        m_arrBars.push_back(pBar);
        m_arrBars.push_back(nullptr);
        nPos = m_arrBars.size() - 2;
    }
    // The bar moves in before it leaves its old place: an emptied floating frame may go.
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);
    if (pBar->m_pDockBar == this) {
        for (std::size_t i = 0; i < m_arrBars.size(); ++i)
            if (m_arrBars[i] == pBar && i != nPos) {
                m_arrBars.erase(m_arrBars.begin() + std::ptrdiff_t(i));
                if (i < m_arrBars.size() && !m_arrBars[i] && !m_arrBars[i - 1])
                    m_arrBars.erase(m_arrBars.begin() + std::ptrdiff_t(i));
                break;
            }
    } else if (pBar->m_pDockBar) {
        pBar->m_pDockBar->RemoveControlBar(pBar);
    }
    pBar->m_pDockBar = this;
    const DWORD dwStyle = (pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) |
                          (m_dwStyle & CBRS_ALIGN_ANY) | (m_bFloating ? CBRS_FLOATING : 0);
    pBar->SetBarStyle(dwStyle);
    if (lpRect)
        pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar)
{
    auto it = std::find(m_arrBars.begin(), m_arrBars.end(), pBar);
    if (it == m_arrBars.end())
        return FALSE;
    const std::size_t i = std::size_t(it - m_arrBars.begin());
    m_arrBars.erase(it);
    if (i > 0 && i < m_arrBars.size() && !m_arrBars[i] && !m_arrBars[i - 1])
        m_arrBars.erase(m_arrBars.begin() + std::ptrdiff_t(i)); // the row is empty
    if (m_bFloating && GetDockedCount() == 0 && m_hWnd)
        ::PostMessageA(::GetParent(m_hWnd), WM_FLOATEMPTY, 0, 0);
    return TRUE;
}

int CDockBar::GetDockedCount() const
{
    return int(std::count_if(m_arrBars.begin(), m_arrBars.end(),
                             [](const CControlBar* p) { return p != nullptr; }));
}

int CDockBar::GetDockedVisibleCount() const
{
    return int(std::count_if(m_arrBars.begin(), m_arrBars.end(),
                             [](const CControlBar* p) { return p && p->IsVisible(); }));
}

std::vector<std::vector<CControlBar*>> CDockBar::GetRows() const
{
    std::vector<std::vector<CControlBar*>> rows;
    std::vector<CControlBar*> row;
    for (CControlBar* pBar : m_arrBars) {
        if (pBar) {
            row.push_back(pBar);
        } else if (!row.empty()) {
            rows.push_back(row);
            row.clear();
        }
    }
    if (!row.empty())
        rows.push_back(row);
    return rows;
}
