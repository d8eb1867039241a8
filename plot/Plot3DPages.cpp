#include "plot/Plot3DPages.h"

#include "plot/Plot3DScene.h"
#include "plot/PlotDefaults.h"
#include "plot/PlotDialogSupport.h"
#include "plot/PlotDocument.h"
#include "res/resource.h"

#include <cmath>

const char kPlot3DSection[] = "Plot3D";
const char kResConfirmKey[] = "ResConfirm";

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;

// A track bar's position, exchanged like a field (range 0 .. 100).
void ExchangeSlider(CDataExchange* pDX, int nID, int& value)
{
    HWND hSlider = ::GetDlgItem(pDX->m_pDlgWnd->GetSafeHwnd(), nID);
    if (pDX->m_bSaveAndValidate) {
        value = int(::SendMessageA(hSlider, TBM_GETPOS, 0, 0));
    } else {
        ::SendMessageA(hSlider, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
        ::SendMessageA(hSlider, TBM_SETPOS, TRUE, LPARAM(value));
    }
}

// The page's values into a scene; automatic colours become the given ones.
void ApplyScene(const C3DPlotPage& page, CPlot3DScene& scene, COLORREF crAutoAxis,
                COLORREF crAutoBack)
{
    scene.m_nAxisType = page.m_nAxisType;
    scene.m_bBoxed = page.m_bBoxed;
    scene.m_bShowTicks = page.m_bShowTicks;
    scene.m_bShowTickLabels = page.m_bShowTickLabels;
    scene.m_bShowAxisLabels = page.m_bShowAxisLabels;
    // The font object's pen draws the box and the axes.
    scene.m_font.SetPenStyle(page.m_axisStyle.GetLineStyle());
    scene.m_font.SetColour(ColourFromPicker(page.m_axisColour.GetColour(), crAutoAxis));
    scene.m_font.SetPenWidth(page.m_axisWidth.GetLineStyle());
    scene.m_crBackColor = ColourFromPicker(page.m_backColour.GetColour(), crAutoBack);
    scene.m_nViewportSize = int(std::trunc(page.m_dViewport));
    scene.m_nAmbientLight = page.m_nAmbientLight;
    scene.m_nViews = page.m_nViews;
    scene.m_dDeltaTheta = page.m_dDeltaTheta * kRadiansPerDegree;
    scene.m_dDeltaPhi = page.m_dDeltaPhi * kRadiansPerDegree;
    scene.m_dDeltaMu = page.m_dDeltaMu;
}

} // namespace

// ---- 3-D plot page --------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(C3DPlotPage, CPlotOptionsPage)

BEGIN_MESSAGE_MAP(C3DPlotPage, CPlotOptionsPage)
ON_BN_CLICKED(IDC_PLOT_SET_AS_DEFAULT, &C3DPlotPage::OnSetAsDefault)
ON_BN_CLICKED(IDC_PLOT3D_FONT, &C3DPlotPage::OnFont)
END_MESSAGE_MAP()

C3DPlotPage::C3DPlotPage(IPlotDocument* pDoc) : CPlotOptionsPage(IDD_PLOT3D_PAGE), m_pDoc(pDoc)
{
    m_axisStyle.SetMode(0);
    m_axisWidth.SetMode(1);
}

void C3DPlotPage::DoDataExchange(CDataExchange* pDX)
{
    CPlotOptionsPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_PLOT3D_NORMAL, m_nAxisType);
    DDX_Check(pDX, IDC_PLOT3D_BOXED, m_bBoxed);
    DDX_Check(pDX, IDC_PLOT3D_TICKS, m_bShowTicks);
    DDX_Check(pDX, IDC_PLOT3D_TICKLABELS, m_bShowTickLabels);
    DDX_Check(pDX, IDC_PLOT3D_AXISLABELS, m_bShowAxisLabels);
    DDX_Control(pDX, IDC_PLOT3D_BACKCOLOR, m_backColour);
    DDX_Control(pDX, IDC_PLOT3D_AXISCOLOR, m_axisColour);
    DDX_Control(pDX, IDC_PLOT3D_STYLE, m_axisStyle);
    DDX_Control(pDX, IDC_PLOT3D_WIDTH, m_axisWidth);
    DDX_Text(pDX, IDC_PLOT3D_VIEWPORT, m_dViewport);
    ExchangeSlider(pDX, IDC_PLOT3D_AMBIENT, m_nAmbientLight);
    DDX_Text(pDX, IDC_PLOT3D_VIEWS, m_nViews);
    DDX_Text(pDX, IDC_PLOT3D_DTHETA, m_dDeltaTheta);
    DDX_Text(pDX, IDC_PLOT3D_DPHI, m_dDeltaPhi);
    DDX_Text(pDX, IDC_PLOT3D_DMU, m_dDeltaMu);
}

