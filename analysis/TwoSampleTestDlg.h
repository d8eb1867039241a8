#pragma once
#include "analysis/ListComparison.h"
#include "framework/win/CDialog.h"

#include <vector>

class CDataColumn;

// The two-list comparison: the two lists (any of the project's, or fixed to a table's first two
// columns) and the tests to run. The tests that pair values are offered only for lists of one
// length. OK refuses a list compared with itself.
class CTwoSampleTestDlg : public CDialog {
public:
    // bFixed: lists holds the two columns to compare, each box offering one.
    CTwoSampleTestDlg(const std::vector<CDataColumn*>& lists, BOOL bFixed, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_Tests[ListTestCount] = {}; // ticked tests, by ListTest
    CDataColumn* m_pList1 = nullptr;
    CDataColumn* m_pList2 = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnListChanged();
    void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    // The paired tests' boxes follow whether the chosen lists have one length.
    void EnablePairedTests();

    std::vector<CDataColumn*> m_Lists;
    BOOL m_bFixed;
};
