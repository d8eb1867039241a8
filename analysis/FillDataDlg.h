#pragma once
#include "framework/win/CDialog.h"

class CCalcEngine;

// "Fill Data" and "Transform data": an expression of x applied to every value of the selected
// table, list or matrix. OK stays refused while the expression does not parse in the
// document's engine (Transform also refuses an empty text).
class CFillDataDlg : public CDialog {
public:
    CFillDataDlg(CCalcEngine& engine, CWnd* pParent = nullptr);

    void OnOK() override;

    CString m_strExpression;

protected:
    CFillDataDlg(UINT nIDTemplate, UINT nIDField, BOOL bRefuseEmpty, CCalcEngine& engine,
                 CWnd* pParent);
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CCalcEngine& m_Engine;
    UINT m_nField;
    BOOL m_bRefuseEmpty;
};

class CTransformDlg : public CFillDataDlg {
public:
    CTransformDlg(CCalcEngine& engine, CWnd* pParent = nullptr);
};
