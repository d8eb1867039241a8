#include "plot/Graph2DDialogs.h"

#include "plot/FunctionPlot.h"
#include "plot/Plot2D.h"
#include "plot/PlotDefaults.h"
#include "plot/PlotDialogSupport.h"
#include "plot/PlotDocument.h"
#include "res/resource.h"

namespace {

void ShowItem(CWnd* pDialog, int nID, BOOL bShow)
{
    ::ShowWindow(::GetDlgItem(pDialog->GetSafeHwnd(), nID), bShow ? SW_SHOW : SW_HIDE);
}

void EnableItem(CWnd* pDialog, int nID, BOOL bEnable)
{
    ::EnableWindow(::GetDlgItem(pDialog->GetSafeHwnd(), nID), bEnable);
}

// The item's colour for a picker's choice: the picker's automatic is the item's automatic.
COLORREF ItemColour(COLORREF crPicked)
{
    return crPicked == kPickerAutomaticColour ? kAutomaticColour : crPicked;
}

} // namespace

// ---- Add 2D Graph ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CAdd2DGraphDlg, CDialog)
ON_BN_CLICKED(IDC_GRAPH2D_RECTANGULAR, &CAdd2DGraphDlg::OnRectangular)
ON_BN_CLICKED(IDC_GRAPH2D_POLAR, &CAdd2DGraphDlg::OnPolar)
ON_BN_CLICKED(IDC_GRAPH2D_PARAMETRIC, &CAdd2DGraphDlg::OnParametric)
ON_BN_CLICKED(IDC_PLOT_SET_AS_DEFAULT, &CAdd2DGraphDlg::OnSetAsDefault)
ON_BN_CLICKED(IDC_PLOT_HELP, &CAdd2DGraphDlg::OnHelp)
END_MESSAGE_MAP()

CAdd2DGraphDlg::CAdd2DGraphDlg(IPlotDocument* pDoc, CFunctionPlot* pDefaultGraph, CWnd* pParent)
    : CDialog(IDD_ADD_2DGRAPH, pParent), m_pDoc(pDoc), m_pDefaultGraph(pDefaultGraph)
{
    m_style.SetMode(0);
    m_width.SetMode(1);
}

void CAdd2DGraphDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GRAPH2D_COLOR, m_colour);
    DDX_Control(pDX, IDC_GRAPH2D_STYLE, m_style);
    DDX_Control(pDX, IDC_GRAPH2D_WIDTH, m_width);
    DDX_Text(pDX, IDC_GRAPH2D_MAX, m_dMax);
    DDX_Text(pDX, IDC_GRAPH2D_MIN, m_dMin);
    DDX_Text(pDX, IDC_GRAPH2D_EXPR, m_strExpression);
    DDX_Text(pDX, IDC_GRAPH2D_XT, m_strXt);
    DDX_Text(pDX, IDC_GRAPH2D_YT, m_strYt);
    DDX_Radio(pDX, IDC_GRAPH2D_RECTANGULAR, m_nForm);
    DDX_Check(pDX, IDC_GRAPH2D_ANALYZE, m_bAnalyze);
}

BOOL CAdd2DGraphDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_colour.SetColour(ColourForPicker(m_crColour));
    if (m_nForm == 1)
        OnPolar();
    else if (m_nForm == 2)
        OnParametric();
    else
        OnRectangular();
    if (m_bProperties) {
        SetWindowText("Graph Properties");
        EnableItem(this, IDC_GRAPH2D_ANALYZE, FALSE);
    }
    if (!m_bEditable) {
        static const int locked[] = {
            IDC_GRAPH2D_EXPR,        IDC_GRAPH2D_XT,    IDC_GRAPH2D_YT,
            IDC_GRAPH2D_MIN,         IDC_GRAPH2D_MAX,   IDC_GRAPH2D_ANALYZE,
            IDC_GRAPH2D_RECTANGULAR, IDC_GRAPH2D_POLAR, IDC_GRAPH2D_PARAMETRIC};
        for (int nID : locked)
            EnableItem(this, nID, FALSE);
        return TRUE;
    }
    // The user comes to type the equation, as in the 3-D dialog.
    GotoDlgCtrl(GetDlgItem(m_nForm == 2 ? IDC_GRAPH2D_XT : IDC_GRAPH2D_EXPR));
    return FALSE;
}

void CAdd2DGraphDlg::OnRectangular()
{
    static const int hidden[] = {IDC_GRAPH2D_XTLABEL, IDC_GRAPH2D_YTLABEL, IDC_GRAPH2D_XT,
                                 IDC_GRAPH2D_YT};
    for (int nID : hidden)
        ShowItem(this, nID, FALSE);
    ShowItem(this, IDC_GRAPH2D_EXPRLABEL, TRUE);
    ShowItem(this, IDC_GRAPH2D_EXPR, TRUE);
    ::SetDlgItemTextA(m_hWnd, IDC_GRAPH2D_EXPRLABEL, "y = ");
}

