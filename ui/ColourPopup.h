#pragma once
#include "framework/core/CString.h"
#include "framework/win/CGdiObject.h"
#include "framework/win/Controls.h"
#include "ui/ColourPopupLayout.h"

class CColourPicker;

// The palette pop-up of a colour button: "Automatic", 40 named swatches with tool tips and
// "More Colours..." (the system colour dialog). It holds the mouse capture while it is open,
// reports each highlighted colour to its button and ends once, with OK or cancel; the window
// deletes its object when it goes.
class CColourPopup : public CWnd {
public:
    // Opens the pop-up at point (screen) for pParent; nullptr when the window cannot be made.
    // An empty text leaves its box out.
    static CColourPopup* Open(CPoint point, COLORREF crInitial, CColourPicker* pParent,
                              LPCTSTR lpszDefaultText, LPCTSTR lpszCustomText);
    // Closes the pop-up without telling its button (the button is going away).
    void CancelSilently();
    // The arrow keys, Escape, Enter and Space, as the button passes them on.
    void HandleKey(UINT nChar);

    int GetCurrentBox() const { return m_nCurrentSel; }
    int GetChosenBox() const { return m_nChosenColourSel; }
    COLORREF GetCurrentColour() const { return m_crColour; }
    const CColourPopupLayout& GetLayout() const { return m_layout; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CColourPopup(COLORREF crInitial, CColourPicker* pParent, LPCTSTR lpszDefaultText,
                 LPCTSTR lpszCustomText);
    ~CColourPopup() override;
    BOOL CreatePopup(CPoint point);
    void PostNcDestroy() override;

    void SetWindowSize();
    void CreateToolTips();
    void ChangeSelection(int nBox);
    void EndSelection(UINT message);
    void DrawAll(CDC* pDC);
    void DrawCell(CDC* pDC, int nBox);
    void DrawTextBox(CDC* pDC, int nBox);
    void DrawSwatch(CDC* pDC, int nBox);
    void RedrawCell(int nBox);

    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* pFocusWnd);

    CColourPopupLayout m_layout;
    int m_nCurrentSel = kNoBox;
    int m_nChosenColourSel = kNoBox;
    CString m_strDefaultText;
    CString m_strCustomText;
    CFont m_Font;
    HPALETTE m_hPalette = nullptr;
    COLORREF m_crInitialColour;
    COLORREF m_crColour;
    CToolTipCtrl m_ToolTip;
    CColourPicker* m_pParent;
    BOOL m_bChildWindowVisible = FALSE; // the colour dialog is up
    BOOL m_bEnded = FALSE;              // OK or cancel has been sent

    DECLARE_MESSAGE_MAP()
};
