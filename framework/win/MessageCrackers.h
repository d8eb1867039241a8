#pragma once
// The ON_WM_ message-map entries. Each macro names the handler it calls and the handler must
// have exactly the signature written next to it; otherwise the map does not compile.
//
// Adding a message: write a cracker below (its handler signature, then the statements that
// turn w and l into the arguments and return the message's result), an ON_WM_ macro naming
// the cracker and the handler, and a default handler in CWnd that calls Default() so derived
// handlers can pass the message on.
#include "framework/win/CDC.h"
#include "framework/win/CMenu.h"
#include "framework/win/CWnd.h"
#include "framework/win/Controls.h"

namespace afx {

inline CPoint PointOf(LPARAM lParam)
{
    return CPoint(short(LOWORD(lParam)), short(HIWORD(lParam)));
}
inline CWnd* WndOf(WPARAM w) { return CWnd::FromHandle(reinterpret_cast<HWND>(w)); }
inline CWnd* WndOf(LPARAM l) { return CWnd::FromHandle(reinterpret_cast<HWND>(l)); }

// Defines a cracker: its handler signature and how the call's parameters become arguments.
#define ZIVRA_CRACKER(name, sig, ...)                                                              \
    struct name {                                                                                  \
        using Sig = sig;                                                                           \
        template <class T, auto Fn> static LRESULT Call(T* p, const AFX_MSG_CALL& c)               \
        {                                                                                          \
            [[maybe_unused]] const WPARAM w = c.wParam;                                            \
            [[maybe_unused]] const LPARAM l = c.lParam;                                            \
            __VA_ARGS__                                                                            \
        }                                                                                          \
    };

ZIVRA_CRACKER(V_V, void(), (p->*Fn)(); return 0;)
ZIVRA_CRACKER(I_Create, int(LPCREATESTRUCT), return (p->*Fn)(reinterpret_cast<LPCREATESTRUCT>(l));)
ZIVRA_CRACKER(B_NcCreate, BOOL(LPCREATESTRUCT),
              return (p->*Fn)(reinterpret_cast<LPCREATESTRUCT>(l));)
ZIVRA_CRACKER(V_Size, void(UINT, int, int), (p->*Fn)(UINT(w), short(LOWORD(l)), short(HIWORD(l)));
              return 0;)
ZIVRA_CRACKER(V_Mouse, void(UINT, CPoint), (p->*Fn)(UINT(w), PointOf(l)); return 0;)
ZIVRA_CRACKER(B_Wheel, BOOL(UINT, short, CPoint),
              return (p->*Fn)(LOWORD(w), short(HIWORD(w)), PointOf(l));)
ZIVRA_CRACKER(L_HitTest, LRESULT(CPoint), return (p->*Fn)(PointOf(l));)
ZIVRA_CRACKER(V_Key, void(UINT, UINT, UINT), (p->*Fn)(UINT(w), LOWORD(l), HIWORD(l)); return 0;)
ZIVRA_CRACKER(V_Timer, void(UINT_PTR), (p->*Fn)(UINT_PTR(w)); return 0;)
ZIVRA_CRACKER(V_Focus, void(CWnd*), (p->*Fn)(WndOf(w)); return 0;)
ZIVRA_CRACKER(V_WndL, void(CWnd*), (p->*Fn)(WndOf(l)); return 0;)
ZIVRA_CRACKER(B_Erase, BOOL(CDC*), return (p->*Fn)(CDC::FromHandle(reinterpret_cast<HDC>(w)));)
ZIVRA_CRACKER(B_SetCursor, BOOL(CWnd*, UINT, UINT),
              return (p->*Fn)(WndOf(w), LOWORD(l), HIWORD(l));)
ZIVRA_CRACKER(V_Context, void(CWnd*, CPoint), (p->*Fn)(WndOf(w), PointOf(l)); return 0;)
ZIVRA_CRACKER(V_Scroll, void(UINT, UINT, CScrollBar*),
              (p->*Fn)(LOWORD(w), HIWORD(w), static_cast<CScrollBar*>(WndOf(l)));
              return 0;)
ZIVRA_CRACKER(V_ScrollReflect, void(UINT, UINT), (p->*Fn)(LOWORD(w), HIWORD(w)); return 0;)
ZIVRA_CRACKER(U_V, UINT(), return (p->*Fn)();)
ZIVRA_CRACKER(B_V, BOOL(), return (p->*Fn)();)
ZIVRA_CRACKER(L_MenuChar, LRESULT(UINT, UINT, CMenu*),
              return (p->*Fn)(LOWORD(w), HIWORD(w), CMenu::FromHandle(reinterpret_cast<HMENU>(l)));)
ZIVRA_CRACKER(V_MenuSelect, void(UINT, UINT, HMENU),
              (p->*Fn)(LOWORD(w), HIWORD(w), reinterpret_cast<HMENU>(l));
              return 0;)
ZIVRA_CRACKER(V_InitMenuPopup, void(CMenu*, UINT, BOOL),
              (p->*Fn)(CMenu::FromHandle(reinterpret_cast<HMENU>(w)), LOWORD(l), BOOL(HIWORD(l)));
              return 0;)
ZIVRA_CRACKER(V_Measure, void(int, LPMEASUREITEMSTRUCT),
              (p->*Fn)(int(w), reinterpret_cast<LPMEASUREITEMSTRUCT>(l));
              return 0;)
ZIVRA_CRACKER(V_Draw, void(int, LPDRAWITEMSTRUCT),
              (p->*Fn)(int(w), reinterpret_cast<LPDRAWITEMSTRUCT>(l));
              return 0;)
ZIVRA_CRACKER(V_Delete, void(int, LPDELETEITEMSTRUCT),
              (p->*Fn)(int(w), reinterpret_cast<LPDELETEITEMSTRUCT>(l));
              return 0;)
ZIVRA_CRACKER(I_Compare, int(int, LPCOMPAREITEMSTRUCT),
              return (p->*Fn)(int(w), reinterpret_cast<LPCOMPAREITEMSTRUCT>(l));)
ZIVRA_CRACKER(I_ListKey, int(UINT, CListBox*, UINT),
              return (p->*Fn)(LOWORD(w), static_cast<CListBox*>(WndOf(l)), HIWORD(w));)
ZIVRA_CRACKER(V_ActivateApp, void(BOOL, DWORD), (p->*Fn)(BOOL(w), DWORD(l)); return 0;)
ZIVRA_CRACKER(V_PosChanged, void(WINDOWPOS*), (p->*Fn)(reinterpret_cast<WINDOWPOS*>(l)); return 0;)
ZIVRA_CRACKER(B_HelpInfo, BOOL(HELPINFO*), return (p->*Fn)(reinterpret_cast<HELPINFO*>(l));)
ZIVRA_CRACKER(V_Setting, void(UINT, LPCTSTR), (p->*Fn)(UINT(w), reinterpret_cast<LPCTSTR>(l));
              return 0;)

// The WM_CTLCOLOR* messages: nCtlColor is CTLCOLOR_MSGBOX ... CTLCOLOR_STATIC.
inline UINT CtlColorOf(UINT message)
{
    return (message >= WM_REFLECT_BASE ? message - WM_REFLECT_BASE : message) - WM_CTLCOLORMSGBOX;
}
ZIVRA_CRACKER(H_CtlColor, HBRUSH(CDC*, CWnd*, UINT),
              return reinterpret_cast<LRESULT>((p->*Fn)(CDC::FromHandle(reinterpret_cast<HDC>(w)),
                                                        WndOf(l), CtlColorOf(c.message)));)
ZIVRA_CRACKER(H_CtlColorReflect, HBRUSH(CDC*, UINT),
              return reinterpret_cast<LRESULT>((p->*Fn)(CDC::FromHandle(reinterpret_cast<HDC>(w)),
                                                        CtlColorOf(c.message)));)

#undef ZIVRA_CRACKER

} // namespace afx

