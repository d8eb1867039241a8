#pragma once
#include "app/HyperLink.h"
#include "framework/win/CDialog.h"

// The About box: the program's name and version, and links to its support address and web page.
class CAboutDlg : public CDialog {
    DECLARE_DYNAMIC(CAboutDlg)
public:
    CAboutDlg();

    BOOL OnInitDialog() override;

    CHyperLink m_MailLink;
    CHyperLink m_WebLink;
    CString m_strVersion;
};
