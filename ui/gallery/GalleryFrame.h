#pragma once
// The gallery's main window: a docking frame showing every control of the window library.
#include "framework/win/CImageList.h"
#include "framework/win/CReBar.h"
#include "framework/win/CStatusBar.h"
#include "ui/GfxOutBarCtrl.h"
#include "ui/KxControlBar.h"
#include "ui/KxFrameWnd.h"
#include "ui/KxOutlookBar.h"
#include "ui/KxPagerCtrl.h"
#include "ui/PaneSplitterWnd.h"

class CGalleryView;

class CGalleryFrame : public CKxFrameWnd {
    DECLARE_DYNCREATE(CGalleryFrame)
public:
    // What the sample pane shows.
    struct Format {
        BOOL bBold = TRUE;
        BOOL bItalic = FALSE;
        BOOL bUnderline = FALSE;
        UINT nAlign = 0; // DT_LEFT, DT_CENTER or DT_RIGHT
        COLORREF clrBack = RGB(255, 255, 224);
        COLORREF clrText = RGB(0, 0, 128);
    };
    Format m_format;

    void TrackContextMenu(CPoint point);
    void FormatChanged();
    void SetStatus(LPCTSTR lpszText);
    // The zoom bar floats beside the shown frame.
    void FloatZoomBar();

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    int OnCreate(LPCREATESTRUCT lpcs);
    BOOL CreateBar(CKxToolBar& bar, UINT nIDResource, UINT nID, LPCTSTR lpszTitle);
    BOOL CreateZoomBox();
    // Resizable panes: a folder bar on the left, a pager of large icons on the right.
    BOOL CreatePanes();
    LRESULT OnFolderBar(WPARAM wParam, LPARAM lParam);

    void OnCommandSeen(UINT nID);
    void OnFormat(UINT nID);
    void OnUpdateFormat(CCmdUI* pCmdUI);
    void OnAlign(UINT nID);
    void OnUpdateAlign(CCmdUI* pCmdUI);
    void OnPane(UINT nID);
    void OnUpdatePane(CCmdUI* pCmdUI);
    void OnViewBar(UINT nID);
    void OnUpdateViewBar(CCmdUI* pCmdUI);
    void OnAbout();
    void OnExit();
    void OnUpdateZoomBox(CCmdUI* pCmdUI);
    LRESULT OnPinned(WPARAM wParam, LPARAM lParam);
    CControlBar* BarOf(UINT nID);

    CKxToolBar m_wndMainBar;
    CKxToolBar m_wndDrawBar;
    CKxToolBar m_wndZoomBar;
    CKxToolBar m_wndAlignBar;
    CKxToolBar m_wndPaneBar;
    CKxToolBar m_wndZoomBoxBar;
    CReBar m_wndReBar;
    CStatusBar m_wndStatusBar;
    CPaneSplitterWnd m_wndSplitter;
    CGalleryView* m_pNotes = nullptr; // kept outside the grid until swapped or pinned in
    COwnerDrawMenu m_contextMenu;
    CKxControlBar m_wndFolderPane;
    CKxControlBar m_wndShortcutPane;
    CGfxOutBarCtrl m_wndOutBar;
    CKxPagerCtrl m_wndPager;
    CKxOutlookBar m_wndShortcuts;
    CImageList m_imagesLarge;
    CImageList m_imagesSmall;

    DECLARE_MESSAGE_MAP()
};
