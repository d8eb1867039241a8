#include "plot/PlotDefaults.h"

#include "framework/core/ProfileTable.h"
#include "plot/Plot2D.h"
#include "plot/Plot3DScene.h"

#include <numbers>

const char kPlot2DDefSection[] = "Plot2DDef";
const char kPlotDataDefSection[] = "PlotDataDef";
const char kPlot3DDefSection[] = "Plot3DDef";
const char kGraph2DDefSection[] = "Graph2DDef";
const char kDataGraphDefSection[] = "DataGraphDef";
const char kGraph3DDefSection[] = "Graph3DDef";

namespace {

constexpr double kPi3 = std::numbers::pi / 3;
constexpr double kPi12 = std::numbers::pi / 12;

// A stored zoom factor below 1 is no zoom: the plot keeps its own (0 marks that).
double ZoomRule(double value, double) { return value >= 1 ? value : 0; }

double DistanceStepRule(double value, double dDefault)
{
    return value > -10 && value <= 1000 ? value : dDefault;
}

// ---- 2-D plots ---------------------------------------------------------------------------

struct Plot2DValues {
    int nBackColor, nSteps, nZoomFactor;
    double dYMax, dYMin, dXMax, dXMin;
    int bAutoTicks, bShowTicks, bBoxed, bShowGrid, bShowArrows, bShowLabels;
    int nAxisLineColor, nAxisLineWidth, nAxisLineStyle;
    int nGridLineColor, nGridLineWidth, nGridLineStyle;
    double dXTickInterval, dYTickInterval;
    int nAxisType;
};

using P2 = Plot2DValues;
constexpr ProfileKey<P2> kPlot2DKeys[] = {
    IntProfileKey<&P2::nBackColor>("BackColor", 0xFFFFFF),
    IntProfileKey<&P2::nSteps>("Steps", 400, profile_rule::Clamp<10, 10000>),
    IntProfileKey<&P2::nZoomFactor>("ZoomFactor", 2, ZoomRule),
    DoubleProfileKey<&P2::dYMax>("ymax", 10.0),
    DoubleProfileKey<&P2::dYMin>("ymin", -10.0),
    DoubleProfileKey<&P2::dXMax>("xmax", 10.0),
    DoubleProfileKey<&P2::dXMin>("xmin", -10.0),
    IntProfileKey<&P2::bAutoTicks>("AutoTicks", 1),
    IntProfileKey<&P2::bShowTicks>("ShowTicks", 1),
    IntProfileKey<&P2::bBoxed>("Boxed", 0),
    IntProfileKey<&P2::bShowGrid>("ShowGrid", 1),
    IntProfileKey<&P2::bShowArrows>("ShowArrows", 1),
    IntProfileKey<&P2::bShowLabels>("ShowLabels", 1),
    IntProfileKey<&P2::nAxisLineColor>("AxisLineColor", 0),
    IntProfileKey<&P2::nAxisLineWidth>("AxisLineWidth", 1),
    IntProfileKey<&P2::nAxisLineStyle>("AxisLineStyle", 0),
    IntProfileKey<&P2::nGridLineColor>("GridLineColor", 0xE6E6E6),
    IntProfileKey<&P2::nGridLineWidth>("GridLineWidth", 1),
    IntProfileKey<&P2::nGridLineStyle>("GridLineStyle", 2),
    DoubleProfileKey<&P2::dXTickInterval>("XTickInterval", 1.0, profile_rule::Positive),
    DoubleProfileKey<&P2::dYTickInterval>("YTickInterval", 1.0, profile_rule::Positive),
    IntProfileKey<&P2::nAxisType>("AxisType", 0),
};

// ---- 2-D graphs --------------------------------------------------------------------------

struct Graph2DValues {
    int nType;
    double dMax, dMin;
    int nColor, nStyle, nWidth;
};

using G2 = Graph2DValues;
constexpr ProfileKey<G2> kGraph2DKeys[] = {
    IntProfileKey<&G2::nType>("Type", 0),      DoubleProfileKey<&G2::dMax>("Max", 10.0),
    DoubleProfileKey<&G2::dMin>("Min", -10.0), IntProfileKey<&G2::nColor>("Color", -1),
    IntProfileKey<&G2::nStyle>("Style", 0),    IntProfileKey<&G2::nWidth>("Width", 1),
};
constexpr ProfileKey<G2> kDataGraphKeys[] = {
    IntProfileKey<&G2::nType>("Type", 0),      DoubleProfileKey<&G2::dMax>("Max", 10.0),
    DoubleProfileKey<&G2::dMin>("Min", -10.0), IntProfileKey<&G2::nColor>("Color", 0xFF0000),
    IntProfileKey<&G2::nStyle>("Style", 0),    IntProfileKey<&G2::nWidth>("Width", 1),
};

// ---- 3-D scene ---------------------------------------------------------------------------

struct Scene3DValues {
    int nAxisType, bBoxed, bShowTicks, bShowTickLabels, bShowAxisLabels;
    int nAxisLineStyle, nAxisLineColor, nAxisLineWidth, nBackColor, nViewportSize, nAmbientLight;
    double dDeltaMu, dDeltaPhi, dDeltaTheta;
    int nViews;
};

using S3 = Scene3DValues;
constexpr ProfileKey<S3> kScene3DKeys[] = {
    IntProfileKey<&S3::nAxisType>("AxisType", 1),
    IntProfileKey<&S3::bBoxed>("Boxed", 0),
    IntProfileKey<&S3::bShowTicks>("ShowTicks", 1),
    IntProfileKey<&S3::bShowTickLabels>("ShowTickLabels", 1),
    IntProfileKey<&S3::bShowAxisLabels>("ShowAxisLabels", 1),
    IntProfileKey<&S3::nAxisLineStyle>("AxisLineStyle", 0),
    IntProfileKey<&S3::nAxisLineColor>("AxisLineColor", 0),
    IntProfileKey<&S3::nAxisLineWidth>("AxisLineWidth", 1),
    IntProfileKey<&S3::nBackColor>("BackColor", 0xFFFFFF),
    IntProfileKey<&S3::nViewportSize>("ViewportSize", 80, profile_rule::Clamp<1, 100>),
    IntProfileKey<&S3::nAmbientLight>("AmbientLight", 20, profile_rule::Clamp<0, 100>),
    DoubleProfileKey<&S3::dDeltaMu>("DeltaMu", 1000.0, DistanceStepRule),
    DoubleProfileKey<&S3::dDeltaPhi>("DeltaPhi", kPi12),
    DoubleProfileKey<&S3::dDeltaTheta>("DeltaTheta", kPi12),
    IntProfileKey<&S3::nViews>("Views", 1, profile_rule::Clamp<1, 16>),
};

// ---- 3-D graphs --------------------------------------------------------------------------

struct Graph3DValues {
    double dZMax, dZMin, dYMax, dYMin, dXMax, dXMin;
    int bAutoSize, nLineColor, nFillColor, nLightColor, nGridFillStyle, nGridResolution;
    double dViewMu, dViewPhi, dViewTheta, dLightMu, dLightPhi, dLightTheta;
};

using G3 = Graph3DValues;
constexpr ProfileKey<G3> kGraph3DKeys[] = {
    DoubleProfileKey<&G3::dZMax>("zmax", 3.0),
    DoubleProfileKey<&G3::dZMin>("zmin", -3.0),
    DoubleProfileKey<&G3::dYMax>("ymax", 3.0),
    DoubleProfileKey<&G3::dYMin>("ymin", -3.0),
    DoubleProfileKey<&G3::dXMax>("xmax", 3.0),
    DoubleProfileKey<&G3::dXMin>("xmin", -3.0),
    IntProfileKey<&G3::bAutoSize>("AutoSize", 1),
    IntProfileKey<&G3::nLineColor>("LineColor", 0),
    IntProfileKey<&G3::nFillColor>("FillColor", 0xFF0000),
    IntProfileKey<&G3::nLightColor>("LightColor", 0xFFFFFF),
    IntProfileKey<&G3::nGridFillStyle>("GridFillStyle", 4, profile_rule::InRange<0, 5>),
    IntProfileKey<&G3::nGridResolution>("GridResolution", 60, profile_rule::Clamp<0, 100>),
    DoubleProfileKey<&G3::dViewMu>("ViewMu", 1000.0),
    DoubleProfileKey<&G3::dViewPhi>("ViewPhi", kPi3),
    DoubleProfileKey<&G3::dViewTheta>("ViewTheta", kPi3),
    DoubleProfileKey<&G3::dLightMu>("LightMu", 1000.0),
    DoubleProfileKey<&G3::dLightPhi>("LightPhi", kPi3),
    DoubleProfileKey<&G3::dLightTheta>("LightTheta", kPi3),
};

const ProfileKey<G2> (&Graph2DKeysOf(const char* section))[6]
{
    return std::string_view(section) == kDataGraphDefSection ? kDataGraphKeys : kGraph2DKeys;
}

} // namespace

