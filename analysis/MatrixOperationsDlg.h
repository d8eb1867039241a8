#pragma once
#include "framework/win/CDialog.h"

#include <vector>

class CMatrixObject;

// "Perform matrix operation": two of the project's matrices, the sum, difference or product,
// and the result's name, which follows the choices until the user types another. Execute
// checks the name and the shapes and ends the dialog with IDOK; Close ends it with IDCANCEL.
class CMatrixOperationsDlg : public CDialog {
public:
    explicit CMatrixOperationsDlg(const std::vector<const CMatrixObject*>& matrices,
                                  CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    int m_nFirst = 0;
    int m_nSecond = 0;
    int m_nOperation = 0; // MatrixAdd, MatrixSubtract, MatrixMultiply
    CString m_strResult;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnChoiceChanged();
    void OnExecute();
    void OnCloseButton();
    void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    std::vector<const CMatrixObject*> m_Matrices;
};
