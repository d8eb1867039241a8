#pragma once
#include "framework/win/CControlBar.h"
#include "framework/win/Controls.h"
#include "ui/OwnerDrawMenu.h"

class CKxSizeDockBar;

// A resizable docking pane: a caption with the pane's title, a close button (ID_KXBAR_HIDE)
// and an expand/contract button (ID_KXBAR_EXPAND) over the pane's window (its child with id
// AFX_IDW_PANE_FIRST, kept filling the room). Docked it shares a sizing side of the frame
// (CKxSizeDockBar) with the frame's other panes, its trailing edge dragged to give it more
// room; dragged by its caption it docks on another side or floats in a frame of its own
// (CKxMiniDockFrameWnd) that the user resizes. Its size, side and floating state go to and
// come back from the settings.
class CKxControlBar : public CControlBar {
    DECLARE_DYNAMIC(CKxControlBar)
public:
    CKxControlBar();
    ~CKxControlBar() override;

    // A pane titled lpszTitle with the docked width and height of sizeDefault, on the side
    // dwStyle names (CBRS_LEFT ...).
    BOOL Create(LPCTSTR lpszTitle, CWnd* pParentWnd, CSize sizeDefault, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_LEFT);
    // Docking with a CKxDockContext (a pane docks on the frame's sizing sides only).
    void EnableDocking(DWORD dwDockStyle);

    // The size docked on a horizontal (top or bottom) or a vertical side, as the length along
    // the side (cx) and the depth across it (cy).
    CSize GetDockedSize(BOOL bHorz) const { return bHorz ? m_sizeHorz : m_sizeVert; }
    void SetDockedSize(BOOL bHorz, CSize size);
    CSize GetFloatingSize() const { return m_sizeFloat; }
    void SetFloatingSize(CSize size);
    // The caption's height: a docked pane is never shorter.
    int GetCaptionSize() const;
    CKxSizeDockBar* GetSizeDockBar() const;
    // The side the pane docks on (CBRS_ALIGN_*), the last one while it floats.
    DWORD GetDockSide() const { return m_dwSide; }
    BOOL IsMaximized() const;
    // The pane's window, or nullptr.
    CWnd* GetClientWnd() const;

    // The pane's values "CX", "CY" (its docked window size), "Floating" and "Style" (its side)
    // in a section of the settings.
    void SaveState(LPCTSTR lpszSection);
    // Takes a saved state back and docks or floats the pane accordingly; FALSE, with nothing
    // changed, when the section holds none or a damaged one.
    BOOL LoadState(LPCTSTR lpszSection);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

protected:
    // Where the caption, the trailing edge (when another pane follows) and the pane's window
    // lie in the client area.
    CRect CaptionRect() const;
    CRect EdgeRect() const;
    CRect PaneRect() const;
    void PlaceChildren();
    void DrawButton(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Follows the mouse with the trailing edge, then gives the pane its new length.
    void TrackEdge(CPoint point);

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnCancelMode();
    void OnHide();
    void OnExpand();
    void OnUpdateHide(CCmdUI* pCmdUI);
    void OnUpdateExpand(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CSize m_sizeHorz{200, 150};  // along and across a top or bottom side
    CSize m_sizeVert{200, 150};  // along and across a left or right side
    CSize m_sizeFloat{200, 200}; // the client size of its floating frame
    DWORD m_dwSide = CBRS_ALIGN_LEFT;
    CButton m_wndClose;
    CButton m_wndExpand;
    CToolTipCtrl m_wndTips;
    BOOL m_bTracking = FALSE;
    CRect m_rectTracker; // screen
    BOOL m_bEndLoop = FALSE;
    COwnerDrawMenu m_menu;
};
