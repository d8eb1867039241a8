#pragma once
#include "framework/core/CString.h"
#include "framework/win/CGdiObject.h"
#include "framework/win/Controls.h"
#include "ui/HoverButton.h"

class CPushPinPopup;

// Messages of the push pin (wParam and lParam 0): posted by the pop-up to its strip and sent
// by the strip to its notify window.
constexpr UINT WM_PUSHPIN_PINNED = 2025; // pinned: the pane stays
constexpr UINT WM_PUSHPIN_CLOSED = 2026; // closed without pinning

// Caption style bits of CCaptionBar::Create.
constexpr DWORD CAPTION_RAISED = 0x1; // a raised frame around the strip

// A thin caption strip over a pane: an icon, a title ending in an ellipsis when it does not
// fit, and at the right end a push pin, hidden unless a pane is set to be shown through it:
// pressing it shows that pane's view in a small pop-up under the strip until the user pins it
// or leaves it.
class CCaptionBar : public CStatic {
    DECLARE_DYNAMIC(CCaptionBar)
public:
    CCaptionBar();
    ~CCaptionBar() override;

    // dwCaptionStyle: CAPTION_RAISED, or else extended window styles for the strip.
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwCaptionStyle = 0);
    // Each argument that is 0 or nullptr keeps what the strip has.
    void SetAppearance(int nInset, CFont* pFont, LPCTSTR lpszCaption, HICON hIcon);
    // Shows the new caption and icon at once (nullptr and 0 keep them).
    void SetCaption(LPCTSTR lpszCaption, HICON hIcon);
    // The background, shadow and inset colours.
    void SetColours(COLORREF clrFace, COLORREF clrShadow, COLORREF clrInset);
    // The pane the push pin shows: pView within rectPane (screen), pNotify told of 2025 and
    // 2026. The pin button then shows.
    void SetPushPinPane(CWnd* pView, CWnd* pNotify, const CRect& rectPane);

    const CString& GetCaption() const { return m_strCaption; }
    CPushPinPopup* GetPopup() const { return m_pPopup; }
    CPinButton& GetPinButton() { return m_wndPin; }
    // Draws the whole strip into pDC.
    void DrawStrip(CDC* pDC);
    // The pop-up's window is going, however it came to that.
    void OnPopupGone(const CPushPinPopup* pPopup);

protected:
    CFont* GetDrawFont() { return m_pFont ? m_pFont : &m_font; }
    void ClosePopup();

    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnSysColorChange();
    void OnSize(UINT nType, int cx, int cy);
    void OnPin();
    LRESULT OnPinned(WPARAM wParam, LPARAM lParam);
    LRESULT OnClosed(WPARAM wParam, LPARAM lParam);

    COLORREF m_clrHilite, m_clrShadow, m_clrFace, m_clrInset, m_clrText;
    int m_nInset = 0;
    CFont* m_pFont = nullptr;
    CFont m_font;
    HICON m_hIcon = nullptr;
    CString m_strCaption;
    CSize m_sizeIcon{16, 16};
    CWnd* m_pDockedView = nullptr;
    CWnd* m_pNotifyWnd = nullptr;
    CPinButton m_wndPin;
    CPushPinPopup* m_pPopup = nullptr;
    CRect m_rectPane;
    DWORD m_dwCaptionStyle = 0;

    DECLARE_MESSAGE_MAP()
};
