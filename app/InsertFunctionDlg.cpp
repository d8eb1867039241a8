#include "app/InsertFunctionDlg.h"

#include "app/GeneralDialogs.h"
#include "framework/win/MessageCrackers.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CInsertFunctionDlg, CDialog)

BEGIN_MESSAGE_MAP(CInsertFunctionDlg, CDialog)
ON_LBN_SELCHANGE(IDC_FUNCTION_CATEGORIES, &CInsertFunctionDlg::OnCategoryChange)
ON_LBN_SELCHANGE(IDC_FUNCTION_LIST, &CInsertFunctionDlg::OnFunctionChange)
ON_LBN_DBLCLK(IDC_FUNCTION_LIST, &CInsertFunctionDlg::OnFunctionDoubleClick)
END_MESSAGE_MAP()

CInsertFunctionDlg::CInsertFunctionDlg(const std::vector<CString>& favorites, CWnd* pParent)
    : CDialog(IDD_INSERT_FUNCTION, pParent), m_Favorites(favorites)
{
}

void CInsertFunctionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FUNCTION_LIST, m_Functions);
    DDX_Control(pDX, IDC_FUNCTION_CATEGORIES, m_Categories);
}

BOOL CInsertFunctionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const CString& name : InsertFunctionCategories())
        m_Categories.AddString(name);
    m_Categories.SetCurSel(0);
    OnCategoryChange();
    return TRUE;
}

void CInsertFunctionDlg::OnCategoryChange()
{
    m_Functions.ResetContent();
    for (const CString& name : InsertFunctionNames(m_Categories.GetCurSel(), m_Favorites))
        m_Functions.AddString(name);
    SetDlgItemText(IDC_FUNCTION_SYNTAX, "");
    SetDlgItemText(IDC_FUNCTION_DESCRIPTION, "");
}

// A favourite that is no catalogue function (a user function) has no text to show.
void CInsertFunctionDlg::OnFunctionChange()
{
    CString name, syntax, description;
    if (m_Functions.GetCurSel() >= 0)
        m_Functions.GetText(m_Functions.GetCurSel(), name);
    DescribeCatalogueFunction(name, syntax, description);
    SetDlgItemText(IDC_FUNCTION_SYNTAX, syntax);
    SetDlgItemText(IDC_FUNCTION_DESCRIPTION, description);
}

void CInsertFunctionDlg::OnFunctionDoubleClick() { OnOK(); }

void CInsertFunctionDlg::OnOK()
{
    if (m_Functions.GetCurSel() >= 0)
        m_Functions.GetText(m_Functions.GetCurSel(), m_strFunction);
    CDialog::OnOK();
}
