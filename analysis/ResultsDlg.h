#pragma once
#include "framework/win/CDialog.h"
#include "grid/CDataGridCtrl.h"

class CAnalysisResult;

// "Results": an analysis report in a read-only grid over the holder frame, with Print, Copy, Help
// and the "Log results in workspace" box. The report is shown, not owned.
class CResultsDlg : public CDialog {
public:
    explicit CResultsDlg(const CAnalysisResult& result, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    CDataGridCtrl& GetGrid() { return m_Grid; }

    int m_bLog = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCopy();
    void OnPrint();
    // The help file's page of the dialog.
    void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    CWnd m_Holder;
    CDataGridCtrl m_Grid;
    const CAnalysisResult& m_Result;
};
