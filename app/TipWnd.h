#pragma once
#include "framework/core/CString.h"
#include "framework/win/CGdiObject.h"
#include "framework/win/CWnd.h"
#include "ui/SubclassWnd.h"

class CDC;
class CTipWnd;

// Watches the frame window a tip belongs to: a tip left where the frame was would float over
// whatever lies there now, so the frame's move or resize hides it.
class CTipFrameWatch : public CSubclassWnd {
public:
    explicit CTipFrameWatch(CTipWnd& tip) : m_tip(tip) {}
    // Watches hFrame from where it stands now.
    void Watch(HWND hFrame);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CTipWnd& m_tip;
    RECT m_rectFrame{};
};

// The workspace's tip: a borderless top-most pop-up that shows one line of text in a black
// frame on pale yellow, under the caret, without taking the activation. Its window text is
// what it shows.
class CTipWnd : public CWnd {
public:
    CTipWnd();

    // The pop-up, owned by pParent, and its font.
    BOOL Create(CWnd* pParent);
    // Shows text with its top-left corner at the screen point below a line whose top is
    // nLineTop, kept inside the work area of the point's monitor (PlaceTip); with bHideOnClick
    // a press of any mouse button inside hides it. Until it hides, a move or resize of the
    // parent's frame hides it.
    void Show(const CString& text, POINT screenPoint, int nLineTop, BOOL bHideOnClick);
    void Hide();
    BOOL IsShown() const { return m_bShown; }
    const CString& GetText() const { return m_strText; }

protected:
    // The window grows or shrinks to the text and its margins.
    void SetText(const CString& text);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    // A black frame, the background inside it and the text at the margins.
    void Draw(CDC& dc);
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam);

    COLORREF m_crBackground = 0xF2FFFF;
    CString m_strText;
    SIZE m_sizeWindow = {1, 1};
    SIZE m_sizeText = {0, 0};
    int m_nMarginX = 2;
    int m_nMarginY = 2;
    CFont m_font;
    BOOL m_bShown = FALSE;
    BOOL m_bHideOnClick = FALSE;
    CWnd* m_pParent = nullptr; // its window handle changes when a view takes a new control
    CTipFrameWatch m_frameWatch{*this};

    DECLARE_MESSAGE_MAP()
};