// ---- 2-D plots ---------------------------------------------------------------------------

void ReadPlot2DDefaults(CProfileStore& store, const char* section, CPlot2D& plot)
{
    P2 v{};
    ReadProfileSection(store, section, kPlot2DKeys, v);
    plot.m_crBackColor = COLORREF(v.nBackColor);
    plot.m_nSteps = v.nSteps;
    if (v.nZoomFactor >= 1)
        plot.m_dZoomFactor = v.nZoomFactor;
    plot.SetRanges(v.dXMin, v.dXMax, v.dYMin, v.dYMax);
    CPlotAxes& a = plot.m_axes;
    a.m_bAutoTicks = v.bAutoTicks;
    a.m_bShowTicks = v.bShowTicks;
    a.m_bBoxed = v.bBoxed;
    a.m_bShowGrid = v.bShowGrid;
    a.m_bShowArrows = v.bShowArrows;
    a.m_bShowLabels = v.bShowLabels;
    a.m_axisLine.SetColour(COLORREF(v.nAxisLineColor));
    a.m_axisLine.SetPenWidth(v.nAxisLineWidth);
    a.m_axisLine.SetPenStyle(v.nAxisLineStyle);
    a.m_gridLine.SetColour(COLORREF(v.nGridLineColor));
    a.m_gridLine.SetPenWidth(v.nGridLineWidth);
    a.m_gridLine.SetPenStyle(v.nGridLineStyle);
    a.m_dXTickInterval = v.dXTickInterval;
    a.m_dYTickInterval = v.dYTickInterval;
    a.m_nAxisType = v.nAxisType;
}

