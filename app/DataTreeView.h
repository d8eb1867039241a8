#pragma once
#include "app/ExplorerRules.h"
#include "app/ProjectWindows.h"
#include "framework/win/CGdiObject.h"
#include "framework/win/CImageList.h"
#include "framework/win/CView.h"
#include "framework/win/Controls.h"
#include "ui/CaptionBar.h"
#include "ui/HoverButton.h"
#include "ui/OwnerDrawMenu.h"

class CMyDocument;

// The explorer's tree: the Delete key goes to the explorer view, which removes the selection;
// system keys (Alt+F4) get the system's handling.
class CProjectTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CProjectTreeCtrl)
public:
    // A click is bringing the focus to the tree: what it hits is to be selected.
    BOOL IsClickActivating() const { return m_bClickActivating; }

protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    BOOL m_bClickActivating = FALSE;
    DECLARE_MESSAGE_MAP()
};

// The project explorer: a folder for each kind of the project's items (tables, lists, matrices,
// data graphs, 2-D and 3-D graphs, solver models) and the engine's name tables. Selecting an
// item tells the document; names of data items are edited in place; Delete removes the
// selection; a right click opens the menu of the item's kind, or a folder's own.
class CDataTreeView : public CView {
    DECLARE_DYNCREATE(CDataTreeView)
public:
    ~CDataTreeView() override;

    // A leaf of the kind, with its image, under the kind's folder; selected (which tells the
    // document) when bSelect. Null for a kind without a folder of items.
    HTREEITEM InsertItem(int kind, const CString& name, BOOL bSelect);
    // The first leaf of the kind whose text equals name, ignoring case; null when none.
    HTREEITEM FindItem(int kind, const CString& name) const;
    void RenameItem(int kind, const CString& oldName, const CString& newName);
    // The folder whose items are of the kind (or that shows the kind); null for none.
    HTREEITEM GetCategoryItem(int kind) const;
    HTREEITEM GetFolder(int slot) const { return m_hFolders[slot]; }
    // The kind a tree item stands for: a folder's own kind, or the kind of the leaves of its
    // folder (the leaf's own); ItemNone (16) for anything else.
    int GetItemKind(HTREEITEM hItem) const;
    void DeleteChildren(HTREEITEM hFolder);
    // Every leaf goes and the leaves given take their places under their folders, in their
    // order; nothing is selected afterwards, and the document is not told.
    void RebuildItems(const std::vector<ExplorerLeaf>& leaves);
    BOOL SetItemText(HTREEITEM hItem, const CString& text);
    // The item of that kind and label shows the image, normal and selected.
    void SetItemImageByName(int kind, const CString& label, int nImage);
    CProjectTreeCtrl& GetTree() { return m_wndTree; }
    COwnerDrawMenu& GetFolderMenu() { return m_menuFolders; }

    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;

protected:
    CMyDocument* GetProject() const;
    HTREEITEM InsertFolder(int slot);
    // Shows the menu for the item at a client point (no item: null).
    void OpenContextMenu(HTREEITEM hItem, CPoint screenPoint);
    // Where the keyboard opens an item's menu: below the start of its text, scrolled into
    // view; without an item the client area's corner + (5, 5). Screen coordinates.
    CPoint KeyboardMenuPoint(HTREEITEM hItem);
    void SetBold(HTREEITEM hItem, BOOL bBold);

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnCloseButton();
    void OnUpdateCloseButton(CCmdUI* pCmdUI);

    HTREEITEM m_hFolders[ExplorerSlotCount] = {};
    CProjectTreeCtrl m_wndTree;
    CFont m_fontTree;
    BOOL m_bFilling = FALSE; // the view itself deletes items: selections are not news
    CImageList m_ButtonImages;
    CCaptionBar m_wndCaption;
    CHoverButton m_wndClose;
    HICON m_hCloseIcon = nullptr;
    COwnerDrawMenu m_menuFolders;
    HTREEITEM m_hBoldItem = nullptr;

    DECLARE_MESSAGE_MAP()
};
