#pragma once
#include "framework/win/CGdiObject.h"
#include "framework/win/CImageList.h"
#include "framework/win/Controls.h"
#include "ui/CaptionBar.h"
#include "ui/OwnerDrawMenu.h"

// The strip above the working panes: the selected item's caption with its icon on the left and,
// on the right, the tabs that choose an arrangement of the panes. A click on a tab posts its
// command to the main window; a right click opens "Toggle Views".
class CViewTabBar : public CWnd {
    DECLARE_DYNAMIC(CViewTabBar)
public:
    CViewTabBar() = default;
    ~CViewTabBar() override;

    BOOL Create(CWnd* pParentWnd, UINT nID);
    // Shows text with the image nImage of the program's small image list (-1: none).
    void SetCaption(const CString& text, int nImage);
    const CString& GetCaption() const { return m_wndCaption.GetCaption(); }
    // The tab that posts nCommand shows as chosen; no tab for a command none posts.
    void HighlightTab(UINT nCommand);
    CTabCtrl& GetTabs() { return m_wndTabs; }
    // The command a click on tab nTab posts; 0 for none.
    static UINT GetTabCommand(int nTab);
    int GetTabAreaWidth() const { return m_cxTabArea; }
    int GetTabAreaHeight() const { return m_cyTabArea; }

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnTabClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnContextMenu(CWnd* pWnd, CPoint point);

    CCaptionBar m_wndCaption;
    CTabCtrl m_wndTabs;
    CImageList m_TabImages;
    CFont m_fontTabs;
    CFont m_fontCaption;
    COwnerDrawMenu m_menuToggleViews; // loaded on first use
    int m_cxTabArea = 0;
    int m_cyTabArea = 0;
    HICON m_hCaptionIcon = nullptr; // the icon the caption shows, ours to release

    DECLARE_MESSAGE_MAP()
};