BOOL C3DPlotPage::OnInitDialog()
{
    if (m_pDoc) {
        const CPlot3DScene& scene = m_pDoc->GetScene();
        m_nAxisType = scene.m_nAxisType;
        m_bBoxed = scene.m_bBoxed;
        m_bShowTicks = scene.m_bShowTicks;
        m_bShowTickLabels = scene.m_bShowTickLabels;
        m_bShowAxisLabels = scene.m_bShowAxisLabels;
        m_axisStyle.SetLineStyle(scene.m_font.m_nPenStyle);
        m_axisWidth.SetLineStyle(scene.m_font.m_nPenWidth);
        m_dViewport = scene.m_nViewportSize;
        m_nAmbientLight = scene.m_nAmbientLight;
        m_nViews = scene.m_nViews;
        m_dDeltaTheta = scene.m_dDeltaTheta * kDegreesPerRadian;
        m_dDeltaPhi = scene.m_dDeltaPhi * kDegreesPerRadian;
        m_dDeltaMu = scene.m_dDeltaMu;
    }
    CPlotOptionsPage::OnInitDialog();
    if (m_pDoc) {
        const CPlot3DScene& scene = m_pDoc->GetScene();
        m_axisColour.SetColour(ColourForPicker(scene.m_font.m_crColour));
        m_backColour.SetColour(ColourForPicker(scene.m_crBackColor));
    }
    return TRUE;
}

BOOL C3DPlotPage::Validate()
{
    if (!UpdateData(TRUE))
        return FALSE;
    const Plot3DPageValues values{m_dViewport, m_nViews, m_dDeltaMu};
    return ShowFieldVerdict(this, CheckPlot3DPage(values));
}

void C3DPlotPage::OnOK()
{
    if (!m_pDoc)
        return;
    ApplyScene(*this, m_pDoc->GetScene(), 0, 0xFFFFFF);
    m_pDoc->SetPlotModified();
}

void C3DPlotPage::OnSetAsDefault()
{
    if (!m_pDoc || !Validate())
        return;
    CPlot3DScene& scene = m_pDoc->GetDefaultScene();
    ApplyScene(*this, scene, kAutomaticColour, kAutomaticColour);
    WriteScene3DDefaults(m_pDoc->GetSettingsStore(), scene);
}

void C3DPlotPage::OnFont()
{
    if (!m_pDoc)
        return;
    if (EditPlotFont(m_pDoc->GetScene().m_font, this))
        m_pDoc->SetPlotModified();
}

// ---- Add 3D Graph ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CAdd3DGraphDlg, CDialog)
ON_BN_CLICKED(IDC_PLOT_SET_AS_DEFAULT, &CAdd3DGraphDlg::OnSetAsDefault)
ON_BN_CLICKED(IDC_PLOT_HELP, &CAdd3DGraphDlg::OnHelp)
END_MESSAGE_MAP()

CAdd3DGraphDlg::CAdd3DGraphDlg(IPlotDocument* pDoc, CWnd* pParent)
    : CDialog(IDD_ADD_3DGRAPH, pParent), m_pDoc(pDoc)
{
}

void CAdd3DGraphDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GRAPH3D_EXPR, m_strExpression);
    DDX_Text(pDX, IDC_GRAPH3D_XMIN, m_dXMin);
    DDX_Text(pDX, IDC_GRAPH3D_XMAX, m_dXMax);
    DDX_Text(pDX, IDC_GRAPH3D_YMIN, m_dYMin);
    DDX_Text(pDX, IDC_GRAPH3D_YMAX, m_dYMax);
    DDX_Text(pDX, IDC_GRAPH3D_ZMIN, m_dZMin);
    DDX_Text(pDX, IDC_GRAPH3D_ZMAX, m_dZMax);
    DDX_Check(pDX, IDC_GRAPH3D_AUTOSIZE, m_bAutoSize);
    DDX_Control(pDX, IDC_GRAPH3D_LINECOLOR, m_lineColour);
    DDX_Control(pDX, IDC_GRAPH3D_FILLCOLOR, m_fillColour);
    DDX_Control(pDX, IDC_GRAPH3D_LIGHTCOLOR, m_lightColour);
    DDX_CBIndex(pDX, IDC_GRAPH3D_STYLE, m_nFillStyle);
    ExchangeSlider(pDX, IDC_GRAPH3D_RESOLUTION, m_nResolution);
    DDX_Text(pDX, IDC_GRAPH3D_VIEWTHETA, m_dViewTheta);
    DDX_Text(pDX, IDC_GRAPH3D_VIEWPHI, m_dViewPhi);
    DDX_Text(pDX, IDC_GRAPH3D_VIEWMU, m_dViewMu);
    DDX_Text(pDX, IDC_GRAPH3D_LIGHTTHETA, m_dLightTheta);
    DDX_Text(pDX, IDC_GRAPH3D_LIGHTPHI, m_dLightPhi);
    DDX_Text(pDX, IDC_GRAPH3D_LIGHTMU, m_dLightMu);
    if (pDX->m_bSaveAndValidate) {
        // The graph's colours: the picker's automatic is the item's automatic (-1).
        m_crLine = ColourFromPicker(m_lineColour.GetColour(), kAutomaticColour);
        m_crFill = ColourFromPicker(m_fillColour.GetColour(), kAutomaticColour);
        m_crLight = ColourFromPicker(m_lightColour.GetColour(), kAutomaticColour);
    }
}

