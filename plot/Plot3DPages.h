#pragma once
#include "plot/PlotDialogChecks.h"
#include "plot/PlotPages.h"

// The 3-D plot's options page, on the document's scene: axis type and switches, background,
// viewport, axis line and font, ambient light and the series of views.
class C3DPlotPage : public CPlotOptionsPage {
    DECLARE_DYNAMIC(C3DPlotPage)
public:
    explicit C3DPlotPage(IPlotDocument* pDoc = nullptr);

    BOOL Validate() override;
    void OnOK() override;
    void OnSetAsDefault();
    void OnFont();

    IPlotDocument* m_pDoc;
    int m_nAxisType = 0;
    BOOL m_bBoxed = FALSE, m_bShowTicks = FALSE, m_bShowTickLabels = FALSE;
    BOOL m_bShowAxisLabels = FALSE;
    CColourPicker m_backColour, m_axisColour;
    CLineStyleCombo m_axisStyle, m_axisWidth;
    double m_dViewport = 80;
    int m_nAmbientLight = 0;
    int m_nViews = 1;
    double m_dDeltaTheta = 0, m_dDeltaPhi = 0, m_dDeltaMu = 0; // the angles in degrees

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};

// "Add 3D Graph": one surface's expression, ranges, colours, fill style, resolution, view and
// light (angles in degrees). The commands preset the members and apply them after OK.
class CAdd3DGraphDlg : public CDialog {
public:
    explicit CAdd3DGraphDlg(IPlotDocument* pDoc = nullptr, CWnd* pParent = nullptr);

    void OnSetAsDefault();

    CString m_strExpression;
    double m_dXMin = -3, m_dXMax = 3, m_dYMin = -3, m_dYMax = 3, m_dZMin = -3, m_dZMax = 3;
    BOOL m_bAutoSize = TRUE;
    CColourPicker m_lineColour, m_fillColour, m_lightColour;
    COLORREF m_crLine = 0x0000FF, m_crFill = 0xFF0000, m_crLight = 0xFFFFFF;
    int m_nFillStyle = 0;
    int m_nResolution = 30;
    double m_dViewTheta = 60, m_dViewPhi = 60, m_dViewMu = 1000;
    double m_dLightTheta = 60, m_dLightPhi = 60, m_dLightMu = 1000;
    IPlotDocument* m_pDoc;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnHelp();
    Graph3DValues Values() const;
    DECLARE_MESSAGE_MAP()
};

// Profile section and key of the once-per-user warning about high resolutions.
extern const char kPlot3DSection[];
extern const char kResConfirmKey[];