#define ZIVRA_ON_WM(msg, cracker, handler)                                                         \
    ZIVRA_MSG_ENTRY(msg, 0, 0, 0, afx::cracker, &ThisClass::handler)

#define ON_WM_CREATE() ZIVRA_ON_WM(WM_CREATE, I_Create, OnCreate) // int OnCreate(LPCREATESTRUCT)
#define ON_WM_NCCREATE()                                                                           \
    ZIVRA_ON_WM(WM_NCCREATE, B_NcCreate, OnNcCreate)            // BOOL OnNcCreate(LPCREATESTRUCT)
#define ON_WM_DESTROY() ZIVRA_ON_WM(WM_DESTROY, V_V, OnDestroy) // void OnDestroy()
#define ON_WM_NCDESTROY() ZIVRA_ON_WM(WM_NCDESTROY, V_V, OnNcDestroy) // void OnNcDestroy()
#define ON_WM_PAINT() ZIVRA_ON_WM(WM_PAINT, V_V, OnPaint)             // void OnPaint()
#define ON_WM_NCPAINT() ZIVRA_ON_WM(WM_NCPAINT, V_V, OnNcPaint)       // void OnNcPaint()
#define ON_WM_ERASEBKGND()                                                                         \
    ZIVRA_ON_WM(WM_ERASEBKGND, B_Erase, OnEraseBkgnd)     // BOOL OnEraseBkgnd(CDC*)
