// The folder bar under the pointer: hover frames, opening folders, scrolling with the arrows,
// pressing, clicking and dragging items (in loops of its own), the context menu and renaming.
#include "ui/GfxOutBarCtrl.h"

#include "framework/win/CDC.h"
#include "res/UiIds.h"
#include "ui/CaptureLoop.h"
#include "ui/OutBarEdit.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPeriod = 100; // ms
constexpr UINT_PTR kScrollTimer = 2;
constexpr UINT kScrollPeriod = 300; // ms

} // namespace

void CGfxOutBarCtrl::ClearHighlights()
{
    if (m_nHotFolder < 0 && m_nHotItem < 0)
        return;
    m_nHotFolder = -1;
    m_nHotItem = -1;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CGfxOutBarCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    if (m_nArrowHeld != OutBarHit::Nothing) {
        const CRect rect = m_nArrowHeld == OutBarHit::UpArrow ? GetLayout().UpArrowRect()
                                                              : GetLayout().DownArrowRect();
        const BOOL bOver = rect.PtInRect(point);
        if (bOver != m_bArrowPushed) {
            m_bArrowPushed = bOver;
            InvalidateRect(&rect, FALSE);
        }
        return;
    }
    // No hover while a label is being renamed in the bar.
    if (const HWND hFocus = ::GetFocus(); hFocus && ::IsChild(m_hWnd, hFocus))
        return;
    const OutBarHit hit = HitTest(point);
    const int nFolder = hit.kind == OutBarHit::Folder ? hit.index : -1;
    if (nFolder != m_nHotFolder) {
        const CRect rectOld = GetFolderRect(m_nHotFolder), rectNew = GetFolderRect(nFolder);
        m_nHotFolder = nFolder;
        InvalidateRect(&rectOld, FALSE);
        InvalidateRect(&rectNew, FALSE);
    }
    const int nItem = hit.kind == OutBarHit::Item && (m_dwFlags & OBF_HIGHLIGHT) ? hit.index : -1;
    if (nItem != m_nHotItem) {
        m_nHotItem = nItem;
        RepaintItemArea();
        if (nItem >= 0)
            Notify(OBN_HOTITEM, nItem);
    }
    if (m_nHotFolder >= 0 || m_nHotItem >= 0)
        SetTimer(kHoverTimer, kHoverPeriod);
}

void CGfxOutBarCtrl::OnTimer(UINT_PTR nIDEvent)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (nIDEvent == kHoverTimer) {
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(point)) {
            KillTimer(kHoverTimer);
            ClearHighlights();
        }
    } else if (nIDEvent == kScrollTimer) {
        if (m_nArrowHeld != OutBarHit::Nothing && HitTest(point).kind == m_nArrowHeld)
            ScrollItems(m_nArrowHeld == OutBarHit::UpArrow);
    } else {
        CWnd::OnTimer(nIDEvent);
    }
}

void CGfxOutBarCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    const OutBarHit hit = HitTest(point);
    switch (hit.kind) {
    case OutBarHit::Folder:
        OpenFolder(hit.index);
        break;
    case OutBarHit::UpArrow:
    case OutBarHit::DownArrow:
        m_nArrowHeld = hit.kind;
        m_bArrowPushed = TRUE;
        SetCapture();
        SetTimer(kScrollTimer, kScrollPeriod);
        RepaintItemArea();
        break;
    case OutBarHit::Item:
        TrackItemPress(hit.index);
        break;
    default:
        break;
    }
}

void CGfxOutBarCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    if (m_nArrowHeld == OutBarHit::Nothing)
        return;
    const OutBarHit::Kind arrow = m_nArrowHeld;
    if (HitTest(point).kind == arrow)
        ScrollItems(arrow == OutBarHit::UpArrow);
    OnCancelMode();
}

void CGfxOutBarCtrl::OnCancelMode()
{
    CWnd::OnCancelMode();
    m_bEndLoop = TRUE;
    if (m_nArrowHeld != OutBarHit::Nothing) {
        m_nArrowHeld = OutBarHit::Nothing;
        KillTimer(kScrollTimer);
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        RepaintItemArea();
    }
}

void CGfxOutBarCtrl::OnCaptureChanged(CWnd* pWnd)
{
    CWnd::OnCaptureChanged(pWnd);
    if (AfxSafeHwnd(pWnd) != m_hWnd)
        OnCancelMode();
}

