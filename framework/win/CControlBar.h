#pragma once
#include "framework/win/CWnd.h"

class CFrameWnd;
class CDockBar;
class CDockContext;
class CToolTipCtrl;

// Control-bar styles (kept in m_dwStyle, not in the window style; CreateEx takes them in the
// low word of the window style and strips them).
constexpr DWORD CBRS_FLOATING = 0x0001L;     // the bar sits in a floating frame
constexpr DWORD CBRS_SIZE_FIXED = 0x0002L;   // the bar keeps its layout whatever its place
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004L; // a floating bar may wrap to a chosen width
constexpr DWORD CBRS_HIDE_INPLACE = 0x0008L;
constexpr DWORD CBRS_TOOLTIPS = 0x0010L; // tips name the button under the pointer
constexpr DWORD CBRS_FLYBY = 0x0020L;    // the status bar tells what the button does
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040L;
constexpr DWORD CBRS_BORDER_3D = 0x0080L;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100L;
constexpr DWORD CBRS_BORDER_TOP = 0x0200L;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400L;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800L;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00L;
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000L;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000L;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000L;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000L;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000L;
constexpr DWORD CBRS_GRIPPER = 0x00400000L; // a docked bar shows a grip to drag it by
constexpr DWORD CBRS_ALL = 0x0040FFFFL;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_ORIENT_ANY = CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;

// Modes of CalcDynamicLayout.
constexpr DWORD LM_STRETCH = 0x01;  // fill the length of the side
constexpr DWORD LM_HORZ = 0x02;     // lay out horizontally
constexpr DWORD LM_MRUWIDTH = 0x04; // at the most recently used floating width
constexpr DWORD LM_HORZDOCK = 0x08; // docked on the top or bottom
constexpr DWORD LM_VERTDOCK = 0x10; // docked on the left or right
constexpr DWORD LM_LENGTHY = 0x20;  // nLength is a height
constexpr DWORD LM_COMMIT = 0x40;   // remember the layout (the floating width)

// A bar along an edge of a frame (status bar, tool bars): it takes its share of the frame's
// client area when the frame lays out, updates its items at idle time through the frame's
// command routing, and, once docking is enabled, sits in one of the frame's dock bars or
// floats in a small frame of its own, dragged between them by its dock context.
class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    ~CControlBar() override;

    // The bar's size along the edge it sits on: by default all of it when stretching.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The bar's size for nLength (-1: its own choice) in an LM_* mode; by default the fixed
    // layout.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Takes the borders, and the gripper of a docked bar, off rect (client coordinates).
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Updates the items through pTarget; bDisableIfNoHndler disables items without a handler.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // The style word changed (SetBarStyle, docking): the bar redraws what depends on it.
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    // The command id of the tool under point (client), filling pTI when given; -1 for none.
    // By default a child window with an id is a tool.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    CFrameWnd* GetParentFrame() const;
    // The frame the bar docks to and reports to (the floating frame's owner for a floating
    // bar).
    CFrameWnd* GetDockingFrame() const;

    // Docking: the sides (CBRS_ALIGN_*) the bar may dock on; 0 stops it from moving.
    void EnableDocking(DWORD dwDockStyle);
    BOOL IsFloating() const;
    BOOL IsDocked() const { return m_pDockBar != nullptr && !IsFloating(); }
    // Shows or hides the bar at the next layout (the frame's ShowControlBar with a delay).
    void DelayShow(BOOL bShow);
    // Visible now, or about to be shown by a delayed show.
    BOOL IsVisible() const;
    // Carries out a delayed show or hide.
    void RecalcDelayShow();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    BOOL m_bAutoDelete = FALSE;
    // Borders inside the bar (pixels) and the gap between items.
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 1;
    int m_cyBottomBorder = 1;
    int m_cxDefaultGap = 2;
    // The width the bar last had when floating.
    int m_nMRUWidth = 32767;
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr;

protected:
    CControlBar() = default;
    void PostNcDestroy() override;
    // Paints borders and gripper; bars with their own look override it.
    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    // The room a docked bar keeps for its gripper (or just a margin without one).
    virtual int GetGripperSpace() const;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseLeave();
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // A tip's text request answered from the command's string (the part after its prompt).
    BOOL FillToolTipText(NMHDR* pNMHDR, LRESULT* pResult);

    // Tips and fly-by prompts follow the tool under the pointer.
    void FilterToolTipMessage(const MSG* pMsg);
    void SetTrackedTool(INT_PTR nHit, const TOOLINFOA* pTI);

    DWORD m_dwStyle = 0;
    CFrameWnd* m_pFrame = nullptr; // the frame the bar registered with
    UINT m_nStateFlags = 0;        // kDelayShow, kDelayHide
    CToolTipCtrl* m_pToolTip = nullptr;
    INT_PTR m_nLastHit = -1; // the tool under the pointer, -1 for none

    static constexpr UINT kDelayShow = 0x1;
    static constexpr UINT kDelayHide = 0x2;

    DECLARE_MESSAGE_MAP()

    friend class CDockBar;
    friend class CDockContext;
};
