#pragma once
#include "framework/win/CGdiObject.h"
#include "framework/win/CWnd.h"
#include "ui/OutBarLayout.h"
#include "ui/OwnerDrawMenu.h"

#include <memory>
#include <vector>

class CImageList;
class COutBarEdit;

// What a folder bar tells its owner (or parent): WM_OUTBAR_NOTIFY with the code in wParam.
constexpr UINT WM_OUTBAR_NOTIFY = WM_USER + 1;
enum OutBarNotify : WPARAM {
    OBN_ITEMCLICK = 1,    // lParam: the item
    OBN_ITEMRENAME = 2,   // lParam: OutBarRename*; a non-zero answer takes the new label
    OBN_FOLDERRENAME = 3, // lParam: OutBarRename*; a non-zero answer takes the new name
    OBN_ITEMDROP = 4,     // lParam: OutBarDrop*; a non-zero answer moves the item
    OBN_FOLDEROPEN = 5,   // lParam: the folder opened
    OBN_HOTITEM = 6,      // lParam: the item under the pointer
};
struct OutBarRename {
    int index;
    LPCTSTR lpszText;
};
struct OutBarDrop {
    int nFrom; // the item dragged
    int nTo;   // the item it goes before (the count: after the last)
};

// The bar's switches.
enum OutBarFlags : DWORD {
    OBF_SMALLICONS = 0x001,
    OBF_RENAMEFOLDERS = 0x004,
    OBF_RENAMEITEMS = 0x008,
    OBF_REMOVEFOLDERS = 0x010,
    OBF_REMOVEITEMS = 0x020,
    OBF_DRAGITEMS = 0x080,
    OBF_ANIMATE = 0x100,
    OBF_HIGHLIGHT = 0x200,
    OBF_DEFAULT = 0x3FC,
};

// A side bar of folders: a stack of folder buttons, the open folder's items shown as large or
// small icons with labels (or a window of the caller in their place), scroll arrows when they
// do not fit, a slide when another folder opens, hover frames, renaming in place, items moved
// by dragging and a context menu. It tells its owner everything through WM_OUTBAR_NOTIFY.
//
// Split by concern: GfxOutBarCtrl.cpp (folders and items, creation, notices),
// GfxOutBarCtrlDraw.cpp (painting and the slide), GfxOutBarCtrlMouse.cpp (pointer, scrolling,
// dragging, context menu, renaming).
class CGfxOutBarCtrl : public CWnd {
    DECLARE_DYNCREATE(CGfxOutBarCtrl)
public:
    CGfxOutBarCtrl();
    ~CGfxOutBarCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwFlags = OBF_DEFAULT);

    // --- Folders and items ------------------------------------------------------------
    // Each returns the new folder's or item's index, or -1.
    int AddFolder(LPCTSTR lpszName);
    // A folder that shows pChild (the caller's window, made a child of the bar) in place of
    // items.
    int AddFolderBar(LPCTSTR lpszName, CWnd* pChild);
    // Inserts an item into a folder before nIndex (-1 or past the end: at the end).
    int InsertItem(int nFolder, int nIndex, LPCTSTR lpszText, int nImage, DWORD dwData = 0);
    void RemoveFolder(int nFolder);
    void RemoveItem(int nIndex); // of the open folder
    void OpenFolder(int nFolder);
    int GetOpenFolder() const { return m_nOpenFolder; }
    int GetFolderCount() const { return int(m_folders.size()); }
    int GetItemCount() const; // of the open folder
    int GetFolderItemCount(int nFolder) const;
    CString GetFolderName(int nFolder) const;
    void SetFolderName(int nFolder, LPCTSTR lpszName);
    CString GetItemText(int nIndex) const; // of the open folder
    void SetItemText(int nIndex, LPCTSTR lpszText);
    DWORD GetItemData(int nIndex) const;
    int GetItemImage(int nIndex) const;

    // --- Look and behaviour -----------------------------------------------------------
    void SetImageList(CImageList* pList, BOOL bSmall); // not owned
    CImageList* GetImageList(BOOL bSmall) const { return bSmall ? m_pSmallList : m_pLargeList; }
    void UseSmallIcons(BOOL bSmall);
    BOOL UsesSmallIcons() const { return (m_dwFlags & OBF_SMALLICONS) != 0; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags);
    // The pause between the frames of the slide, at most 100 ms; a negative delay switches
    // folders without the slide.
    void SetAnimationDelay(int nMilliseconds);
    int GetAnimationDelay() const { return m_nAnimationDelay; }
    int GetFirstVisibleItem() const { return m_nFirstItem; }
    int GetHotItem() const { return m_nHotItem; }
    int GetHotFolder() const { return m_nHotFolder; }

    // --- Geometry ---------------------------------------------------------------------
    CRect GetFolderRect(int nFolder) const;
    CRect GetItemAreaRect() const;
    // The layout as it is painted now.
    const COutBarLayout& GetLayout() const;
    OutBarHit HitTest(CPoint point) const;

    // --- Renaming ---------------------------------------------------------------------
    void StartFolderRename(int nFolder);
    void StartItemRename(int nIndex);
    COutBarEdit* GetRenameEdit() const { return m_pEdit; }
    void ForgetRenameEdit(COutBarEdit* pEdit)
    {
        if (m_pEdit == pEdit)
            m_pEdit = nullptr;
    }

