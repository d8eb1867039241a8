// The defaults sections of plots and graphs read from and written to a settings store.
#include "plot/PlotDefaults.h"
#include "framework/core/ProfileStore.h"
#include "plot/Plot2D.h"
#include "plot/Plot3DScene.h"
#include "tests/plot/PlotTestSupport.h"

#include <numbers>

namespace {

class PlotDefaults : public PlotTest {};

TEST_F(PlotDefaults, EmptyStoreGivesTheBuiltInValues)
{
    CMemoryProfileStore store;
    CPlot2D plot;
    plot.SetRanges(0, 1, 0, 1);
    ReadPlot2DDefaults(store, kPlot2DDefSection, plot);
    EXPECT_EQ(plot.m_dXMin, -10);
    EXPECT_EQ(plot.m_dYMax, 10);
    EXPECT_EQ(plot.m_nSteps, 400);
    EXPECT_EQ(plot.m_dZoomFactor, 2);
    EXPECT_EQ(plot.m_axes.m_gridLine.m_crColour, 0xE6E6E6u);
    EXPECT_EQ(plot.m_axes.m_gridLine.m_nPenStyle, PlotPenDot);
    EXPECT_TRUE(plot.m_axes.m_gridLine.m_bModified) << "a changed line is marked";

    CFunctionPlot graph, data;
    ReadGraph2DDefaults(store, kGraph2DDefSection, graph);
    ReadGraph2DDefaults(store, kDataGraphDefSection, data);
    EXPECT_EQ(graph.m_crColour, kAutomaticColour);
    EXPECT_EQ(data.m_crColour, 0xFF0000u);
    EXPECT_EQ(graph.m_dDomainMin, -10);
    EXPECT_EQ(graph.m_nPenWidth, 1);

    CPlot3DScene scene;
    ReadScene3DDefaults(store, scene);
    EXPECT_EQ(scene.m_nAxisType, SceneAxesFramed);
    EXPECT_EQ(scene.m_dDeltaTheta, std::numbers::pi / 12);
    EXPECT_EQ(scene.m_dDeltaMu, 1000);

    CSurfacePlot surface;
    ReadGraph3DDefaults(store, surface);
    EXPECT_EQ(surface.m_nFillStyle, FillShadedGrid);
    EXPECT_EQ(surface.GetResolution(), 60);
    EXPECT_EQ(surface.m_nRows, SurfaceGridSize(60, 768));
    EXPECT_EQ(surface.m_crFillColour, 0xFF0000u);
}

TEST_F(PlotDefaults, StoredValuesPassTheirRules)
{
    CMemoryProfileStore store;
    store.WriteInt("PlotDataDef", "Steps", 5);
    store.WriteInt("PlotDataDef", "ZoomFactor", 0);
    store.WriteDouble("PlotDataDef", "XTickInterval", 0);
    store.WriteDouble("PlotDataDef", "YTickInterval", -4);
    store.WriteDouble("PlotDataDef", "xmin", 3);
    store.WriteDouble("PlotDataDef", "xmax", 3);
    const BYTE four[4] = {0, 0, 0, 0};
    store.WriteBinary("PlotDataDef", "ymin", four, 4);
    CPlot2D plot;
    plot.m_dZoomFactor = 3;
    ReadPlot2DDefaults(store, kPlotDataDefSection, plot);
    EXPECT_EQ(plot.m_nSteps, 10);
    EXPECT_EQ(plot.m_dZoomFactor, 3) << "0 keeps the plot's own";
    EXPECT_EQ(plot.m_axes.m_dXTickInterval, 1);
    EXPECT_EQ(plot.m_axes.m_dYTickInterval, 1);
    EXPECT_EQ(plot.m_dXMin, 2) << "equal bounds widened below the maximum";
    EXPECT_EQ(plot.m_dYMin, -10) << "four bytes are no real";

    store.WriteInt("Graph2DDef", "Type", 1);
    store.WriteDouble("Graph2DDef", "Min", 5);
    store.WriteDouble("Graph2DDef", "Max", 1);
    CFunctionPlot graph;
    ReadGraph2DDefaults(store, kGraph2DDefSection, graph);
    EXPECT_EQ(graph.m_nForm, GraphPolar);
    EXPECT_EQ(graph.m_dDomainMin, -3) << "an empty domain is not taken";

    store.WriteInt("Plot3DDef", "Views", 99);
    store.WriteInt("Plot3DDef", "AmbientLight", -4);
    store.WriteDouble("Plot3DDef", "DeltaMu", 1e6);
    CPlot3DScene scene;
    ReadScene3DDefaults(store, scene);
    EXPECT_EQ(scene.m_nViews, 16);
    EXPECT_EQ(scene.m_nAmbientLight, 0);
    EXPECT_EQ(scene.m_dDeltaMu, 1000);

    store.WriteInt("Graph3DDef", "GridFillStyle", 8);
    store.WriteDouble("Graph3DDef", "zmin", 9);
    store.WriteDouble("Graph3DDef", "ViewMu", 25);
    CSurfacePlot surface;
    ReadGraph3DDefaults(store, surface);
    EXPECT_EQ(surface.m_nFillStyle, FillShadedGrid) << "an unknown style gives the default";
    EXPECT_EQ(surface.m_dZMin, -3) << "a range the setter refuses";
    EXPECT_EQ(surface.m_dViewMu, 25);
}

TEST_F(PlotDefaults, WrittenSectionsReadBackAndHoldOnlyTheirKeys)
{
    CMemoryProfileStore store;
    CPlot2D plot;
    plot.SetRanges(-1, 4, 0, 2);
    plot.m_nSteps = 777;
    plot.m_axes.m_nAxisType = AxisTypeFrame;
    plot.m_axes.m_axisLine.m_nPenWidth = 3;
    EXPECT_TRUE(WritePlot2DDefaults(store, kPlot2DDefSection, plot));
    CFunctionPlot graph;
    graph.SetDefinition("x", "", GraphParametric, 1, 2);
    graph.m_crColour = 0x00FF00;
    EXPECT_TRUE(WriteGraph2DDefaults(store, kDataGraphDefSection, graph));
    CPlot3DScene scene;
    scene.m_nViews = 6;
    scene.m_font.m_nPenStyle = PlotPenDash;
    EXPECT_TRUE(WriteScene3DDefaults(store, scene));
    CSurfacePlot surface;
    surface.SetView(0.25, 0.5, 40);
    surface.SetResolution(10);
    EXPECT_TRUE(WriteGraph3DDefaults(store, surface));
    EXPECT_EQ(store.GetEntries().size(), 22u + 6 + 15 + 18);
    EXPECT_EQ(store.GetType("Plot2DDef", "xmin"), CMemoryProfileStore::typeBinary);
    EXPECT_EQ(store.GetType("Plot2DDef", "ZoomFactor"), CMemoryProfileStore::typeInt);

    CPlot2D plotBack;
    ReadPlot2DDefaults(store, kPlot2DDefSection, plotBack);
    EXPECT_EQ(plotBack.m_dXMax, 4);
    EXPECT_EQ(plotBack.m_nSteps, 777);
    EXPECT_EQ(plotBack.m_axes.m_nAxisType, AxisTypeFrame);
    EXPECT_EQ(plotBack.m_axes.m_axisLine.m_nPenWidth, 3);
    CFunctionPlot graphBack;
    ReadGraph2DDefaults(store, kDataGraphDefSection, graphBack);
    EXPECT_EQ(graphBack.m_nForm, GraphParametric);
    EXPECT_EQ(graphBack.m_dDomainMax, 2);
    EXPECT_EQ(graphBack.m_crColour, 0x00FF00u);
    CPlot3DScene sceneBack;
    ReadScene3DDefaults(store, sceneBack);
    EXPECT_EQ(sceneBack.m_nViews, 6);
    EXPECT_EQ(sceneBack.m_font.m_nPenStyle, PlotPenDash);
    CSurfacePlot surfaceBack;
    ReadGraph3DDefaults(store, surfaceBack);
    EXPECT_EQ(surfaceBack.m_dViewMu, 40);
    EXPECT_EQ(surfaceBack.m_dViewTheta, 0.25);
    EXPECT_EQ(surfaceBack.GetResolution(), 10);
}

} // namespace
