#pragma once
#include "framework/win/CWnd.h"

// The pop-up that shows the whole text of a cell too narrow for it while the mouse rests on
// the cell. It hides when the mouse leaves the cell, a button or key is pressed (the click
// goes on to the window underneath, a quick second click as a double click) or the program
// loses the focus.
class CTitleTip : public CWnd {
public:
    CTitleTip();
    ~CTitleTip() override;

    BOOL Create(CWnd* pParentWnd);
    void SetParentWnd(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }
    BOOL DestroyWindow() override;
    // Shows text over rectTitle (the parent's client coordinates) when it does not fit there.
    void Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset = 0, LPRECT lpHoverRect = nullptr,
              const LOGFONTA* lpLogFont = nullptr, COLORREF crTextClr = CLR_DEFAULT,
              COLORREF crBackClr = CLR_DEFAULT);
    void Hide();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    static constexpr const char* kClassName = "ZTitleTip";

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The window under a screen point, standing in the parent for the tip itself.
    CWnd* WindowUnder(CPoint screenPoint) const;

    CWnd* m_pParentWnd = nullptr;
    CRect m_rectTitle;
    CRect m_rectHover;
    DWORD m_dwLastLButtonDown = DWORD(-1);
    DWORD m_dwDblClickMsecs;
    BOOL m_bCreated = FALSE;
};
