#pragma once
#include "framework/core/CString.h"
#include "framework/win/CControlBar.h"
#include "framework/win/CWnd.h"
#include "framework/win/FrameworkIds.h"

#include <vector>

class CControlBar;
class CDockBar;
class CDocument;
class CView;
struct CCreateContext;

// What a control bar receives with WM_SIZEPARENT: it takes its share of rect (the parent's
// free client area) and moves itself through hDWP.
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP = nullptr;
    RECT rect{};
    SIZE sizeTotal{};
    BOOL bStretch = TRUE;
};

// Lays out the children of pParent with ids nIDFirst..nIDLast (control bars, which take their
// share of the client area) and gives what is left to the child nIDLeftOver.
void AfxRepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver);

// What a print preview hid of its frame, to show again when it ends.
struct CPrintPreviewState {
    HWND hWndClient = nullptr; // the frame's client (a view or a splitter)
    std::vector<CControlBar*> hiddenBars;
    CView* pViewActiveOld = nullptr;
    HWND hWndPreview = nullptr; // the preview view, told to close when the frame goes first
};

class CFrameWnd;
// The nearest frame among the parents of hWnd (not hWnd itself), or nullptr.
CFrameWnd* AfxFindParentFrame(HWND hWnd);

// A top-level window with a menu, control bars and a client view (or splitter). Commands go to
// the active view (which offers them to its document), then to the frame, then to the
// application.
class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    using CWnd::Create;
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);
    // Menu, accelerators, icon and title (first part of the document string) from nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // Builds the client area: by default one view of the context's view class.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // Control bars take their share of the client area; the view gets the rest.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver)
    {
        AfxRepositionBars(this, nIDFirst, nIDLast, nIDLeftOver);
    }
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID) const;

    // Docking (CFrameWndDock.cpp). EnableDocking makes a dock bar on each side named in
    // dwDockStyle (CBRS_ALIGN_*) that has none yet; FALSE when one cannot be made.
    BOOL EnableDocking(DWORD dwDockStyle);
    // Docks pBar in the dock bar nDockBarID (0: the first side its style and dock style
    // allow), at lpRect (screen) when given.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats pBar in a frame of its own with its top-left corner at point (screen), kept on
    // the screen.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // Shows or hides a bar, at once or at the next layout; a floating frame follows its bar.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // The side (CBRS_ALIGN_*) of the first visible dock bar allowed by dwDockStyle that rect
    // (screen) touches, with that dock bar; 0 when none.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    // The dock bars' ids and styles, side by side: top, bottom, left, right.
    struct DockBarSide {
        UINT nID;
        DWORD dwStyle;
    };
    static const DockBarSide dockBarSides[4];
    // The class of the frames floating bars live in.
    CRuntimeClass* m_pFloatingFrameClass = nullptr;

    // The status bar's message pane (fly-by help of menus and buttons).
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    CWnd* GetMessageBar();
    // The prompt of a command: its string resource up to the first '\n'.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // The window placement kept in the registry as one binary value of the placement record's
    // own size; a value of any other size is not a placement (FALSE, wp untouched).
    static BOOL ReadWindowPlacement(LPCTSTR lpszSection, LPCTSTR lpszEntry, WINDOWPLACEMENT& wp);
    BOOL WriteWindowPlacement(LPCTSTR lpszSection, LPCTSTR lpszEntry) const;

    // Print preview (CPreviewView.cpp): the client and the visible bars hide while a preview
    // has the frame, and come back as they were, with the view that was active.
    void BeginPreviewMode(CPrintPreviewState& state);
    void EndPreviewMode(CPrintPreviewState& state);
    BOOL IsInPreviewMode() const { return m_pPreviewState != nullptr; }

    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    HACCEL m_hAccelTable = nullptr;
    HMENU m_hMenuDefault = nullptr;
    UINT m_nIDHelp = 0;
    BOOL m_bAddToTitle = TRUE;
    UINT m_nIDTracking = 0; // the command whose prompt the message pane shows

protected:
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnDestroy();
    void OnSetFocus(CWnd* pOldWnd);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // The frame's windows hear when the user's drag of its edge or caption starts and ends.
    LRESULT OnEnterSizeMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitSizeMove(WPARAM wParam, LPARAM lParam);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    CString m_strTitle;
    CView* m_pViewActive = nullptr;
    std::vector<CControlBar*> m_listControlBars;
    BOOL m_bInRecalcLayout = FALSE;
    CPrintPreviewState* m_pPreviewState = nullptr;

    DECLARE_MESSAGE_MAP()
};