#define ON_WM_CLOSE() ZIVRA_ON_WM(WM_CLOSE, V_V, OnClose) // void OnClose()
#define ON_WM_SIZE() ZIVRA_ON_WM(WM_SIZE, V_Size, OnSize) // void OnSize(UINT nType, int cx, int cy)
#define ON_WM_TIMER() ZIVRA_ON_WM(WM_TIMER, V_Timer, OnTimer) // void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_MOUSEMOVE()                                                                          \
    ZIVRA_ON_WM(WM_MOUSEMOVE, V_Mouse, OnMouseMove) // void OnMouseMove(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDOWN()                                                                        \
    ZIVRA_ON_WM(WM_LBUTTONDOWN, V_Mouse, OnLButtonDown) // void OnLButtonDown(UINT, CPoint)
#define ON_WM_LBUTTONUP()                                                                          \
    ZIVRA_ON_WM(WM_LBUTTONUP, V_Mouse, OnLButtonUp) // void OnLButtonUp(UINT, CPoint)
#define ON_WM_LBUTTONDBLCLK()                                                                      \
    ZIVRA_ON_WM(WM_LBUTTONDBLCLK, V_Mouse, OnLButtonDblClk) // void OnLButtonDblClk(UINT, CPoint)
#define ON_WM_RBUTTONDOWN()                                                                        \
    ZIVRA_ON_WM(WM_RBUTTONDOWN, V_Mouse, OnRButtonDown) // void OnRButtonDown(UINT, CPoint)
#define ON_WM_RBUTTONUP()                                                                          \
    ZIVRA_ON_WM(WM_RBUTTONUP, V_Mouse, OnRButtonUp) // void OnRButtonUp(UINT, CPoint)
#define ON_WM_MBUTTONDBLCLK()                                                                      \
    ZIVRA_ON_WM(WM_MBUTTONDBLCLK, V_Mouse, OnMButtonDblClk) // void OnMButtonDblClk(UINT, CPoint)
#define ON_WM_MOUSEWHEEL()                                                                         \
    ZIVRA_ON_WM(WM_MOUSEWHEEL, B_Wheel,                                                            \
                OnMouseWheel) // BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
#define ON_WM_MOUSELEAVE() ZIVRA_ON_WM(WM_MOUSELEAVE, V_V, OnMouseLeave) // void OnMouseLeave()
#define ON_WM_NCLBUTTONDOWN()                                                                      \
    ZIVRA_ON_WM(WM_NCLBUTTONDOWN, V_Mouse,                                                         \
                OnNcLButtonDown) // void OnNcLButtonDown(UINT nHitTest, CPoint screenPoint)
#define ON_WM_NCRBUTTONDOWN()                                                                      \
    ZIVRA_ON_WM(WM_NCRBUTTONDOWN, V_Mouse, OnNcRButtonDown) // void OnNcRButtonDown(UINT, CPoint)
