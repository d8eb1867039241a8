#pragma once
#include "framework/core/CString.h"
#include "framework/win/CGdiObject.h"
#include "framework/win/CWnd.h"

class CDC;

// The workspace's tip: a borderless top-most pop-up that shows one line of text in a black
// frame on pale yellow, under the caret, without taking the activation. Its window text is
// what it shows.
class CTipWnd : public CWnd {
public:
    CTipWnd();

    // The pop-up, owned by pParent, and its font.
    BOOL Create(CWnd* pParent);
    // Shows text with its top-left corner at the screen point; with bHideOnClick a press of
    // any mouse button inside hides it.
    void Show(const CString& text, POINT screenPoint, BOOL bHideOnClick);
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

    DECLARE_MESSAGE_MAP()
};