void CAdd2DGraphDlg::OnPolar()
{
    OnRectangular();
    ::SetDlgItemTextA(m_hWnd, IDC_GRAPH2D_EXPRLABEL, "r(t) = ");
}

void CAdd2DGraphDlg::OnParametric()
{
    static const int shown[] = {IDC_GRAPH2D_XTLABEL, IDC_GRAPH2D_YTLABEL, IDC_GRAPH2D_XT,
                                IDC_GRAPH2D_YT};
    for (int nID : shown)
        ShowItem(this, nID, TRUE);
    ShowItem(this, IDC_GRAPH2D_EXPRLABEL, FALSE);
    ShowItem(this, IDC_GRAPH2D_EXPR, FALSE);
}

void CAdd2DGraphDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strExpression.Trim();
    m_strXt.Trim();
    m_strYt.Trim();
    m_crColour = ItemColour(m_colour.GetColour());
    const Graph2DValues values{m_nForm, m_strExpression, m_strXt, m_strYt, m_dMin, m_dMax};
    if (ShowFieldVerdict(this, CheckGraph2D(values)))
        EndDialog(IDOK);
}

void CAdd2DGraphDlg::OnSetAsDefault()
{
    if (!UpdateData(TRUE) || !ShowFieldVerdict(this, CheckGraph2DDomain(m_dMin, m_dMax)))
        return;
    if (!m_pDoc || !m_pDefaultGraph)
        return;
    CFunctionPlot& graph = *m_pDefaultGraph;
    graph.SetDefinition(CString(), CString(), m_nForm, m_dMin, m_dMax);
    graph.SetColour(ItemColour(m_colour.GetColour()));
    graph.SetPenStyle(m_style.GetLineStyle());
    graph.SetPenWidth(m_width.GetLineStyle());
    const BOOL bGraph2D = &graph == &m_pDoc->GetDefaultGraph(FALSE);
    WriteGraph2DDefaults(m_pDoc->GetSettingsStore(),
                         bGraph2D ? kGraph2DDefSection : kDataGraphDefSection, graph);
}

void CAdd2DGraphDlg::OnHelp()
{
    if (m_pDoc)
        m_pDoc->ShowHelp("Add2DGraph.htm");
}

// ---- the analysis dialogs -------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGraphAnalysisDlg, CDialog)
ON_BN_CLICKED(IDC_PLOT_HELP, &CGraphAnalysisDlg::OnHelp)
END_MESSAGE_MAP()

CGraphAnalysisDlg::CGraphAnalysisDlg(UINT nIDTemplate, IPlotDocument* pDoc, int nKind,
                                     CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_pDoc(pDoc), m_nKind(nKind)
{
}

BOOL CGraphAnalysisDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CString title = AnalysisTitle(m_nKind);
    if (!title.IsEmpty())
        SetWindowText(title);
    return TRUE;
}

void CGraphAnalysisDlg::FillExpressions(UINT nIDCombo, BOOL bXAxis)
{
    HWND hCombo = ::GetDlgItem(m_hWnd, int(nIDCombo));
    const CString text = [&] {
        CString current;
        GetDlgItemText(int(nIDCombo), current);
        return current;
    }();
    ::SendMessageA(hCombo, CB_RESETCONTENT, 0, 0);
    if (m_pDoc) {
        const CPlot2D& plot = m_pDoc->GetFunctionPlot();
        for (int i = 0; i < plot.GetItemCount(); ++i)
            if (plot.GetItem(i)->m_nForm == GraphRectangular)
                ::SendMessageA(hCombo, CB_ADDSTRING, 0,
                               LPARAM(LPCTSTR(plot.GetItem(i)->GetExpression())));
    }
    if (bXAxis)
        ::SendMessageA(hCombo, CB_ADDSTRING, 0, LPARAM(kXAxisText));
    ::SetWindowTextA(hCombo, text);
}

void CGraphAnalysisDlg::OnHelp()
{
    if (m_pDoc)
        m_pDoc->ShowHelp("Analyze2DGraph.htm");
}

void CIntervalAnalysisDlg::DoDataExchange(CDataExchange* pDX)
{
    CGraphAnalysisDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ANALYSIS_EXPR, m_strExpression);
    DDX_Text(pDX, IDC_ANALYSIS_MAX, m_dMax);
    DDX_Text(pDX, IDC_ANALYSIS_MIN, m_dMin);
    DDX_Text(pDX, IDC_ANALYSIS_STEPS, m_dSteps);
    DDX_Text(pDX, IDC_ANALYSIS_ACCURACY, m_dAccuracy);
}

AnalysisValues CIntervalAnalysisDlg::TakeValues()
{
    m_strExpression.Trim();
    AnalysisValues values;
    values.kind = m_nKind;
    values.first = m_strExpression;
    values.dMin = m_dMin;
    values.dMax = m_dMax;
    values.steps = m_dSteps;
    values.accuracy = m_dAccuracy;
    return values;
}

