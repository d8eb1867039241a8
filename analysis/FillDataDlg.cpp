#include "analysis/FillDataDlg.h"

#include "analysis/DialogWarning.h"
#include "res/resource.h"

CFillDataDlg::CFillDataDlg(CCalcEngine& engine, CWnd* pParent)
    : CFillDataDlg(IDD_FILL_DATA, IDC_FILL_EXPRESSION, FALSE, engine, pParent)
{
}

CFillDataDlg::CFillDataDlg(UINT nIDTemplate, UINT nIDField, BOOL bRefuseEmpty, CCalcEngine& engine,
                           CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_Engine(engine), m_nField(nIDField),
      m_bRefuseEmpty(bRefuseEmpty)
{
}

void CFillDataDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, int(m_nField), m_strExpression);
}

void CFillDataDlg::OnOK()
{
    if (!UpdateData(TRUE) || !AcceptOrWarn(*this, CheckDataExpression(m_Engine, m_strExpression,
                                                                      m_bRefuseEmpty, m_nField)))
        return;
    EndDialog(IDOK);
}

CTransformDlg::CTransformDlg(CCalcEngine& engine, CWnd* pParent)
    : CFillDataDlg(IDD_TRANSFORM_DATA, IDC_TRANSFORM_EXPRESSION, TRUE, engine, pParent)
{
}