#define ON_WM_NCMBUTTONDOWN()                                                                      \
    ZIVRA_ON_WM(WM_NCMBUTTONDOWN, V_Mouse, OnNcMButtonDown) // void OnNcMButtonDown(UINT, CPoint)
#define ON_WM_NCMOUSEMOVE()                                                                        \
    ZIVRA_ON_WM(WM_NCMOUSEMOVE, V_Mouse, OnNcMouseMove) // void OnNcMouseMove(UINT, CPoint)
#define ON_WM_NCHITTEST()                                                                          \
    ZIVRA_ON_WM(WM_NCHITTEST, L_HitTest, OnNcHitTest) // LRESULT OnNcHitTest(CPoint screenPoint)
#define ON_WM_KEYDOWN()                                                                            \
    ZIVRA_ON_WM(WM_KEYDOWN, V_Key,                                                                 \
                OnKeyDown) // void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYUP() ZIVRA_ON_WM(WM_KEYUP, V_Key, OnKeyUp) // void OnKeyUp(UINT, UINT, UINT)
#define ON_WM_CHAR()                                                                               \
    ZIVRA_ON_WM(WM_CHAR, V_Key, OnChar) // void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_SYSKEYDOWN()                                                                         \
    ZIVRA_ON_WM(WM_SYSKEYDOWN, V_Key, OnSysKeyDown) // void OnSysKeyDown(UINT, UINT, UINT)
#define ON_WM_SYSKEYUP()                                                                           \
    ZIVRA_ON_WM(WM_SYSKEYUP, V_Key, OnSysKeyUp) // void OnSysKeyUp(UINT, UINT, UINT)
#define ON_WM_SYSCHAR()                                                                            \
    ZIVRA_ON_WM(WM_SYSCHAR, V_Key, OnSysChar) // void OnSysChar(UINT, UINT, UINT)
#define ON_WM_SETFOCUS()                                                                           \
    ZIVRA_ON_WM(WM_SETFOCUS, V_Focus, OnSetFocus) // void OnSetFocus(CWnd* pOldWnd)
#define ON_WM_KILLFOCUS()                                                                          \
    ZIVRA_ON_WM(WM_KILLFOCUS, V_Focus, OnKillFocus) // void OnKillFocus(CWnd* pNewWnd)
#define ON_WM_SETCURSOR()                                                                          \
    ZIVRA_ON_WM(WM_SETCURSOR, B_SetCursor,                                                         \
                OnSetCursor) // BOOL OnSetCursor(CWnd*, UINT nHitTest, UINT message)
#define ON_WM_CONTEXTMENU()                                                                        \
    ZIVRA_ON_WM(WM_CONTEXTMENU, V_Context,                                                         \
                OnContextMenu) // void OnContextMenu(CWnd*, CPoint screenPoint)
#define ON_WM_CAPTURECHANGED()                                                                     \
    ZIVRA_ON_WM(WM_CAPTURECHANGED, V_WndL, OnCaptureChanged) // void OnCaptureChanged(CWnd*)
#define ON_WM_CANCELMODE() ZIVRA_ON_WM(WM_CANCELMODE, V_V, OnCancelMode) // void OnCancelMode()
#define ON_WM_HELPINFO() ZIVRA_ON_WM(WM_HELP, B_HelpInfo, OnHelpInfo) // BOOL OnHelpInfo(HELPINFO*)
#define ON_WM_GETDLGCODE() ZIVRA_ON_WM(WM_GETDLGCODE, U_V, OnGetDlgCode) // UINT OnGetDlgCode()
#define ON_WM_SYSCOLORCHANGE()                                                                     \
    ZIVRA_ON_WM(WM_SYSCOLORCHANGE, V_V, OnSysColorChange) // void OnSysColorChange()
#define ON_WM_SETTINGCHANGE()                                                                      \
    ZIVRA_ON_WM(WM_SETTINGCHANGE, V_Setting, OnSettingChange) // void OnSettingChange(UINT, LPCTSTR)
#define ON_WM_ACTIVATEAPP()                                                                        \
    ZIVRA_ON_WM(WM_ACTIVATEAPP, V_ActivateApp,                                                     \
                OnActivateApp) // void OnActivateApp(BOOL bActive, DWORD dwThreadID)
