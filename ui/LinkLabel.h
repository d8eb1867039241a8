#pragma once
#include "framework/win/Controls.h"

// A static text that opens an address when clicked, like a link on a web page: drawn in the
// link colour, in the hover colour while the pointer is over it and in the visited colour once
// it has been opened; a failure is told with the shell's reason.
class CLinkLabel : public CStatic {
    DECLARE_DYNAMIC(CLinkLabel)
public:
    CLinkLabel();

    // The address opened on a click (the label's own text when none was given).
    void SetAddress(LPCTSTR lpszAddress) { m_strAddress = lpszAddress; }
    CString GetAddress() const;
    // Colours of the text: not yet opened, opened, and under the pointer.
    void SetColours(COLORREF crLink, COLORREF crVisited, COLORREF crHover);
    void SetVisited(BOOL bVisited = TRUE);
    BOOL GetVisited() const { return m_bVisited; }
    // The cursor over the label (nullptr: the arrow).
    void SetLinkCursor(HCURSOR hCursor) { m_hLinkCursor = hCursor; }
    HCURSOR GetLinkCursor() const { return m_hLinkCursor; }
    // The colour the text is drawn in now.
    COLORREF GetTextColour() const;
    BOOL IsHovering() const { return m_bOverControl; }

    // Opens the address as a click does: marks the label visited, or beeps and tells why not.
    void OpenLink();

    static constexpr COLORREF kLinkColour = RGB(0, 0, 238);
    static constexpr COLORREF kVisitedColour = RGB(85, 26, 139);
    static constexpr COLORREF kHoverColour = RGB(204, 0, 0);

protected:
    void PreSubclassWindow() override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnClicked() { OpenLink(); }
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void Repaint();
    DECLARE_MESSAGE_MAP()

    COLORREF m_crLink = kLinkColour;
    COLORREF m_crVisited = kVisitedColour;
    COLORREF m_crHover = kHoverColour;
    BOOL m_bOverControl = FALSE;
    BOOL m_bVisited = FALSE;
    CString m_strAddress;
    HCURSOR m_hLinkCursor;
};
