#pragma once
#include "framework/win/CDialog.h"

// "Add new matrix": the name and the size of a new matrix, or only the new size of a matrix
// (resizing ignores the name). OK stays refused until the name is given, both counts are above 0
// and the matrix holds at most a million elements.
class CAddMatrixDlg : public CDialog {
public:
    explicit CAddMatrixDlg(BOOL bResize = FALSE, CWnd* pParent = nullptr);

    void OnOK() override;

    CString m_strName;
    int m_nColumns = 0;
    int m_nRows = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    BOOL m_bResize;
};