BOOL WritePlot2DDefaults(CProfileStore& store, const char* section, const CPlot2D& plot)
{
    const CPlotAxes& a = plot.m_axes;
    const P2 v{int(plot.m_crBackColor),
               plot.m_nSteps,
               int(plot.m_dZoomFactor),
               plot.m_dYMax,
               plot.m_dYMin,
               plot.m_dXMax,
               plot.m_dXMin,
               a.m_bAutoTicks,
               a.m_bShowTicks,
               a.m_bBoxed,
               a.m_bShowGrid,
               a.m_bShowArrows,
               a.m_bShowLabels,
               int(a.m_axisLine.m_crColour),
               a.m_axisLine.m_nPenWidth,
               a.m_axisLine.m_nPenStyle,
               int(a.m_gridLine.m_crColour),
               a.m_gridLine.m_nPenWidth,
               a.m_gridLine.m_nPenStyle,
               a.m_dXTickInterval,
               a.m_dYTickInterval,
               a.m_nAxisType};
    return WriteProfileSection(store, section, kPlot2DKeys, v);
}

// ---- 2-D graphs --------------------------------------------------------------------------

void ReadGraph2DDefaults(CProfileStore& store, const char* section, CFunctionPlot& graph)
{
    G2 v{};
    ReadProfileSection(store, section, Graph2DKeysOf(section), v);
    graph.SetForm(v.nType);
    graph.SetDomain(v.dMin, v.dMax);
    graph.SetColour(COLORREF(v.nColor));
    graph.SetPenStyle(v.nStyle);
    graph.SetPenWidth(v.nWidth);
}

