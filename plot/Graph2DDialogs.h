#pragma once
#include "plot/PlotDialogChecks.h"
#include "plot/PlotPages.h"

class CFunctionPlot;

// "Add 2D Graph" ("Graph Properties" in properties mode): the form, the expression or the two
// of a parametric curve, the domain, the colour, pen style and width. A graph that is not
// editable keeps all but its colour, style and width.
class CAdd2DGraphDlg : public CDialog {
public:
    CAdd2DGraphDlg(IPlotDocument* pDoc = nullptr, CFunctionPlot* pDefaultGraph = nullptr,
                   CWnd* pParent = nullptr);

    void OnSetAsDefault();

    CColourPicker m_colour;
    CLineStyleCombo m_style, m_width;
    COLORREF m_crColour = 0xFF0000;
    double m_dMax = 0, m_dMin = 0;
    CString m_strExpression, m_strXt, m_strYt; // trimmed after OK
    int m_nForm = 0;                           // 0 rectangular, 1 polar, 2 parametric
    BOOL m_bAnalyze = FALSE;
    BOOL m_bEditable = TRUE;
    BOOL m_bProperties = FALSE;
    IPlotDocument* m_pDoc;
    CFunctionPlot* m_pDefaultGraph; // what "Set As Default" rewrites

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnRectangular();
    void OnPolar();
    void OnParametric();
    void OnHelp();
    DECLARE_MESSAGE_MAP()
};

// The analysis dialogs' common part: the kind (AnalysisKind) sets the caption, and the
// expression combo lists the function plot's y = f(x) graphs.
class CGraphAnalysisDlg : public CDialog {
public:
    CGraphAnalysisDlg(UINT nIDTemplate, IPlotDocument* pDoc, int nKind, CWnd* pParent);

    CString m_strExpression;
    IPlotDocument* m_pDoc;
    int m_nKind;

protected:
    BOOL OnInitDialog() override;
    void OnHelp();
    // Lists the graphs' expressions in a combo (then "x-axis" when asked).
    void FillExpressions(UINT nIDCombo, BOOL bXAxis);
    DECLARE_MESSAGE_MAP()
};

// The interval, steps and accuracy the function and two-curve dialogs share.
class CIntervalAnalysisDlg : public CGraphAnalysisDlg {
public:
    using CGraphAnalysisDlg::CGraphAnalysisDlg;

    double m_dMax = 0, m_dMin = 0, m_dSteps = 0, m_dAccuracy = 0;

protected:
    // The first expression, the interval, the steps and the accuracy.
    void DoDataExchange(CDataExchange* pDX) override;
    // Trims the first expression; the fields as the checks take them.
    AnalysisValues TakeValues();
};

// Zeros, extrema, value table, arc length, surface area and the whole analysis: one function
// on an interval, with steps and accuracy, or a value table's rows and name.
class CFunctionAnalysisDlg : public CIntervalAnalysisDlg {
public:
    CFunctionAnalysisDlg(IPlotDocument* pDoc = nullptr, int nKind = 0, CWnd* pParent = nullptr);

    CString m_strTableName;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnEditChange();
    void OnSelChange();
    void UpdateTableName(const CString& expression);
    DECLARE_MESSAGE_MAP()
};

// Integrals, areas, intersections, volumes and centres of mass: two curves (or one and the
// x-axis) on an interval.
class CTwoCurveAnalysisDlg : public CIntervalAnalysisDlg {
public:
    CTwoCurveAnalysisDlg(IPlotDocument* pDoc = nullptr, int nKind = 0, CWnd* pParent = nullptr);

    CString m_strExpression2;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};

// The derivative or the tangent of one function at a point.
class CDifferentiateDlg : public CGraphAnalysisDlg {
public:
    CDifferentiateDlg(IPlotDocument* pDoc = nullptr, int nKind = 0, CWnd* pParent = nullptr);

    double m_dX = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