BOOL CAdd3DGraphDlg::OnInitDialog()
{
    static const char* const styles[] = {
        "Wire frame",         "Wire frame without hidden line", "Solid with grid",
        "Solid without grid", "Light gradient with grid",       "Light gradient without grid"};
    HWND hList = ::GetDlgItem(m_hWnd, IDC_GRAPH3D_STYLE);
    for (const char* style : styles)
        ::SendMessageA(hList, CB_ADDSTRING, 0, LPARAM(style));
    CDialog::OnInitDialog();
    m_lineColour.SetColour(ColourForPicker(m_crLine));
    m_fillColour.SetColour(ColourForPicker(m_crFill));
    m_lightColour.SetColour(ColourForPicker(m_crLight));
    return TRUE;
}

Graph3DValues CAdd3DGraphDlg::Values() const
{
    Graph3DValues v;
    v.expression = m_strExpression;
    v.xMin = m_dXMin;
    v.xMax = m_dXMax;
    v.yMin = m_dYMin;
    v.yMax = m_dYMax;
    v.zMin = m_dZMin;
    v.zMax = m_dZMax;
    v.viewMu = m_dViewMu;
    v.lightMu = m_dLightMu;
    return v;
}

void CAdd3DGraphDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strExpression.Trim();
    if (!ShowFieldVerdict(this, CheckGraph3D(Values())))
        return;
    if (m_nResolution > kHighResolution && m_pDoc) {
        CProfileStore& store = m_pDoc->GetSettingsStore();
        if (store.GetInt(kPlot3DSection, kResConfirmKey, 0) == 0) {
            ShowPlotInformation(this, "Obtaining this high resolution requires a significant "
                                      "amount of memory. You should have no more than a few "
                                      "such high-resolution 3-D plots in one project.");
            store.WriteInt(kPlot3DSection, kResConfirmKey, 1);
        }
    }
    EndDialog(IDOK);
}

void CAdd3DGraphDlg::OnSetAsDefault()
{
    if (!UpdateData(TRUE) || !ShowFieldVerdict(this, CheckGraph3DSettings(Values())) || !m_pDoc)
        return;
    CSurfacePlot& graph = m_pDoc->GetDefault3DGraph();
    graph.SetXRange(m_dXMin, m_dXMax);
    graph.SetYRange(m_dYMin, m_dYMax);
    graph.SetZRange(m_dZMin, m_dZMax);
    if (graph.m_bAutoSize != m_bAutoSize) {
        graph.m_bAutoSize = m_bAutoSize;
        graph.m_bRebuild = graph.m_bModified = TRUE;
    }
    graph.SetColour(ColourFromPicker(m_crLine, kAutomaticColour));
    const COLORREF crFill = ColourFromPicker(m_crFill, kAutomaticColour);
    if (graph.m_crFillColour != crFill) {
        graph.m_crFillColour = crFill;
        graph.m_bModified = graph.m_bRedraw = TRUE;
    }
    const COLORREF crLight = ColourFromPicker(m_crLight, kAutomaticColour);
    if (graph.m_crLight != crLight) {
        graph.m_crLight = crLight;
        graph.m_bReshade = graph.m_bModified = TRUE;
    }
    graph.SetFillStyle(m_nFillStyle);
    graph.SetResolution(m_nResolution);
    graph.SetView(m_dViewTheta * kRadiansPerDegree, m_dViewPhi * kRadiansPerDegree, m_dViewMu);
    graph.SetLight(m_dLightTheta * kRadiansPerDegree, m_dLightPhi * kRadiansPerDegree, m_dLightMu);
    WriteGraph3DDefaults(m_pDoc->GetSettingsStore(), graph);
}

void CAdd3DGraphDlg::OnHelp()
{
    if (m_pDoc)
        m_pDoc->ShowHelp("Add3DGraph.htm");
}
