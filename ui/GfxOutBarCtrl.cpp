// The folder bar's folders and items, its creation and what it tells its owner.
#include "ui/GfxOutBarCtrl.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/CDC.h"
#include "framework/win/CImageList.h"
#include "framework/win/MessageCrackers.h"
#include "res/UiIds.h"
#include "ui/OutBarEdit.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CGfxOutBarCtrl, CWnd)

BEGIN_MESSAGE_MAP(CGfxOutBarCtrl, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_SETCURSOR()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_SYSCOLORCHANGE()
ON_WM_CANCELMODE()
ON_WM_CAPTURECHANGED()
ON_WM_MENUCHAR()
ON_WM_DESTROY()
ON_MESSAGE(WM_OUTBAR_NOTIFY, &CGfxOutBarCtrl::OnEndRename)
ON_COMMAND(ID_OUTBAR_LARGEICONS, &CGfxOutBarCtrl::OnLargeIcons)
ON_COMMAND(ID_OUTBAR_SMALLICONS, &CGfxOutBarCtrl::OnSmallIcons)
ON_COMMAND(ID_OUTBAR_REMOVE, &CGfxOutBarCtrl::OnRemove)
ON_COMMAND(ID_OUTBAR_RENAME, &CGfxOutBarCtrl::OnRename)
ON_UPDATE_COMMAND_UI(ID_OUTBAR_LARGEICONS, &CGfxOutBarCtrl::OnUpdateLargeIcons)
ON_UPDATE_COMMAND_UI(ID_OUTBAR_SMALLICONS, &CGfxOutBarCtrl::OnUpdateSmallIcons)
END_MESSAGE_MAP()

namespace {

HCURSOR LoadBarCursor(UINT nID, LPCTSTR lpszFallback)
{
    HCURSOR hCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID));
    return hCursor ? hCursor : ::LoadCursorA(nullptr, lpszFallback);
}

CString LoadText(UINT nID, LPCTSTR lpszFallback)
{
    CString text;
    if (!text.LoadString(nID))
        text = lpszFallback;
    return text;
}

} // namespace

CGfxOutBarCtrl::CGfxOutBarCtrl()
    : m_hHandCursor(LoadBarCursor(IDC_OUTBAR_HAND, IDC_HAND)),
      m_hDragCursor(LoadBarCursor(IDC_OUTBAR_DRAG, IDC_ARROW)),
      m_hNoDropCursor(LoadBarCursor(IDC_OUTBAR_NODROP, IDC_NO)),
      m_strRemove(LoadText(IDS_OUTBAR_REMOVE, "&Remove")),
      m_strRename(LoadText(IDS_OUTBAR_RENAME, "Re&name"))
{
    ReadColours();
    m_penBlack.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
}

CGfxOutBarCtrl::~CGfxOutBarCtrl()
{
    if (m_hWnd)
        DestroyWindow();
}

void CGfxOutBarCtrl::ReadColours()
{
    m_crBackground = ::GetSysColor(COLOR_3DSHADOW);
    m_crItemArea = ::GetSysColor(COLOR_3DSHADOW);
    m_crText = ::GetSysColor(COLOR_WINDOW);
    m_crFace = ::GetSysColor(COLOR_3DFACE);
    m_crLight = ::GetSysColor(COLOR_3DLIGHT);
    m_crHilight = ::GetSysColor(COLOR_3DHILIGHT);
    m_crShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_crDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
}

BOOL CGfxOutBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                            DWORD dwFlags)
{
    m_dwFlags = dwFlags;
    LPCTSTR lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
    return CWnd::Create(lpszClass, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd,
                        nID);
}

int CGfxOutBarCtrl::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    PlaceFolderChild();
    return 0;
}

void CGfxOutBarCtrl::OnDestroy()
{
    m_bEndLoop = TRUE;
    if (m_pEdit && m_pEdit->m_hWnd)
        m_pEdit->Cancel();
    m_pEdit = nullptr;
    CWnd::OnDestroy();
}

// --- Folders and items -------------------------------------------------------------------

int CGfxOutBarCtrl::AddFolder(LPCTSTR lpszName) { return AddFolderBar(lpszName, nullptr); }

int CGfxOutBarCtrl::AddFolderBar(LPCTSTR lpszName, CWnd* pChild)
{
    auto folder = std::make_unique<Folder>();
    folder->name = lpszName;
    folder->pChild = pChild;
    if (pChild && pChild->m_hWnd && m_hWnd) {
        pChild->SetParent(this);
        pChild->ShowWindow(SW_HIDE);
    }
    m_folders.push_back(std::move(folder));
    if (m_nOpenFolder < 0)
        m_nOpenFolder = 0;
    PlaceFolderChild();
    if (m_hWnd)
        Invalidate();
    return GetFolderCount() - 1;
}

int CGfxOutBarCtrl::InsertItem(int nFolder, int nIndex, LPCTSTR lpszText, int nImage, DWORD dwData)
{
    if (!IsFolder(nFolder))
        return -1;
    std::vector<Item>& items = m_folders[std::size_t(nFolder)]->items;
    if (nIndex < 0 || nIndex > int(items.size()))
        nIndex = int(items.size());
    items.insert(items.begin() + nIndex, Item{lpszText, nImage, dwData});
    if (nFolder == m_nOpenFolder && m_hWnd)
        RepaintItemArea();
    return nIndex;
}