protected:
    struct Item {
        CString text;
        int image = -1;
        DWORD data = 0;
    };
    struct Folder {
        CString name;
        std::vector<Item> items;
        CWnd* pChild = nullptr; // not owned
    };

    BOOL IsFolder(int nFolder) const { return nFolder >= 0 && nFolder < GetFolderCount(); }
    BOOL IsItem(int nIndex) const { return nIndex >= 0 && nIndex < GetItemCount(); }
    Folder* OpenFolderPtr();
    const Folder* OpenFolderPtr() const;
    LRESULT Notify(OutBarNotify code, LPARAM lParam);
    void ReadColours();
    CSize IconSize() const;
    CSize MeasureLabel(CDC* pDC, int nItem, int nMaxWidth) const;
    void PlaceFolderChild();
    void ClearHighlights();

    // Painting (GfxOutBarCtrlDraw.cpp).
    void PaintBar(CDC* pDC, const CRect& client);
    void DrawFolder(CDC* pDC, int nFolder, const CRect& rect);
    void DrawItems(CDC* pDC, const COutBarLayout& layout, int nFolder);
    void DrawItemArea(CDC* pDC, const COutBarLayout& layout, int nFolder);
    void DrawIconFrame(CDC* pDC, int nItem, BOOL bPressed);
    void DrawDropMark(CDC* pDC, const COutBarLayout& layout);
    void DrawFolderHover(CDC* pDC, int nFolder);
    void DrawArrow(CDC* pDC, BOOL bUp, BOOL bPushed);
    void AnimateFolderChange(int nFrom, int nTo);
    void RepaintItemArea();

    // Pointer (GfxOutBarCtrlMouse.cpp).
    void TrackItemPress(int nItem);
    void TrackDrag(int nItem);
    void ScrollItems(BOOL bUp);
    void TrackContextMenu(CPoint point, const OutBarHit& hit);
    void StartRename(BOOL bFolder, int nIndex, const CRect& rect, const CString& text);

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSysColorChange();
    void OnCancelMode();
    void OnCaptureChanged(CWnd* pWnd);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnDestroy();
    LRESULT OnEndRename(WPARAM wParam, LPARAM lParam);
    void OnLargeIcons();
    void OnSmallIcons();
    void OnRemove();
    void OnRename();
    void OnUpdateLargeIcons(CCmdUI* pCmdUI);
    void OnUpdateSmallIcons(CCmdUI* pCmdUI);
    friend class COutBarEdit;
    DECLARE_MESSAGE_MAP()

    // Colours.
    COLORREF m_crBackground, m_crItemArea, m_crText, m_crFace, m_crLight, m_crHilight, m_crShadow,
        m_crDkShadow;
    OutBarSpacing m_spacing;
    int m_nAnimationDelay = 10;
    DWORD m_dwFlags = OBF_DEFAULT;
    std::vector<std::unique_ptr<Folder>> m_folders;
    int m_nHotFolder = -1;
    int m_nHotItem = -1;
    int m_nFirstItem = 0;
    int m_nPressedItem = -1;
    BOOL m_bDragging = FALSE;
    int m_nDragItem = -1;
    int m_nDropTarget = -1; // where the dragged item would go
    int m_nOpenFolder = -1;
    CImageList* m_pLargeList = nullptr;
    CImageList* m_pSmallList = nullptr;
    HCURSOR m_hHandCursor, m_hDragCursor, m_hNoDropCursor;
    CPen m_penBlack;
    COwnerDrawMenu m_menu;
    CString m_strRemove, m_strRename;

    // Scrolling with an arrow held: which one (0 none), and whether it is drawn pushed.
    OutBarHit::Kind m_nArrowHeld = OutBarHit::Nothing;
    BOOL m_bArrowPushed = FALSE;
    // What the context menu was opened on.
    OutBarHit m_menuHit;
    // A loop of this bar is running and should end (cancel mode, capture lost).
    BOOL m_bEndLoop = FALSE;
    COutBarEdit* m_pEdit = nullptr;
    mutable COutBarLayout m_layout;
};
