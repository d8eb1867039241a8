#pragma once
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/win/CCmdTarget.h"

class CDC;
class CFont;
class CMenu;
class CScrollBar;
class CListBox;
struct CCreateContext;
class CDataExchange;
class CWnd;

// The handle of pWnd, or nullptr for a null pointer.
inline HWND AfxSafeHwnd(const CWnd* pWnd);

// A window object: borrows or owns one HWND, found from it through the window handle map.
// Windows the framework creates are attached before their first message (creation hook) and
// subclassed with the one framework window procedure, which dispatches each message through
// the message maps (most derived class first) and then to the default procedure: the
// procedure the window had before it was subclassed, or DefWindowProc.
//
// Lifetime: a permanent CWnd detaches itself at WM_NCDESTROY and then calls PostNcDestroy,
// which a self-deleting class overrides with `delete this`. The destructor of an object still
// attached destroys its window.
class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // The window of a member that works on it: calling one without a live window is the
    // caller's error (asserted; a returning assert handler leaves the call to fail as Win32
    // fails it for a dead handle).
    HWND LiveHwnd() const
    {
        ASSERT(::IsWindow(m_hWnd));
        return m_hWnd;
    }

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    friend bool operator==(const CWnd& a, const CWnd& b) { return a.m_hWnd == b.m_hWnd; }

    // The permanent object of hWnd, else a temporary wrapper released at idle time.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Records this object as the permanent owner of hWnd (no subclassing).
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // Attaches and routes the window's messages through this object's message map; the
    // previous procedure becomes the default procedure. UnsubclassWindow puts it back.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation. PreCreateWindow may change the creation record first.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default procedure with the message being handled (GetCurrentMessage).
    LRESULT Default();
    // The message the framework's window procedure is handling on this thread.
    static const MSG* GetCurrentMessage();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to PreTranslateMessage of its window and each parent up to hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Commands, notifications and reflection of a child's messages back to the child.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Gives the child hWndChild the message being handled; TRUE when the child took it.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);

    // Moves values between the controls and the members (DoDataExchange). Saving stops at the
    // first field that does not scan: the user is told, the field selected, FALSE returned.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Modal loop used by dialogs and property sheets: pre-translates each message.
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Relations.
    CWnd* GetParent() const { return FromHandle(::GetParent(LiveHwnd())); }
    CWnd* SetParent(CWnd* pWndNewParent)
    {
        return FromHandle(::SetParent(LiveHwnd(), AfxSafeHwnd(pWndNewParent)));
    }
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = AfxSafeHwnd(pOwnerWnd); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(LiveHwnd(), nCmd)); }
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(LiveHwnd(), nID)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(LiveHwnd()); }
    int SetDlgCtrlID(int nID) { return int(::SetWindowLongPtrA(LiveHwnd(), GWLP_ID, nID)); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(LiveHwnd(), AfxSafeHwnd(pWnd)); }
    CWnd* ChildWindowFromPoint(POINT point) const
    {
        return FromHandle(::ChildWindowFromPoint(LiveHwnd(), point));
    }
    static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(LiveHwnd(), message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(LiveHwnd(), message, wParam, lParam);
    }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendDlgItemMessageA(LiveHwnd(), nID, message, wParam, lParam);
    }

    // Text.
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(LiveHwnd(), lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
    {
        return ::GetWindowTextA(LiveHwnd(), lpszStringBuf, nMaxCount);
    }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(LiveHwnd()); }
    void SetDlgItemText(int nID, LPCTSTR lpszString)
    {
        ::SetDlgItemTextA(LiveHwnd(), nID, lpszString);
    }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE)
    {
        ::SetDlgItemInt(LiveHwnd(), nID, nValue, bSigned);
    }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const
    {
        return ::GetDlgItemInt(LiveHwnd(), nID, lpTrans, bSigned);
    }
    void CheckDlgButton(int nIDButton, UINT nCheck)
    {
        ::CheckDlgButton(LiveHwnd(), nIDButton, nCheck);
    }
    UINT IsDlgButtonChecked(int nIDButton) const
    {
        return ::IsDlgButtonChecked(LiveHwnd(), nIDButton);
    }
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck)
    {
        ::CheckRadioButton(LiveHwnd(), nIDFirst, nIDLast, nIDCheck);
    }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);
    // Asks the application to show help: HELP_CONTEXT with a dialog template id, HELP_KEY
    // with a keyword text, HELP_FINDER for the contents.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // Position and state.
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(LiveHwnd(), x, y, nWidth, nHeight, bRepaint);
    }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    {
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(LiveHwnd(), nCmdShow); }
    void UpdateWindow() { ::UpdateWindow(LiveHwnd()); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(LiveHwnd(), nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE)
    {
        ::InvalidateRect(LiveHwnd(), lpRect, bErase);
    }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(LiveHwnd(), lpRect); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    {
        return ::RedrawWindow(LiveHwnd(), lpRectUpdate, hrgnUpdate, flags);
    }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessageA(LiveHwnd(), WM_SETREDRAW, bRedraw, 0); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(LiveHwnd(), lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(LiveHwnd(), lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(LiveHwnd(), lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(LiveHwnd(), lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
    {
        ::MapWindowPoints(LiveHwnd(), AfxSafeHwnd(pwndTo), lpPoint, nCount);
    }
    // A child centres in its parent; a pop-up on its owner (else the main window), kept inside
    // the work area of that window's monitor.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
    {
        lpwndpl->length = sizeof(WINDOWPLACEMENT);
        return ::GetWindowPlacement(LiveHwnd(), lpwndpl);
    }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
    {
        return ::SetWindowPlacement(LiveHwnd(), lpwndpl);
    }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(LiveHwnd()); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(LiveHwnd()); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(LiveHwnd(), bEnable); }
    BOOL IsIconic() const { return ::IsIconic(LiveHwnd()); }
    BOOL IsZoomed() const { return ::IsZoomed(LiveHwnd()); }
    void BringWindowToTop() { ::BringWindowToTop(LiveHwnd()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(LiveHwnd()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(LiveHwnd())); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(LiveHwnd())); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(LiveHwnd())); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }

    // Styles (64-bit safe: every long is read and written through the *LongPtr functions).
    DWORD GetStyle() const { return DWORD(::GetWindowLongPtrA(LiveHwnd(), GWL_STYLE)); }
    DWORD GetExStyle() const { return DWORD(::GetWindowLongPtrA(LiveHwnd(), GWL_EXSTYLE)); }
    // Removes then adds style bits; with nFlags, also SetWindowPos(nFlags) to apply a frame change.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Timers, scrolling, drawing.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr)
    {
        return ::SetTimer(LiveHwnd(), nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(LiveHwnd(), nIDEvent); }
    int GetScrollPos(int nBar) const { return ::GetScrollPos(LiveHwnd(), nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE)
    {
        return ::SetScrollPos(LiveHwnd(), nBar, nPos, bRedraw);
    }
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
    {
        ::GetScrollRange(LiveHwnd(), nBar, lpMinPos, lpMaxPos);
    }
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE)
    {
        ::SetScrollRange(LiveHwnd(), nBar, nMinPos, nMaxPos, bRedraw);
    }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE)
    {
        lpScrollInfo->cbSize = sizeof(SCROLLINFO);
        return ::SetScrollInfo(LiveHwnd(), nBar, lpScrollInfo, bRedraw);
    }
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(LiveHwnd(), nBar, bShow); }
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH)
    {
        return ::EnableScrollBar(LiveHwnd(), nSBFlags, nArrowFlags);
    }
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr,
                      LPCRECT lpClipRect = nullptr)
    {
        ::ScrollWindow(LiveHwnd(), xAmount, yAmount, lpRect, lpClipRect);
    }
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void DrawMenuBar() { ::DrawMenuBar(LiveHwnd()); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
    {
        return HICON(::SendMessageA(LiveHwnd(), WM_SETICON, bBigIcon, LPARAM(hIcon)));
    }

    UINT m_nFlags = 0;            // WF_* flags
    WNDPROC m_pfnSuper = nullptr; // the procedure the window had before it was subclassed
    int m_nModalResult = 0;
    HWND m_hWndOwner = nullptr; // set by SetOwner; else the parent is the owner

    // Placeholders for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    // Default handlers: each passes its message to the default procedure. Derived handlers
    // call them (CWnd::OnSize(nType, cx, cy)) to keep the default behaviour.
    int OnCreate(LPCREATESTRUCT) { return int(Default()); }
    BOOL OnNcCreate(LPCREATESTRUCT) { return BOOL(Default()); }
    void OnDestroy() { Default(); }
    void OnNcDestroy();
    void OnPaint() { Default(); }
    void OnNcPaint() { Default(); }
    BOOL OnEraseBkgnd(CDC*) { return BOOL(Default()); }
    void OnClose() { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnLButtonDblClk(UINT, CPoint) { Default(); }
    void OnRButtonDown(UINT, CPoint) { Default(); }
    void OnRButtonUp(UINT, CPoint) { Default(); }
    void OnMButtonDblClk(UINT, CPoint) { Default(); }
    BOOL OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
    void OnMouseLeave() { Default(); }
    void OnNcLButtonDown(UINT, CPoint) { Default(); }
    void OnNcRButtonDown(UINT, CPoint) { Default(); }
    void OnNcMButtonDown(UINT, CPoint) { Default(); }
    void OnNcMouseMove(UINT, CPoint) { Default(); }
    LRESULT OnNcHitTest(CPoint) { return Default(); }
    void OnKeyDown(UINT, UINT, UINT) { Default(); }
    void OnKeyUp(UINT, UINT, UINT) { Default(); }
    void OnChar(UINT, UINT, UINT) { Default(); }
    void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
    void OnSysKeyUp(UINT, UINT, UINT) { Default(); }
    void OnSysChar(UINT, UINT, UINT) { Default(); }
    void OnSetFocus(CWnd*) { Default(); }
    void OnKillFocus(CWnd*) { Default(); }
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return BOOL(Default()); }
    void OnContextMenu(CWnd*, CPoint) { Default(); }
    void OnCaptureChanged(CWnd*) { Default(); }
    void OnCancelMode() { Default(); }
    UINT OnGetDlgCode() { return UINT(Default()); }
    BOOL OnHelpInfo(HELPINFO*) { return BOOL(Default()); }
    void OnSysColorChange() { Default(); }
    void OnSettingChange(UINT, LPCTSTR) { Default(); }
    void OnActivateApp(BOOL, DWORD) { Default(); }
    BOOL OnQueryNewPalette() { return BOOL(Default()); }
    void OnPaletteChanged(CWnd*) { Default(); }
    void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    void OnMenuSelect(UINT, UINT, HMENU) { Default(); }
    // A permanent menu object answers for its pop-up (CMenu::MenuChar), else the default.
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    int OnVKeyToItem(UINT, CListBox*, UINT) { return int(Default()); }
    int OnCharToItem(UINT, CListBox*, UINT) { return int(Default()); }
    // The next handlers first reflect the message to the child control that sent it.
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);

    DECLARE_MESSAGE_MAP()

