#pragma once
#include "analysis/FitDialogRules.h"
#include "framework/win/CDialog.h"

class CNonlinearFit;

// "Initial Values" of a nonlinear fit: per parameter (up to twenty rows) its start value and
// the Auto and Constant switches, and the iteration limit. A fit of more parameters shows the
// rows as the template has them and changes only its limit. OK writes into the fit.
class CInitialValuesDlg : public CDialog {
public:
    explicit CInitialValuesDlg(CNonlinearFit& fit, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnAutoClicked(UINT nID);
    void OnConstantClicked(UINT nID);
    void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    // Rows that show a parameter: the parameter count, none above kInitialValueRows.
    int ShownRows() const;
    void EnableValue(int row, BOOL bEnable);

    CNonlinearFit& m_Fit;
    double m_Values[kInitialValueRows] = {};
    int m_Auto[kInitialValueRows] = {};
    int m_Constant[kInitialValueRows] = {};
    CString m_strIterations;
};
