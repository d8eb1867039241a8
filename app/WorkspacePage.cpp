#include "app/WorkspacePage.h"

#include "app/RichWorkspace.h"
#include "app/WorkspaceWords.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/DataExchange.h"
#include "framework/win/MessageCrackers.h"
#include "res/AppIds.h"

IMPLEMENT_DYNCREATE(CWorkspacePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CWorkspacePage, CPropertyPage)
ON_BN_CLICKED(IDC_WORKSPACE_FONT, &CWorkspacePage::OnFont)
END_MESSAGE_MAP()

namespace {

struct ColourControl {
    int nID;
    COLORREF WorkspaceSettings::*field;
};
constexpr ColourControl kColourControls[8] = {
    {IDC_WORKSPACE_VAR_COLOR, &WorkspaceSettings::VarColor},
    {IDC_WORKSPACE_UF_COLOR, &WorkspaceSettings::UFColor},
    {IDC_WORKSPACE_UC_COLOR, &WorkspaceSettings::UCColor},
    {IDC_WORKSPACE_DEFAULT_COLOR, &WorkspaceSettings::DefaultColor},
    {IDC_WORKSPACE_COMMENT_COLOR, &WorkspaceSettings::CommentColor},
    {IDC_WORKSPACE_PF_COLOR, &WorkspaceSettings::PFColor},
    {IDC_WORKSPACE_PC_COLOR, &WorkspaceSettings::PCColor},
    {IDC_WORKSPACE_BACK_COLOR, &WorkspaceSettings::BackColor},
};

struct PopupControl {
    int nID;
    unsigned bit;
};
constexpr PopupControl kPopupControls[5] = {
    {IDC_WORKSPACE_POPUP_PF, PopupBuiltinFunctions},
    {IDC_WORKSPACE_POPUP_PC, PopupBuiltinConstants},
    {IDC_WORKSPACE_POPUP_UF, PopupUserFunctions},
    {IDC_WORKSPACE_POPUP_UC, PopupUserConstants},
    {IDC_WORKSPACE_POPUP_VAR, PopupVariables},
};

// The first radio, "Always", shows tips for functions of any number of arguments.
constexpr int kSyntaxAlways = 0;

} // namespace

CWorkspacePage::CWorkspacePage() : CPropertyPage(IDD_WORKSPACE_PAGE) {}

CProfileStore& CWorkspacePage::Store() { return m_pStore ? *m_pStore : m_registry; }

BOOL CWorkspacePage::OnInitDialog()
{
    // Without a workspace the page shows what is stored, so that OK keeps it.
    if (m_pView)
        m_settings = m_pView->GetSettings();
    else
        ReadWorkspaceSettings(Store(), m_settings);
    const WorkspaceSettings& settings = m_settings;
    for (int i = 0; i < 8; ++i)
        m_Colours[i].SetColour(ColourForPicker(settings.*kColourControls[i].field));
    for (int i = 0; i < 5; ++i)
        m_bPopup[i] = (settings.PopupOptions & kPopupControls[i].bit) ? 1 : 0;
    m_nFunctionSyntax = settings.PopupFunction ? kSyntaxAlways : 1;
    const BOOL bResult = CPropertyPage::OnInitDialog();
    if (CFont* pFont = GetFont())
        pFont->GetLogFont(&m_font);
    m_font.lfHeight = settings.FontSize;
    ::lstrcpynA(m_font.lfFaceName, settings.FontFaceName, LF_FACESIZE);
    return bResult;
}

void CWorkspacePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    for (int i = 0; i < 8; ++i)
        DDX_Control(pDX, kColourControls[i].nID, m_Colours[i]);
    for (int i = 0; i < 5; ++i)
        DDX_Check(pDX, kPopupControls[i].nID, m_bPopup[i]);
    DDX_Radio(pDX, IDC_WORKSPACE_SYNTAX_ALWAYS, m_nFunctionSyntax);
}

void CWorkspacePage::OnFont()
{
    CFontDialog dialog(&m_font, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT, nullptr, this);
    if (dialog.DoModal() == IDOK)
        dialog.GetCurrentFont(&m_font);
}

void CWorkspacePage::OnOK()
{
    const WorkspaceSettings defaults;
    WorkspaceSettings settings = m_settings;
    for (int i = 0; i < 8; ++i) {
        COLORREF WorkspaceSettings::*field = kColourControls[i].field;
        settings.*field = ColourFromPicker(m_Colours[i].GetColour(), defaults.*field);
    }
    settings.FontSize = ClampWorkspaceFontSize(int(m_font.lfHeight));
    char face[LF_FACESIZE] = {};
    ::lstrcpynA(face, m_font.lfFaceName, LF_FACESIZE);
    settings.FontFaceName = face[0] ? CString(face) : defaults.FontFaceName;
    if (m_nFunctionSyntax >= 0)
        settings.PopupFunction = m_nFunctionSyntax == kSyntaxAlways ? 1 : 0;
    settings.PopupOptions = 0;
    for (int i = 0; i < 5; ++i)
        if (m_bPopup[i])
            settings.PopupOptions |= kPopupControls[i].bit;

    WriteWorkspaceSettings(Store(), settings);
    if (m_pView)
        m_pView->ApplySettings(settings);
    CPropertyPage::OnOK();
}
