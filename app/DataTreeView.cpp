#include "app/DataTreeView.h"

#include "app/ExplorerMenus.h"
#include "app/ItemTypes.h"
#include "app/MathApp.h"
#include "app/MyDocument.h"
#include "app/PaneViews.h"
#include "app/ViewLayout.h"
#include "framework/core/AsciiText.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CDC.h"
#include "framework/win/CSplitterWnd.h"
#include "framework/win/MessageCrackers.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CProjectTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CProjectTreeCtrl, CTreeCtrl)
ON_WM_KEYDOWN()
ON_WM_SYSKEYDOWN()
ON_MESSAGE(WM_MOUSEACTIVATE, &CProjectTreeCtrl::OnMouseActivate)
END_MESSAGE_MAP()

void CProjectTreeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE) {
        GetParent()->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

// The system's own handling (Alt+F4 closes the program): a tree control may keep system keys
// to itself (Wine's does).
void CProjectTreeCtrl::OnSysKeyDown(UINT nChar, UINT, UINT)
{
    ::DefWindowProcA(m_hWnd, WM_SYSKEYDOWN, nChar, GetCurrentMessage()->lParam);
}

LRESULT CProjectTreeCtrl::OnMouseActivate(WPARAM, LPARAM)
{
    m_bClickActivating = TRUE;
    const LRESULT result = Default();
    m_bClickActivating = FALSE;
    return result;
}

IMPLEMENT_DYNCREATE(CDataTreeView, CView)

BEGIN_MESSAGE_MAP(CDataTreeView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CONTEXTMENU()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_INITMENUPOPUP()
ON_NOTIFY(TVN_SELCHANGINGA, IDC_EXPLORER_TREE, &CDataTreeView::OnSelChanging)
ON_NOTIFY(TVN_SELCHANGEDA, IDC_EXPLORER_TREE, &CDataTreeView::OnSelChanged)
ON_NOTIFY(TVN_BEGINLABELEDITA, IDC_EXPLORER_TREE, &CDataTreeView::OnBeginLabelEdit)
ON_NOTIFY(TVN_ENDLABELEDITA, IDC_EXPLORER_TREE, &CDataTreeView::OnEndLabelEdit)
ON_COMMAND(IDC_EXPLORER_CLOSE, &CDataTreeView::OnCloseButton)
ON_UPDATE_COMMAND_UI(IDC_EXPLORER_CLOSE, &CDataTreeView::OnUpdateCloseButton)
END_MESSAGE_MAP()

namespace {

constexpr int kCaptionHeight = 19;
constexpr int kCloseWidth = 16;
constexpr int kCloseHeight = 15;
constexpr int kButtonImageWidth = 18;
constexpr int kButtonImageHeight = 16;
const char kCaption[] = "Project Explorer";

} // namespace

CDataTreeView::~CDataTreeView()
{
    if (m_hCloseIcon)
        ::DestroyIcon(m_hCloseIcon);
}

CMyDocument* CDataTreeView::GetProject() const { return dynamic_cast<CMyDocument*>(GetDocument()); }

int CDataTreeView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndTree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                              TVS_SHOWSELALWAYS,
                          CRect(0, 0, 0, 0), this, IDC_EXPLORER_TREE))
        return -1;
    m_wndTree.ModifyStyle(0, TVS_EDITLABELS);
    m_fontTree.CreatePointFont(85, "Tahoma");
    m_wndTree.SetFont(&m_fontTree);
    if (CMathApp* pApp = GetMathApp())
        m_wndTree.SetImageList(&pApp->m_ImageListSmall, TVSIL_NORMAL);
    for (int slot = 0; slot < ExplorerSlotCount; ++slot)
        m_hFolders[slot] = InsertFolder(slot);

    if (!m_wndCaption.Create(kCaption, WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(0, 0, 0, 0), this,
                             IDC_EXPLORER_CAPTION) ||
        !m_wndClose.Create("", WS_CHILD | WS_VISIBLE | BS_ICON,
                           CRect(0, 0, kCloseWidth, kCloseHeight), this, IDC_EXPLORER_CLOSE))
        return -1;
    if (m_ButtonImages.Create(IDB_CAPTION_BUTTONS, kButtonImageWidth, 1, RGB(255, 0, 255))) {
        m_hCloseIcon = m_ButtonImages.ExtractIcon(0);
        m_wndClose.SetIconSize(CSize(kButtonImageWidth, kButtonImageHeight));
        m_wndClose.SetIcon(m_hCloseIcon);
    }
    return 0;
}

HTREEITEM CDataTreeView::InsertFolder(int slot)
{
    const ExplorerFolder& folder = GetExplorerFolder(slot);
    HTREEITEM hParent = folder.nParent >= 0 ? m_hFolders[folder.nParent] : TVI_ROOT;
    const int nImage = folder.nImage >= 0 ? folder.nImage : 0;
    HTREEITEM hItem = m_wndTree.InsertItem(folder.pszText, nImage, nImage, hParent);
    m_wndTree.SetItemData(hItem, DWORD_PTR(folder.nFolderKind));
    return hItem;
}