#define ON_WM_QUERYNEWPALETTE()                                                                    \
    ZIVRA_ON_WM(WM_QUERYNEWPALETTE, B_V, OnQueryNewPalette) // BOOL OnQueryNewPalette()
#define ON_WM_PALETTECHANGED()                                                                     \
    ZIVRA_ON_WM(WM_PALETTECHANGED, V_Focus,                                                        \
                OnPaletteChanged) // void OnPaletteChanged(CWnd* pFocusWnd)
#define ON_WM_WINDOWPOSCHANGED()                                                                   \
    ZIVRA_ON_WM(WM_WINDOWPOSCHANGED, V_PosChanged,                                                 \
                OnWindowPosChanged) // void OnWindowPosChanged(WINDOWPOS*)
#define ON_WM_MENUSELECT()                                                                         \
    ZIVRA_ON_WM(WM_MENUSELECT, V_MenuSelect,                                                       \
                OnMenuSelect) // void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
#define ON_WM_MENUCHAR()                                                                           \
    ZIVRA_ON_WM(WM_MENUCHAR, L_MenuChar,                                                           \
                OnMenuChar) // LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu*)
#define ON_WM_INITMENUPOPUP()                                                                      \
    ZIVRA_ON_WM(WM_INITMENUPOPUP, V_InitMenuPopup,                                                 \
                OnInitMenuPopup) // void OnInitMenuPopup(CMenu*, UINT nIndex, BOOL bSysMenu)
#define ON_WM_MEASUREITEM()                                                                        \
    ZIVRA_ON_WM(WM_MEASUREITEM, V_Measure,                                                         \
                OnMeasureItem) // void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT)
#define ON_WM_DRAWITEM()                                                                           \
    ZIVRA_ON_WM(WM_DRAWITEM, V_Draw, OnDrawItem) // void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT)
#define ON_WM_DELETEITEM()                                                                         \
    ZIVRA_ON_WM(WM_DELETEITEM, V_Delete,                                                           \
                OnDeleteItem) // void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT)
#define ON_WM_COMPAREITEM()                                                                        \
    ZIVRA_ON_WM(WM_COMPAREITEM, I_Compare,                                                         \
                OnCompareItem) // int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT)
#define ON_WM_VKEYTOITEM()                                                                         \
    ZIVRA_ON_WM(WM_VKEYTOITEM, I_ListKey,                                                          \
                OnVKeyToItem) // int OnVKeyToItem(UINT nKey, CListBox*, UINT nIndex)
#define ON_WM_CHARTOITEM()                                                                         \
    ZIVRA_ON_WM(WM_CHARTOITEM, I_ListKey,                                                          \
                OnCharToItem) // int OnCharToItem(UINT nChar, CListBox*, UINT nIndex)
#define ON_WM_HSCROLL()                                                                            \
    ZIVRA_ON_WM(WM_HSCROLL, V_Scroll,                                                              \
                OnHScroll) // void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
#define ON_WM_VSCROLL()                                                                            \
    ZIVRA_ON_WM(WM_VSCROLL, V_Scroll,                                                              \
                OnVScroll) // void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
#define ON_WM_CTLCOLOR()                                                                           \
    ZIVRA_ON_WM(WM_CTLCOLOR, H_CtlColor,                                                           \
                OnCtlColor) // HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor)

// A control's own messages reflected back from its parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    ZIVRA_ON_WM(WM_REFLECT_BASE + WM_CTLCOLOR, H_CtlColorReflect,                                  \
                CtlColor) // HBRUSH CtlColor(CDC*, UINT nCtlColor)
#define ON_WM_HSCROLL_REFLECT()                                                                    \
    ZIVRA_ON_WM(WM_REFLECT_BASE + WM_HSCROLL, V_ScrollReflect,                                     \
                HScroll) // void HScroll(UINT nSBCode, UINT nPos)
#define ON_WM_VSCROLL_REFLECT()                                                                    \
    ZIVRA_ON_WM(WM_REFLECT_BASE + WM_VSCROLL, V_ScrollReflect,                                     \
                VScroll) // void VScroll(UINT nSBCode, UINT nPos)
