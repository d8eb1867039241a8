#pragma once
#include "framework/win/CDialog.h"
#include "framework/win/Controls.h"

#include <vector>

// Insert Function: the user picks a function by category (the favourites first, then the
// catalogue's categories) and reads its syntax and description; OK (or a double click) gives
// the chosen name.
class CInsertFunctionDlg : public CDialog {
    DECLARE_DYNAMIC(CInsertFunctionDlg)
public:
    explicit CInsertFunctionDlg(const std::vector<CString>& favorites, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    CString m_strFunction; // the chosen name; empty when none was chosen

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCategoryChange();
    void OnFunctionChange();
    void OnFunctionDoubleClick();
    DECLARE_MESSAGE_MAP()

private:
    std::vector<CString> m_Favorites;
    CListBox m_Functions;
    CListBox m_Categories;
};