void CDataTreeView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    // The leaves came with the project itself (the document rebuilds them on New and Open).
    if (!m_menuFolders.GetSafeHmenu() && m_menuFolders.LoadMenu(IDR_EXPLORER_FOLDERS))
        m_menuFolders.LoadToolBarImages(IDR_MAINFRAME);
}

// ---- item operations -----------------------------------------------------------------------

HTREEITEM CDataTreeView::GetCategoryItem(int kind) const
{
    const int slot = GetSlotOfLeafKind(kind);
    if (slot >= 0)
        return m_hFolders[slot];
    for (int s = 0; s < ExplorerSlotCount; ++s)
        if (GetExplorerFolder(s).nFolderKind == kind && m_hFolders[s])
            return m_hFolders[s];
    return nullptr;
}

HTREEITEM CDataTreeView::InsertItem(int kind, const CString& name, BOOL bSelect)
{
    HTREEITEM hFolder = GetCategoryItem(kind);
    if (!hFolder)
        return nullptr; // a kind the tree shows no items of
    const int nImage = GetItemTypeImage(kind);
    HTREEITEM hItem = m_wndTree.InsertItem(name, nImage, nImage, hFolder);
    m_wndTree.Expand(hFolder, TVE_EXPAND);
    if (bSelect)
        m_wndTree.SelectItem(hItem);
    return hItem;
}

HTREEITEM CDataTreeView::FindItem(int kind, const CString& name) const
{
    HTREEITEM hFolder = GetCategoryItem(kind);
    if (!hFolder)
        return nullptr;
    for (HTREEITEM hItem = m_wndTree.GetChildItem(hFolder); hItem;
         hItem = m_wndTree.GetNextSiblingItem(hItem))
        if (ascii::EqualNoCase(m_wndTree.GetItemText(hItem), name))
            return hItem;
    return nullptr;
}

void CDataTreeView::RenameItem(int kind, const CString& oldName, const CString& newName)
{
    if (HTREEITEM hItem = FindItem(kind, oldName))
        m_wndTree.SetItemText(hItem, newName);
}

int CDataTreeView::GetItemKind(HTREEITEM hItem) const
{
    if (!hItem)
        return ItemNone;
    for (int slot = 0; slot < ExplorerSlotCount; ++slot)
        if (m_hFolders[slot] == hItem)
            return GetExplorerFolder(slot).nFolderKind;
    HTREEITEM hParent = m_wndTree.GetParentItem(hItem);
    for (int slot = 0; slot < ExplorerSlotCount; ++slot)
        if (m_hFolders[slot] == hParent)
            return GetExplorerFolder(slot).nLeafKind;
    return ItemNone;
}

void CDataTreeView::DeleteChildren(HTREEITEM hFolder)
{
    if (!hFolder)
        return;
    while (HTREEITEM hChild = m_wndTree.GetChildItem(hFolder)) {
        if (hChild == m_hBoldItem)
            m_hBoldItem = nullptr;
        m_wndTree.DeleteItem(hChild);
    }
}

BOOL CDataTreeView::SetItemText(HTREEITEM hItem, const CString& text)
{
    return m_wndTree.SetItemText(hItem, text);
}

void CDataTreeView::SetItemImageByName(int kind, const CString& label, int nImage)
{
    if (HTREEITEM hItem = FindItem(kind, label))
        m_wndTree.SetItemImage(hItem, nImage, nImage);
}

void CDataTreeView::RebuildItems(const std::vector<ExplorerLeaf>& leaves)
{
    m_bFilling = TRUE;
    m_wndTree.SelectItem(nullptr);
    for (int slot = 0; slot < ExplorerSlotCount; ++slot)
        if (GetExplorerFolder(slot).nLeafKind != ItemNone)
            DeleteChildren(m_hFolders[slot]);
    for (const ExplorerLeaf& leaf : leaves)
        InsertItem(leaf.kind, leaf.name, FALSE);
    m_bFilling = FALSE;
    SetBold(m_hBoldItem, FALSE);
    m_hBoldItem = nullptr;
    Invalidate();
}

// ---- messages ------------------------------------------------------------------------------

void CDataTreeView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (nType != SIZE_RESTORED && nType != SIZE_MAXIMIZED)
        return;
    // The width kept is the column's, which is what the next run gives the column back: the
    // view's own is narrower by the splitter's borders and would shrink with every run.
    int cxColumn = cx;
    if (auto* pSplitter = dynamic_cast<CSplitterWnd*>(GetParent())) {
        int row = 0, col = 0, cxMin = 0;
        if (pSplitter->IsChildPane(this, &row, &col))
            pSplitter->GetColumnInfo(col, cxColumn, cxMin);
    }
    ReportPaneSize(this, ViewExplorer, cxColumn, cy);
    m_wndCaption.MoveWindow(0, 0, cx, kCaptionHeight);
    m_wndClose.MoveWindow(cx - 18, 2, kCloseWidth, kCloseHeight);
    m_wndTree.MoveWindow(0, kCaptionHeight, cx, std::max(cy - kCaptionHeight, 0));
}

