#pragma once
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/win/Controls.h"
#include "ui/ColourTable.h"

class CColourPopup;

// What a colour button tells its parent (wParam the colour, lParam the button's id); the
// pop-up tells its button CPN_SELCHANGE, CPN_SELENDOK and CPN_SELENDCANCEL the same way.
constexpr UINT CPN_SELCHANGE = WM_USER + 1001;    // the highlighted colour changed
constexpr UINT CPN_DROPDOWN = WM_USER + 1002;     // the pop-up opened
constexpr UINT CPN_CLOSEUP = WM_USER + 1003;      // the pop-up closed
constexpr UINT CPN_SELENDOK = WM_USER + 1004;     // a colour was chosen
constexpr UINT CPN_SELENDCANCEL = WM_USER + 1005; // the choice was cancelled

// Which colour of the button the pop-up edits.
constexpr int CP_MODE_TEXT = 1;
constexpr int CP_MODE_BK = 2;

// An owner-drawn push button that shows a colour (white with "Automatic" for the automatic
// colour) and a drop-down arrow; a click opens the palette pop-up under it. While the pop-up
// is open the button has the keyboard and hands the keys on to it.
class CColourPicker : public CButton {
    DECLARE_DYNCREATE(CColourPicker)
public:
    CColourPicker();
    ~CColourPicker() override;

    // The text colour in text mode, else the back colour; kPickerAutomaticColour for "Automatic".
    COLORREF GetColour() const;
    void SetColour(COLORREF crColour);
    COLORREF GetBkColour() const { return m_crColourBk; }
    void SetBkColour(COLORREF crColourBk);
    COLORREF GetTextColour() const { return m_crColourText; }
    void SetTextColour(COLORREF crColourText);
    // With track selection the button shows each colour the pop-up highlights.
    void SetTrackSelection(BOOL bTracking) { m_bTrackSelection = bTracking; }
    BOOL GetTrackSelection() const { return m_bTrackSelection; }
    void SetSelectionMode(int nMode) { m_nSelectionMode = nMode; }
    int GetSelectionMode() const { return m_nSelectionMode; }

    // The open pop-up, or nullptr.
    CColourPopup* GetPopup() const { return m_pPopup; }
    // Called by the pop-up as it ends or its window goes, however that happens.
    void OnPopupClosed(CColourPopup* pPopup);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClicked();
    UINT OnGetDlgCode();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnSelChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelEndOK(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelEndCancel(WPARAM wParam, LPARAM lParam);

    void SetArrowRect();
    void NotifyParent(UINT message, COLORREF crColour);

    BOOL m_bActive = FALSE; // the pop-up is open: the button is drawn pressed
    BOOL m_bTrackSelection = FALSE;
    COLORREF m_crColourBk;
    COLORREF m_crColourText;
    int m_nSelectionMode = CP_MODE_BK;
    CRect m_ArrowRect;
    CString m_strDefaultText = "Automatic";
    CString m_strCustomText = "More Colours...";
    CColourPopup* m_pPopup = nullptr;

    DECLARE_MESSAGE_MAP()
};

// The colour button of the property pages: a picker bound to a dialog item.
class CPageColourPicker : public CColourPicker {
    DECLARE_DYNCREATE(CPageColourPicker)
};