void CGfxOutBarCtrl::ScrollItems(BOOL bUp)
{
    if (bUp) {
        if (m_nFirstItem <= 0)
            return;
        --m_nFirstItem;
    } else {
        if (!GetLayout().HasDownArrow() || m_nFirstItem + 1 >= GetItemCount())
            return;
        ++m_nFirstItem;
    }
    RepaintItemArea();
}

BOOL CGfxOutBarCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_hHandCursor) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (HitTest(point).kind == OutBarHit::Item) {
            ::SetCursor(m_hHandCursor);
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CGfxOutBarCtrl::TrackItemPress(int nItem)
{
    m_nPressedItem = nItem;
    RepaintItemArea();
    UpdateWindow();
    BOOL bDrag = FALSE;
    CaptureMouse mouse;
    const CaptureLoopEnd end = RunCaptureLoop(this, m_bEndLoop, mouse, [&](const CaptureMouse& m) {
        CPoint pt = m.point;
        ScreenToClient(&pt);
        const OutBarHit hit = HitTest(pt);
        const BOOL bOver = hit.kind == OutBarHit::Item && hit.index == nItem;
        if (!bOver && (m_dwFlags & OBF_DRAGITEMS)) {
            bDrag = TRUE;
            return FALSE;
        }
        if ((m_nPressedItem == nItem) != bOver) {
            m_nPressedItem = bOver ? nItem : -1;
            RepaintItemArea();
        }
        return TRUE;
    });
    if (end == CaptureLoopEnd::Destroyed)
        return;
    m_nPressedItem = -1;
    RepaintItemArea();
    if (bDrag) {
        TrackDrag(nItem);
        return;
    }
    CPoint point = mouse.point;
    ScreenToClient(&point);
    const OutBarHit hit = HitTest(point);
    if (end == CaptureLoopEnd::Released && hit.kind == OutBarHit::Item && hit.index == nItem)
        Notify(OBN_ITEMCLICK, nItem);
}

void CGfxOutBarCtrl::TrackDrag(int nItem)
{
    const HWND hWnd = m_hWnd;
    m_bDragging = TRUE;
    m_nDragItem = nItem;
    auto target = [&](CPoint pt) {
        ScreenToClient(&pt);
        const int nTarget = GetLayout().DropIndex(pt);
        return nTarget == nItem || nTarget == nItem + 1 ? -1 : nTarget;
    };
    auto follow = [&](const CaptureMouse& m) {
        const int nTarget = target(m.point);
        ::SetCursor(nTarget >= 0 ? m_hDragCursor : m_hNoDropCursor);
        if (nTarget != m_nDropTarget) {
            m_nDropTarget = nTarget;
            RepaintItemArea();
        }
        return TRUE;
    };
    CaptureMouse mouse;
    ::GetCursorPos(&mouse.point);
    follow(mouse);
    const CaptureLoopEnd end = RunCaptureLoop(this, m_bEndLoop, mouse, follow);
    if (end == CaptureLoopEnd::Destroyed)
        return;
    m_bDragging = FALSE;
    m_nDragItem = -1;
    m_nDropTarget = -1;
    RepaintItemArea();
    const int nTarget = end == CaptureLoopEnd::Released ? target(mouse.point) : -1;
    if (nTarget < 0)
        return;
    OutBarDrop drop{nItem, nTarget};
    if (!Notify(OBN_ITEMDROP, reinterpret_cast<LPARAM>(&drop)) || !::IsWindow(hWnd))
        return;
    Folder* pFolder = OpenFolderPtr();
    if (!pFolder || !IsItem(nItem) || nTarget > GetItemCount())
        return;
    const Item moved = pFolder->items[std::size_t(nItem)];
    pFolder->items.erase(pFolder->items.begin() + nItem);
    pFolder->items.insert(pFolder->items.begin() + (nTarget > nItem ? nTarget - 1 : nTarget),
                          moved);
    RepaintItemArea();
}

// --- Context menu --------------------------------------------------------------------------

void CGfxOutBarCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonDown(nFlags, point);
    const OutBarHit hit = HitTest(point);
    ClientToScreen(&point);
    TrackContextMenu(point, hit);
}

