#pragma once
#include "framework/core/ProfileStore.h"
#include "framework/win/CPropertySheet.h"
#include "ui/ColourPicker.h"

class CGridCtrl;

// What the Grid options page edits: the data view's editable switch, its colours and its font.
struct GridViewOptions {
    BOOL bEditable = TRUE;
    COLORREF crBack = 0xFFFFFF;
    COLORREF crEditable = 0xF2FFFF;
    COLORREF crText = 0;
    LOGFONTA font{};
};

// The "Grid" page of the options sheet. On OK the options take the page's values ("Automatic"
// gives each colour its default), the "Grid" settings section is written, and a font chosen
// with "Font..." becomes the options' font and goes to the grid when there is one (the font is
// not stored). Nothing changes before OK.
class CGridOptionsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CGridOptionsPage)
public:
    CGridOptionsPage();
    CGridOptionsPage(GridViewOptions* pOptions, CProfileStore* pStore, CGridCtrl* pGrid = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    CPageColourPicker m_TextColour;
    CPageColourPicker m_EditableColour;
    CPageColourPicker m_BackColour;
    int m_bReadOnly = FALSE;
    LOGFONTA m_font{}; // the font the page will hand over

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnFont();
    DECLARE_MESSAGE_MAP()

private:
    GridViewOptions* m_pOptions = nullptr;
    CProfileStore* m_pStore = nullptr;
    CGridCtrl* m_pGrid = nullptr;
    BOOL m_bFontChosen = FALSE;
};
