#include "grid/CGridOptionsPage.h"

#include "framework/win/CommonDialogs.h"
#include "framework/win/MessageCrackers.h"
#include "grid/CGridCtrl.h"
#include "grid/GridSettings.h"
#include "res/GridIds.h"

IMPLEMENT_DYNCREATE(CGridOptionsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CGridOptionsPage, CPropertyPage)
ON_BN_CLICKED(IDC_GRID_FONT, &CGridOptionsPage::OnFont)
END_MESSAGE_MAP()

CGridOptionsPage::CGridOptionsPage() : CPropertyPage(IDD_GRID_OPTIONS) {}

CGridOptionsPage::CGridOptionsPage(GridViewOptions* pOptions, CProfileStore* pStore,
                                   CGridCtrl* pGrid)
    : CPropertyPage(IDD_GRID_OPTIONS), m_pOptions(pOptions), m_pStore(pStore), m_pGrid(pGrid)
{
}

BOOL CGridOptionsPage::OnInitDialog()
{
    if (m_pOptions) {
        m_BackColour.SetColour(GridColourForButton(m_pOptions->crBack));
        m_TextColour.SetColour(GridColourForButton(m_pOptions->crText));
        m_EditableColour.SetColour(GridColourForButton(m_pOptions->crEditable));
        m_bReadOnly = !m_pOptions->bEditable;
        m_font = m_pOptions->font;
    }
    return CPropertyPage::OnInitDialog();
}

void CGridOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GRID_TEXT_COLOR, m_TextColour);
    DDX_Control(pDX, IDC_GRID_EDITABLE_COLOR, m_EditableColour);
    DDX_Control(pDX, IDC_GRID_BACK_COLOR, m_BackColour);
    DDX_Check(pDX, IDC_GRID_READ_ONLY, m_bReadOnly);
}

void CGridOptionsPage::OnOK()
{
    GridSettings defaults;
    GridSettings settings;
    settings.nEditable = !m_bReadOnly;
    settings.nBackColor =
        int(GridColourToStore(m_BackColour.GetColour(), COLORREF(defaults.nBackColor)));
    settings.nEditableColor =
        int(GridColourToStore(m_EditableColour.GetColour(), COLORREF(defaults.nEditableColor)));
    settings.nTextColor =
        int(GridColourToStore(m_TextColour.GetColour(), COLORREF(defaults.nTextColor)));
    if (m_pOptions) {
        m_pOptions->bEditable = settings.nEditable;
        m_pOptions->crBack = COLORREF(settings.nBackColor);
        m_pOptions->crEditable = COLORREF(settings.nEditableColor);
        m_pOptions->crText = COLORREF(settings.nTextColor);
        if (m_bFontChosen)
            m_pOptions->font = m_font;
    }
    if (m_pStore)
        WriteGridSettings(*m_pStore, settings);
    // The grid makes its own font objects from the description: this one may go at once.
    if (m_bFontChosen && m_pGrid && ::IsWindow(m_pGrid->m_hWnd)) {
        CFont font;
        if (font.CreateFontIndirect(&m_font))
            m_pGrid->SendMessage(WM_SETFONT, WPARAM(font.GetSafeHandle()), TRUE);
    }
    CPropertyPage::OnOK();
}

void CGridOptionsPage::OnFont()
{
    CFontDialog dialog(&m_font, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetCurrentFont(&m_font);
    m_bFontChosen = TRUE;
}
