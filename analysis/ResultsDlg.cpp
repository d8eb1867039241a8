#include "analysis/ResultsDlg.h"

#include "analysis/DataDialogRules.h"
#include "framework/win/MessageCrackers.h"
#include "plot/AnalysisResult.h"
#include "res/resource.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CResultsDlg, CDialog)
ON_BN_CLICKED(IDC_RESULTS_COPY, &CResultsDlg::OnCopy)
ON_BN_CLICKED(IDC_RESULTS_PRINT, &CResultsDlg::OnPrint)
ON_BN_CLICKED(IDC_RESULTS_HELP, &CResultsDlg::OnHelp)
END_MESSAGE_MAP()

namespace {

constexpr UINT kGridId = 115;
constexpr int kTitleRowHeight = 25;
constexpr int kLabelColumnWidth = 200;

// The report's rows in the dialog's grid.
class ResultRows : public IResultGrid {
public:
    explicit ResultRows(CDataGridCtrl& grid) : m_grid(grid) {}
    void SetItemString(int row, int column, const CString& text) override
    {
        m_grid.SetItemString(row, column, text);
    }
    void SetItemInt(int row, int column, int value) override
    {
        m_grid.SetItemInt(row, column, value);
    }

private:
    CDataGridCtrl& m_grid;
};

} // namespace

CResultsDlg::CResultsDlg(const CAnalysisResult& result, CWnd* pParent)
    : CDialog(IDD_RESULTS, pParent), m_Result(result)
{
}

void CResultsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_RESULTS_HOLDER, m_Holder);
    DDX_Check(pDX, IDC_RESULTS_LOG, m_bLog);
}

BOOL CResultsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect rect;
    m_Holder.GetWindowRect(&rect);
    ScreenToClient(&rect);
    if (m_Grid.Create(rect, this, kGridId, WS_CHILD | WS_VISIBLE)) {
        m_Grid.SetEditable(FALSE);
        m_Grid.SetWysiwygPrinting(TRUE);
        m_Grid.SetTrackFocusCell(FALSE);
        m_Grid.SetRowCount(ResultsGridRowCount(rect.Height(), m_Result.GetItemCount()));
        m_Grid.SetColumnCount(2);
        m_Grid.SetFixedRowCount(1);
        m_Grid.SetFixedColumnCount(0);
        m_Grid.SetRowHeight(0, kTitleRowHeight);
        m_Grid.SetColumnWidth(0, kLabelColumnWidth);
        m_Grid.SetColumnWidth(1, std::max(rect.Width() - kLabelColumnWidth, 0));
        ResultRows rows(m_Grid);
        m_Result.FillGrid(rows, 1, 0);
    }
    SetWindowText(m_Result.GetHeading());
    return TRUE;
}

// The chosen cells; with none, the whole report (its rows down to the last that holds text), so
// that Copy never leaves the clipboard as it was.
void CResultsDlg::OnCopy()
{
    const CCellBlock chosen = m_Grid.GetSelectedCellRange();
    if (!m_Grid.IsValid(chosen)) {
        int last = m_Grid.GetRowCount() - 1;
        while (last >= 1 && m_Grid.GetItemText(last, 0).IsEmpty() &&
               m_Grid.GetItemText(last, 1).IsEmpty())
            --last;
        if (last < 1)
            return;
        m_Grid.SetSelectedRange(1, 0, last, 1, TRUE);
    }
    m_Grid.OnEditCopy();
}

// The report's pages, after the print dialog.
void CResultsDlg::OnPrint() { m_Grid.Print(); }

void CResultsDlg::OnHelp() { WinHelp(IDD_RESULTS); }