private:
    explicit CWnd(HWND hWndPlaceholder) : m_hWnd(hWndPlaceholder) {}
    friend LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    // Inside a catch block of a message barrier (the window procedure, the message loop): tells the
    // user about the exception being handled, the framework's own by its text, out of memory and
    // any other as an unexpected error, and lets the loop go on. A report raised while another is
    // on screen (a failing paint behind the message box) is dropped, so each shows once.
    void AfxReportBarrierException();
    void CleanUpAfterNcDestroy();
};

inline HWND AfxSafeHwnd(const CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }

// The framework's window procedure and the call every message of a framework window takes.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Inside a catch block of a message barrier (the window procedure, the message loop): tells the
// user about the exception being handled, the framework's own by its text, out of memory and
// any other as an unexpected error, and lets the loop go on. A report raised while another is
// on screen (a failing paint behind the message box) is dropped, so each shows once.
void AfxReportBarrierException();

// The work area of a monitor (the screen without the task bar); the primary screen when the
// monitor cannot be asked.
CRect AfxGetWorkArea(HMONITOR hMonitor);
// Centres a top-level window on hWndCenter (by default its owner, else the main window) inside
// the work area of that window's monitor.
void AfxCenterOnOwner(HWND hWnd, HWND hWndCenter = nullptr);

// The creation hook: the next window created on this thread is attached to pWnd and
// subclassed at HCBT_CREATEWND. Unhook returns TRUE when that window was attached.
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();

// Registers (once) a window class with the default procedure and returns its name.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                            HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// The shared message-box path: the test hook answers it when installed.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));