BEGIN_MESSAGE_MAP(CFunctionAnalysisDlg, CIntervalAnalysisDlg)
ON_CBN_EDITCHANGE(IDC_ANALYSIS_EXPR, &CFunctionAnalysisDlg::OnEditChange)
ON_CBN_SELCHANGE(IDC_ANALYSIS_EXPR, &CFunctionAnalysisDlg::OnSelChange)
END_MESSAGE_MAP()

CFunctionAnalysisDlg::CFunctionAnalysisDlg(IPlotDocument* pDoc, int nKind, CWnd* pParent)
    : CIntervalAnalysisDlg(IDD_FUNCTION_ANALYSIS, pDoc, nKind, pParent)
{
}

void CFunctionAnalysisDlg::DoDataExchange(CDataExchange* pDX)
{
    CIntervalAnalysisDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ANALYSIS_TABLENAME, m_strTableName);
}

BOOL CFunctionAnalysisDlg::OnInitDialog()
{
    CIntervalAnalysisDlg::OnInitDialog();
    const BOOL bTable = m_nKind == AnalysisValueTable;
    ShowItem(this, IDC_ANALYSIS_TABLELABEL, bTable);
    ShowItem(this, IDC_ANALYSIS_TABLENAME, bTable);
    ShowItem(this, IDC_ANALYSIS_ACCLABEL, !bTable);
    ShowItem(this, IDC_ANALYSIS_ACCURACY, !bTable);
    // The button has no action of its own.
    ShowItem(this, IDC_ANALYSIS_OPTIONS, FALSE);
    FillExpressions(IDC_ANALYSIS_EXPR, FALSE);
    OnEditChange();
    return TRUE;
}

void CFunctionAnalysisDlg::UpdateTableName(const CString& expression)
{
    if (m_nKind == AnalysisValueTable)
        ::SetDlgItemTextA(m_hWnd, IDC_ANALYSIS_TABLENAME, "Value table of y = " + expression);
}

void CFunctionAnalysisDlg::OnEditChange()
{
    CString text;
    GetDlgItemText(IDC_ANALYSIS_EXPR, text);
    UpdateTableName(text);
}

void CFunctionAnalysisDlg::OnSelChange()
{
    // The edit still holds the old text while the list's choice is announced.
    HWND hCombo = ::GetDlgItem(m_hWnd, IDC_ANALYSIS_EXPR);
    const int row = int(::SendMessageA(hCombo, CB_GETCURSEL, 0, 0));
    if (row < 0)
        return;
    CString text;
    static_cast<CComboBox*>(GetDlgItem(IDC_ANALYSIS_EXPR))->GetLBText(row, text);
    UpdateTableName(text);
}

void CFunctionAnalysisDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strTableName.Trim();
    AnalysisValues values = TakeValues();
    values.tableName = m_strTableName;
    if (ShowFieldVerdict(this, CheckFunctionAnalysis(values)))
        EndDialog(IDOK);
}

CTwoCurveAnalysisDlg::CTwoCurveAnalysisDlg(IPlotDocument* pDoc, int nKind, CWnd* pParent)
    : CIntervalAnalysisDlg(IDD_TWO_CURVE_ANALYSIS, pDoc, nKind, pParent)
{
}

void CTwoCurveAnalysisDlg::DoDataExchange(CDataExchange* pDX)
{
    CIntervalAnalysisDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ANALYSIS_EXPR2, m_strExpression2);
}

BOOL CTwoCurveAnalysisDlg::OnInitDialog()
{
    CIntervalAnalysisDlg::OnInitDialog();
    FillExpressions(IDC_ANALYSIS_EXPR, TRUE);
    FillExpressions(IDC_ANALYSIS_EXPR2, TRUE);
    return TRUE;
}

void CTwoCurveAnalysisDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strExpression2.Trim();
    AnalysisValues values = TakeValues();
    values.second = m_strExpression2;
    if (ShowFieldVerdict(this, CheckTwoCurveAnalysis(values)))
        EndDialog(IDOK);
}

CDifferentiateDlg::CDifferentiateDlg(IPlotDocument* pDoc, int nKind, CWnd* pParent)
    : CGraphAnalysisDlg(IDD_DIFFERENTIATE, pDoc, nKind, pParent)
{
}

void CDifferentiateDlg::DoDataExchange(CDataExchange* pDX)
{
    CGraphAnalysisDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ANALYSIS_EXPR, m_strExpression);
    DDX_Text(pDX, IDC_ANALYSIS_X, m_dX);
}

BOOL CDifferentiateDlg::OnInitDialog()
{
    CGraphAnalysisDlg::OnInitDialog();
    FillExpressions(IDC_ANALYSIS_EXPR, FALSE);
    return TRUE;
}

void CDifferentiateDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strExpression.Trim();
    if (ShowFieldVerdict(this, CheckDifferentiate(m_strExpression)))
        EndDialog(IDOK);
}
