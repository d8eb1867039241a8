#pragma once
#include "framework/core/Geometry.h"
#include "framework/win/CGdiObject.h"
#include "framework/win/Controls.h"

// A flat owner-drawn button with an icon, a bitmap or text: a raised frame appears while the
// pointer is over it (checked every 10 ms while it is), a sunken one while it is pressed.
class CHoverButton : public CButton {
    DECLARE_DYNAMIC(CHoverButton)
public:
    CHoverButton();

    // The font (nullptr: the button's own, the system's message font) and the face and text
    // colours; the shadow becomes the dark shadow colour.
    void SetAppearance(CFont* pFont, COLORREF clrFace, COLORREF clrText);
    // The icon shown pressed (nullptr: the normal one, shifted) and the icons' size.
    void SetPushedIcon(HICON hIcon) { m_hPushedIcon = hIcon; }
    void SetIconSize(CSize size) { m_sizeIcon = size; }
    // The hover frame is on the screen.
    BOOL IsHoverFramed() const { return m_bPainted; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    BOOL m_bFlat = TRUE;

protected:
    virtual void PaintIconPart(CDC* pDC, UINT nState, const CRect& rect);
    virtual void PaintBitmapPart(CDC* pDC, UINT nState, const CRect& rect);
    virtual void PaintTextPart(CDC* pDC, UINT nState, const CRect& rect);
    void PreSubclassWindow() override;
    // Draws or takes away the hover frame as the pointer is over the button or not.
    void CheckHover();
    void ReadColours();
    CFont* GetDrawFont();

    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSysColorChange();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    BOOL m_bButtonHeld = FALSE;
    CSize m_sizeIcon{16, 16};
    COLORREF m_clrHilite, m_clrShadow, m_clrDkShadow, m_clrFace, m_clrGrayText, m_clrText;
    BOOL m_bPainted = FALSE;
    HICON m_hPushedIcon = nullptr;
    CFont* m_pFont = nullptr;
    CFont m_font;
    HCURSOR m_hCursor;

    DECLARE_MESSAGE_MAP()
};

// The push pin at a caption strip's right end: its text, then a small arrow pointing down.
class CPinButton : public CHoverButton {
    DECLARE_DYNAMIC(CPinButton)
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void OnSysColorChange();
    DECLARE_MESSAGE_MAP()
};