void CGfxOutBarCtrl::RemoveFolder(int nFolder)
{
    if (!IsFolder(nFolder))
        return;
    if (nFolder == m_nOpenFolder) {
        if (CWnd* pChild = m_folders[std::size_t(nFolder)]->pChild; pChild && pChild->m_hWnd)
            pChild->ShowWindow(SW_HIDE);
        m_nFirstItem = 0;
    }
    m_folders.erase(m_folders.begin() + nFolder);
    m_nOpenFolder = OutBarOpenAfterRemoval(m_nOpenFolder, nFolder, GetFolderCount());
    ClearHighlights();
    PlaceFolderChild();
    if (m_hWnd)
        Invalidate();
}

void CGfxOutBarCtrl::RemoveItem(int nIndex)
{
    Folder* pFolder = OpenFolderPtr();
    if (!pFolder || !IsItem(nIndex))
        return;
    pFolder->items.erase(pFolder->items.begin() + nIndex);
    m_nFirstItem = std::clamp(m_nFirstItem, 0, std::max(GetItemCount() - 1, 0));
    ClearHighlights();
    if (m_hWnd)
        RepaintItemArea();
}

void CGfxOutBarCtrl::OpenFolder(int nFolder)
{
    if (!IsFolder(nFolder))
        return;
    if (CWnd* pOld = OpenFolderPtr() ? OpenFolderPtr()->pChild : nullptr; pOld && pOld->m_hWnd)
        pOld->ShowWindow(SW_HIDE);
    const int nOld = m_nOpenFolder;
    if (nFolder != nOld && (m_dwFlags & OBF_ANIMATE) && m_nAnimationDelay >= 0 && m_hWnd &&
        IsWindowVisible())
        AnimateFolderChange(nOld, nFolder);
    m_nOpenFolder = nFolder;
    m_nFirstItem = 0;
    m_nHotItem = -1;
    PlaceFolderChild();
    if (nFolder != nOld)
        Notify(OBN_FOLDEROPEN, nFolder);
    if (m_hWnd)
        Invalidate();
}

CGfxOutBarCtrl::Folder* CGfxOutBarCtrl::OpenFolderPtr()
{
    return IsFolder(m_nOpenFolder) ? m_folders[std::size_t(m_nOpenFolder)].get() : nullptr;
}

const CGfxOutBarCtrl::Folder* CGfxOutBarCtrl::OpenFolderPtr() const
{
    return IsFolder(m_nOpenFolder) ? m_folders[std::size_t(m_nOpenFolder)].get() : nullptr;
}

int CGfxOutBarCtrl::GetItemCount() const { return GetFolderItemCount(m_nOpenFolder); }

int CGfxOutBarCtrl::GetFolderItemCount(int nFolder) const
{
    return IsFolder(nFolder) ? int(m_folders[std::size_t(nFolder)]->items.size()) : 0;
}

CString CGfxOutBarCtrl::GetFolderName(int nFolder) const
{
    return IsFolder(nFolder) ? m_folders[std::size_t(nFolder)]->name : CString();
}

void CGfxOutBarCtrl::SetFolderName(int nFolder, LPCTSTR lpszName)
{
    if (!IsFolder(nFolder))
        return;
    m_folders[std::size_t(nFolder)]->name = lpszName;
    if (m_hWnd) {
        const CRect rect = GetFolderRect(nFolder);
        InvalidateRect(&rect, FALSE);
    }
}

CString CGfxOutBarCtrl::GetItemText(int nIndex) const
{
    return IsItem(nIndex) ? OpenFolderPtr()->items[std::size_t(nIndex)].text : CString();
}

void CGfxOutBarCtrl::SetItemText(int nIndex, LPCTSTR lpszText)
{
    if (!IsItem(nIndex))
        return;
    OpenFolderPtr()->items[std::size_t(nIndex)].text = lpszText;
    if (m_hWnd)
        RepaintItemArea();
}

DWORD CGfxOutBarCtrl::GetItemData(int nIndex) const
{
    return IsItem(nIndex) ? OpenFolderPtr()->items[std::size_t(nIndex)].data : 0;
}

int CGfxOutBarCtrl::GetItemImage(int nIndex) const
{
    return IsItem(nIndex) ? OpenFolderPtr()->items[std::size_t(nIndex)].image : -1;
}

// --- Look and behaviour ------------------------------------------------------------------

void CGfxOutBarCtrl::SetImageList(CImageList* pList, BOOL bSmall)
{
    (bSmall ? m_pSmallList : m_pLargeList) = pList;
    if (m_hWnd)
        RepaintItemArea();
}

void CGfxOutBarCtrl::UseSmallIcons(BOOL bSmall)
{
    if (bSmall == UsesSmallIcons())
        return;
    m_dwFlags ^= OBF_SMALLICONS;
    m_nFirstItem = 0;
    ClearHighlights();
    if (m_hWnd)
        RepaintItemArea();
}

