#include "app/AboutDlg.h"

#include "framework/win/StringResource.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CAboutDlg, CDialog)

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString title, version;
    AfxLoadString(IDS_APP_TITLE, title);
    AfxLoadString(IDS_VERSION, version);
    SetWindowText("About " + title);
    m_strVersion.Format("%s %s", title.GetString(), version.GetString());
    SetDlgItemText(IDC_ABOUT_VERSION, m_strVersion);
    m_MailLink.Attach(IDC_ABOUT_MAIL, this);
    m_WebLink.Attach(IDC_ABOUT_WEB, this);
    return TRUE;
}