void CGfxOutBarCtrl::TrackContextMenu(CPoint point, const OutBarHit& hit)
{
    m_menu.DestroyMenu();
    if (!m_menu.LoadMenu(IDR_OUTBAR_MENU))
        return;
    m_menu.LoadToolBarImages(IDR_OUTBAR_MENU);
    auto* pPopup = dynamic_cast<COwnerDrawMenu*>(m_menu.GetSubMenu(0));
    if (!pPopup)
        return;
    m_menuHit = hit;
    const BOOL bFolder = hit.kind == OutBarHit::Folder;
    const BOOL bItem = hit.kind == OutBarHit::Item;
    const BOOL bRemove =
        (bFolder && (m_dwFlags & OBF_REMOVEFOLDERS)) || (bItem && (m_dwFlags & OBF_REMOVEITEMS));
    const BOOL bRename =
        (bFolder && (m_dwFlags & OBF_RENAMEFOLDERS)) || (bItem && (m_dwFlags & OBF_RENAMEITEMS));
    if (bRemove || bRename)
        pPopup->AppendImageItem("", MF_SEPARATOR, 0);
    if (bRemove)
        pPopup->AppendImageItem(m_strRemove, MF_STRING, ID_OUTBAR_REMOVE, IDR_OUTBAR_MENU);
    if (bRename)
        pPopup->AppendImageItem(m_strRename, MF_STRING, ID_OUTBAR_RENAME, IDR_OUTBAR_MENU);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

LRESULT CGfxOutBarCtrl::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    const LRESULT lResult = COwnerDrawMenu::FindMnemonicItem(nChar, nFlags, pMenu);
    return lResult ? lResult : CWnd::OnMenuChar(nChar, nFlags, pMenu);
}

// --- Renaming ------------------------------------------------------------------------------

void CGfxOutBarCtrl::StartFolderRename(int nFolder)
{
    if (!IsFolder(nFolder))
        return;
    CRect rect = GetFolderRect(nFolder);
    rect.DeflateRect(2, 2);
    StartRename(TRUE, nFolder, rect, GetFolderName(nFolder));
}

void CGfxOutBarCtrl::StartItemRename(int nIndex)
{
    if (!IsItem(nIndex))
        return;
    const COutBarLayout& layout = GetLayout();
    const OutBarItemBox* pBox = layout.FindItem(nIndex);
    if (!pBox)
        return; // scrolled out of sight
    CRect rect = pBox->label;
    const CRect area = layout.ItemArea();
    if (UsesSmallIcons()) {
        rect.right = area.right - 2;
    } else {
        rect.left = area.left + 2;
        rect.right = area.right - 2;
    }
    rect.bottom = std::max(rect.bottom, rect.top + 18);
    StartRename(FALSE, nIndex, rect, GetItemText(nIndex));
}

void CGfxOutBarCtrl::StartRename(BOOL bFolder, int nIndex, const CRect& rect, const CString& text)
{
    if (m_pEdit && m_pEdit->m_hWnd)
        m_pEdit->Cancel();
    ClearHighlights();
    auto* pEdit = new COutBarEdit(bFolder, nIndex, text);
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL |
                          (bFolder || UsesSmallIcons() ? ES_LEFT : ES_CENTER);
    if (!pEdit->Create(dwStyle, rect, this, 1)) {
        delete pEdit;
        return;
    }
    m_pEdit = pEdit;
    pEdit->SetFont(CFont::FromHandle(HFONT(::GetStockObject(DEFAULT_GUI_FONT))));
    pEdit->SetWindowText(text);
    pEdit->SetSel(0, -1);
    pEdit->SetFocus();
}

LRESULT CGfxOutBarCtrl::OnEndRename(WPARAM, LPARAM lParam)
{
    // The rename editor has ended: its text goes to the owner, who may refuse it.
    const auto* pEdit = reinterpret_cast<COutBarEdit*>(lParam);
    if (!pEdit)
        return 0;
    if (m_pEdit == pEdit)
        m_pEdit = nullptr;
    const CString text = pEdit->GetNewText();
    OutBarRename rename{pEdit->GetIndex(), text};
    if (pEdit->IsFolder()) {
        if (IsFolder(rename.index) && Notify(OBN_FOLDERRENAME, reinterpret_cast<LPARAM>(&rename)))
            SetFolderName(rename.index, text);
    } else if (IsItem(rename.index) && Notify(OBN_ITEMRENAME, reinterpret_cast<LPARAM>(&rename))) {
        SetItemText(rename.index, text);
    }
    return 0;
}
