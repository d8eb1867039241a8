#pragma once
#include "framework/win/CDialog.h"

#include <vector>

// "Sort" for a data table: the order, the key column and whether only that column is sorted.
// Ticking "Sort selected column only" warns that paired rows come apart.
class CSortDlg : public CDialog {
public:
    CSortDlg(const std::vector<CString>& columnNames, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    int m_nOrder = 0; // 0 ascending, 1 descending
    int m_bColumnOnly = 0;
    int m_nKey = 0; // the key column's index

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnColumnOnly();
    DECLARE_MESSAGE_MAP()

private:
    std::vector<CString> m_ColumnNames;
};
