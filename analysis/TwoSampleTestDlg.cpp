#include "analysis/TwoSampleTestDlg.h"

#include "analysis/DataColumn.h"
#include "analysis/FitDialogRules.h"
#include "framework/win/MessageCrackers.h"
#include "res/resource.h"

namespace {

// The box of each test, in ListTest order.
constexpr int kTestBoxes[ListTestCount] = {
    IDC_TEST_CHI_SQUARE,         IDC_TEST_F,         IDC_TEST_KENDALL_TAU,
    IDC_TEST_KOLMOGOROV_SMIRNOV, IDC_TEST_PAIRED_T,  IDC_TEST_CORRELATION,
    IDC_TEST_RANK_CORRELATION,   IDC_TEST_STUDENT_T, IDC_TEST_UNEQUAL_T,
};

} // namespace

BEGIN_MESSAGE_MAP(CTwoSampleTestDlg, CDialog)
ON_CBN_SELCHANGE(IDC_TEST_LIST1, &CTwoSampleTestDlg::OnListChanged)
ON_CBN_SELCHANGE(IDC_TEST_LIST2, &CTwoSampleTestDlg::OnListChanged)
ON_BN_CLICKED(IDC_TEST_HELP, &CTwoSampleTestDlg::OnHelp)
END_MESSAGE_MAP()

CTwoSampleTestDlg::CTwoSampleTestDlg(const std::vector<CDataColumn*>& lists, BOOL bFixed,
                                     CWnd* pParent)
    : CDialog(IDD_TWO_SAMPLE_TEST, pParent), m_Lists(lists), m_bFixed(bFixed)
{
}

BOOL CTwoSampleTestDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_Lists.empty() || (m_bFixed && m_Lists.size() < 2)) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    auto fill = [this](int nID, std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i)
            SendDlgItemMessage(nID, CB_ADDSTRING, 0,
                               reinterpret_cast<LPARAM>(m_Lists[i]->GetName().GetString()));
        SendDlgItemMessage(nID, CB_SETCURSEL, 0);
    };
    if (m_bFixed) {
        fill(IDC_TEST_LIST1, 0, 1);
        fill(IDC_TEST_LIST2, 1, 2);
        m_pList1 = m_Lists[0];
        m_pList2 = m_Lists[1];
    } else {
        fill(IDC_TEST_LIST1, 0, m_Lists.size());
        fill(IDC_TEST_LIST2, 0, m_Lists.size());
        m_pList1 = m_pList2 = m_Lists[0];
    }
    EnablePairedTests();
    return TRUE;
}

void CTwoSampleTestDlg::DoDataExchange(CDataExchange* pDX)
{
    for (int test = 0; test < ListTestCount; ++test)
        DDX_Check(pDX, kTestBoxes[test], m_Tests[test]);
}

void CTwoSampleTestDlg::OnListChanged()
{
    if (m_bFixed)
        return;
    const auto first = int(SendDlgItemMessage(IDC_TEST_LIST1, CB_GETCURSEL));
    const auto second = int(SendDlgItemMessage(IDC_TEST_LIST2, CB_GETCURSEL));
    if (first < 0 || second < 0 || first >= int(m_Lists.size()) || second >= int(m_Lists.size()))
        return;
    m_pList1 = m_Lists[std::size_t(first)];
    m_pList2 = m_Lists[std::size_t(second)];
    if (m_pList1 != m_pList2)
        EnablePairedTests();
}

void CTwoSampleTestDlg::EnablePairedTests()
{
    const BOOL bSameLength = m_pList1->GetCount() == m_pList2->GetCount();
    for (int test = 0; test < ListTestCount; ++test)
        if (IsPairedListTest(test))
            if (CWnd* pBox = GetDlgItem(kTestBoxes[test]))
                pBox->EnableWindow(bSameLength);
}

void CTwoSampleTestDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pList1 == m_pList2) {
        AfxMessageBox(kSelectTwoListsText, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    EndDialog(IDOK);
}

void CTwoSampleTestDlg::OnHelp() { WinHelp(IDD_TWO_SAMPLE_TEST); }