void CGfxOutBarCtrl::SetFlags(DWORD dwFlags)
{
    const BOOL bSmall = (dwFlags & OBF_SMALLICONS) != 0;
    m_dwFlags = (dwFlags & ~OBF_SMALLICONS) | (m_dwFlags & OBF_SMALLICONS);
    UseSmallIcons(bSmall);
}

void CGfxOutBarCtrl::SetAnimationDelay(int nMilliseconds)
{
    // A long pause would freeze the window for seconds while folders slide.
    m_nAnimationDelay = nMilliseconds < 0 ? -1 : std::min(nMilliseconds, 100);
}

CSize CGfxOutBarCtrl::IconSize() const
{
    CImageList* pList = GetImageList(UsesSmallIcons());
    if (!pList || !pList->m_hImageList)
        return CSize(0, 0);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(pList->m_hImageList, &cx, &cy);
    return CSize(cx, cy);
}

CSize CGfxOutBarCtrl::MeasureLabel(CDC* pDC, int nItem, int nMaxWidth) const
{
    const CString text = GetItemText(nItem);
    if (text.IsEmpty())
        return CSize(0, 0);
    CRect rect(0, 0, std::max(nMaxWidth, 1), 0);
    pDC->DrawText(text, &rect,
                  UsesSmallIcons() ? DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX
                                   : DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    return CSize(std::min(int(rect.Width()), std::max(nMaxWidth, 1)), rect.Height());
}

// --- Geometry ----------------------------------------------------------------------------

CRect CGfxOutBarCtrl::GetFolderRect(int nFolder) const
{
    CRect client;
    GetClientRect(&client);
    return OutBarFolderRect(client, GetFolderCount(), m_nOpenFolder, nFolder);
}

CRect CGfxOutBarCtrl::GetItemAreaRect() const
{
    CRect client;
    GetClientRect(&client);
    return OutBarItemArea(client, GetFolderCount(), m_nOpenFolder);
}

const COutBarLayout& CGfxOutBarCtrl::GetLayout() const
{
    CRect client;
    GetClientRect(&client);
    CClientDC dc(const_cast<CGfxOutBarCtrl*>(this));
    CFont* pOldFont = dc.SelectObject(CFont::FromHandle(HFONT(::GetStockObject(DEFAULT_GUI_FONT))));
    const Folder* pFolder = OpenFolderPtr();
    const int nItems = pFolder && !pFolder->pChild ? GetItemCount() : 0;
    m_layout.Compute(
        client, GetFolderCount(), m_nOpenFolder, nItems, m_nFirstItem, UsesSmallIcons() != 0,
        IconSize(), [&](int nItem, int nMaxWidth) { return MeasureLabel(&dc, nItem, nMaxWidth); },
        m_spacing);
    dc.SelectObject(pOldFont);
    return m_layout;
}

OutBarHit CGfxOutBarCtrl::HitTest(CPoint point) const { return GetLayout().HitTest(point); }

void CGfxOutBarCtrl::PlaceFolderChild()
{
    Folder* pFolder = OpenFolderPtr();
    if (!m_hWnd || !pFolder || !pFolder->pChild || !pFolder->pChild->m_hWnd)
        return;
    const CRect area = GetItemAreaRect();
    pFolder->pChild->SetWindowPos(nullptr, area.left, area.top, area.Width(), area.Height(),
                                  SWP_NOZORDER | SWP_SHOWWINDOW);
}

void CGfxOutBarCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    PlaceFolderChild();
    Invalidate();
}

void CGfxOutBarCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    ReadColours();
    Invalidate();
}

LRESULT CGfxOutBarCtrl::Notify(OutBarNotify code, LPARAM lParam)
{
    CWnd* pOwner = m_hWnd ? GetOwner() : nullptr;
    return pOwner && pOwner->m_hWnd ? pOwner->SendMessage(WM_OUTBAR_NOTIFY, code, lParam) : 0;
}

// --- Context menu commands ---------------------------------------------------------------

void CGfxOutBarCtrl::OnLargeIcons() { UseSmallIcons(FALSE); }

void CGfxOutBarCtrl::OnSmallIcons() { UseSmallIcons(TRUE); }

void CGfxOutBarCtrl::OnUpdateLargeIcons(CCmdUI* pCmdUI) { pCmdUI->Enable(UsesSmallIcons()); }

void CGfxOutBarCtrl::OnUpdateSmallIcons(CCmdUI* pCmdUI) { pCmdUI->Enable(!UsesSmallIcons()); }

void CGfxOutBarCtrl::OnRemove()
{
    if (m_menuHit.kind == OutBarHit::Folder)
        RemoveFolder(m_menuHit.index);
    else if (m_menuHit.kind == OutBarHit::Item)
        RemoveItem(m_menuHit.index);
    m_menuHit = OutBarHit();
}

void CGfxOutBarCtrl::OnRename()
{
    if (m_menuHit.kind == OutBarHit::Folder)
        StartFolderRename(m_menuHit.index);
    else if (m_menuHit.kind == OutBarHit::Item)
        StartItemRename(m_menuHit.index);
    m_menuHit = OutBarHit();
}