BOOL WriteGraph2DDefaults(CProfileStore& store, const char* section, const CFunctionPlot& graph)
{
    const G2 v{graph.m_nForm,         graph.m_dDomainMax, graph.m_dDomainMin,
               int(graph.m_crColour), graph.m_nPenStyle,  graph.m_nPenWidth};
    return WriteProfileSection(store, section, Graph2DKeysOf(section), v);
}

// ---- 3-D scene ---------------------------------------------------------------------------

void ReadScene3DDefaults(CProfileStore& store, CPlot3DScene& scene)
{
    S3 v{};
    ReadProfileSection(store, kPlot3DDefSection, kScene3DKeys, v);
    scene.m_nAxisType = v.nAxisType;
    scene.m_bBoxed = v.bBoxed;
    scene.m_bShowTicks = v.bShowTicks;
    scene.m_bShowTickLabels = v.bShowTickLabels;
    scene.m_bShowAxisLabels = v.bShowAxisLabels;
    scene.m_font.SetPenStyle(v.nAxisLineStyle);
    scene.m_font.SetColour(COLORREF(v.nAxisLineColor));
    scene.m_font.SetPenWidth(v.nAxisLineWidth);
    scene.m_crBackColor = COLORREF(v.nBackColor);
    scene.m_nViewportSize = v.nViewportSize;
    scene.m_nAmbientLight = v.nAmbientLight;
    scene.m_dDeltaMu = v.dDeltaMu;
    scene.m_dDeltaPhi = v.dDeltaPhi;
    scene.m_dDeltaTheta = v.dDeltaTheta;
    scene.m_nViews = v.nViews;
}

BOOL WriteScene3DDefaults(CProfileStore& store, const CPlot3DScene& scene)
{
    const S3 v{scene.m_nAxisType,
               scene.m_bBoxed,
               scene.m_bShowTicks,
               scene.m_bShowTickLabels,
               scene.m_bShowAxisLabels,
               scene.m_font.m_nPenStyle,
               int(scene.m_font.m_crColour),
               scene.m_font.m_nPenWidth,
               int(scene.m_crBackColor),
               scene.m_nViewportSize,
               scene.m_nAmbientLight,
               scene.m_dDeltaMu,
               scene.m_dDeltaPhi,
               scene.m_dDeltaTheta,
               scene.m_nViews};
    return WriteProfileSection(store, kPlot3DDefSection, kScene3DKeys, v);
}

// ---- 3-D graphs --------------------------------------------------------------------------

void ReadGraph3DDefaults(CProfileStore& store, CSurfacePlot& surface)
{
    G3 v{};
    ReadProfileSection(store, kGraph3DDefSection, kGraph3DKeys, v);
    surface.SetZRange(v.dZMin, v.dZMax);
    surface.SetYRange(v.dYMin, v.dYMax);
    surface.SetXRange(v.dXMin, v.dXMax);
    surface.m_bAutoSize = v.bAutoSize;
    surface.SetColour(COLORREF(v.nLineColor));
    surface.m_crFillColour = COLORREF(v.nFillColor);
    surface.m_crLight = COLORREF(v.nLightColor);
    surface.SetFillStyle(v.nGridFillStyle);
    surface.SetResolution(v.nGridResolution);
    surface.SetView(v.dViewTheta, v.dViewPhi, v.dViewMu);
    surface.SetLight(v.dLightTheta, v.dLightPhi, v.dLightMu);
}

BOOL WriteGraph3DDefaults(CProfileStore& store, const CSurfacePlot& surface)
{
    const G3 v{surface.m_dZMax,        surface.m_dZMin,         surface.m_dYMax,
               surface.m_dYMin,        surface.m_dXMax,         surface.m_dXMin,
               surface.m_bAutoSize,    int(surface.m_crColour), int(surface.m_crFillColour),
               int(surface.m_crLight), surface.m_nFillStyle,    surface.GetResolution(),
               surface.m_dViewMu,      surface.m_dViewPhi,      surface.m_dViewTheta,
               surface.m_dLightMu,     surface.m_dLightPhi,     surface.m_dLightTheta};
    return WriteProfileSection(store, kGraph3DDefSection, kGraph3DKeys, v);
}