void CDataTreeView::SetBold(HTREEITEM hItem, BOOL bBold)
{
    if (hItem)
        m_wndTree.SetItemState(hItem, bBold ? TVIS_BOLD : 0, TVIS_BOLD);
}

void CDataTreeView::OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Given the focus with nothing selected, the tree selects its top item by itself (Wine's
    // does); with a click on its way that item would show, caption and panes, before the one
    // the click hits.
    const auto* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    *pResult =
        pTree->action == TVC_UNKNOWN && !pTree->itemOld.hItem && m_wndTree.IsClickActivating();
}

void CDataTreeView::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bFilling)
        return;
    auto* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    HTREEITEM hItem = pTree->itemNew.hItem;
    if (CMyDocument* pDoc = GetProject())
        pDoc->OnSelectItem(GetItemKind(hItem), hItem ? m_wndTree.GetItemText(hItem) : CString(),
                           ExplorerNode(hItem));
    SetBold(m_hBoldItem, FALSE);
    m_hBoldItem = hItem;
    SetBold(m_hBoldItem, TRUE);
}

void CDataTreeView::OnBeginLabelEdit(NMHDR*, LRESULT* pResult)
{
    CMyDocument* pDoc = GetProject();
    *pResult = pDoc && CanEditLabelOfKind(pDoc->GetModel().GetSelectedKind()) ? FALSE : TRUE;
}

void CDataTreeView::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = FALSE;
    auto* pInfo = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    CString label;
    CMyDocument* pDoc = GetProject();
    if (!pInfo->item.pszText || !pDoc || !TrimEditedLabel(pInfo->item.pszText, label) ||
        !pDoc->RenameSelectedItem(label))
        return;
    // The trimmed name is the item's label, whatever blanks were typed around it.
    m_wndTree.SetItemText(pInfo->item.hItem, label);
}

void CDataTreeView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE) {
        PostMessage(WM_COMMAND, ID_DATA_REMOVE);
        return;
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

// The main window's command states and owner drawing serve the context menus too; the recent
// fits fill their pop-up there.
void CDataTreeView::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessage(WM_INITMENUPOPUP, WPARAM(pPopupMenu->GetSafeHmenu()),
                           MAKELPARAM(nIndex, bSysMenu));
    else
        CView::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

// The keyboard works the tree: a pane reached with F6 hands its focus on.
void CDataTreeView::OnSetFocus(CWnd*)
{
    if (m_wndTree.m_hWnd)
        m_wndTree.SetFocus();
}

void CDataTreeView::OnCloseButton()
{
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->PostMessage(WM_COMMAND, ID_VIEW_PROJECT_EXPLORER);
}

void CDataTreeView::OnUpdateCloseButton(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CDataTreeView::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: the selected item's menu, beside the item.
        HTREEITEM hSelected = m_wndTree.GetSelectedItem();
        OpenContextMenu(hSelected, KeyboardMenuPoint(hSelected));
        return;
    }
    CPoint client = point;
    m_wndTree.ScreenToClient(&client);
    UINT nFlags = 0;
    HTREEITEM hItem = m_wndTree.HitTest(client, &nFlags);
    if (hItem && !(nFlags & (TVHT_ONITEM | TVHT_ONITEMBUTTON | TVHT_ONITEMINDENT)))
        hItem = nullptr;
    if (hItem)
        m_wndTree.SelectItem(hItem);
    OpenContextMenu(hItem, point);
}

CPoint CDataTreeView::KeyboardMenuPoint(HTREEITEM hItem)
{
    CRect rect;
    if (hItem) {
        m_wndTree.EnsureVisible(hItem);
        if (m_wndTree.GetItemRect(hItem, &rect, TRUE)) {
            CPoint point(rect.left, rect.bottom);
            m_wndTree.ClientToScreen(&point);
            return point;
        }
    }
    CPoint point(5, 5);
    ClientToScreen(&point);
    return point;
}

void CDataTreeView::OpenContextMenu(HTREEITEM hItem, CPoint point)
{
    CMyDocument* pDoc = GetProject();
    auto* pMenus = dynamic_cast<IExplorerMenus*>(AfxGetMainWnd());
    const int kind = pDoc ? pDoc->GetModel().GetSelectedKind() : ItemNone;
    CMenu* pPopup = nullptr;
    if (kind == ItemNone) {
        int slot = hItem ? kItemWithoutSlot : kNoItemUnderMouse;
        for (int s = 0; s < ExplorerSlotCount; ++s)
            if (hItem && m_hFolders[s] == hItem)
                slot = s;
        const int nPopup = ChooseFolderMenuPopup(slot);
        if (nPopup >= 0)
            pPopup = m_menuFolders.GetSubMenu(nPopup);
        else if (pMenus)
            pPopup = pMenus->GetContextMenuForType(ItemPredefinedFunctions);
    } else if (pMenus) {
        pPopup = pMenus->GetContextMenuForType(kind);
    }
    if (pPopup)
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}
