// Stored forms of graphs, fonts, plots, surfaces and scenes: the file layout, golden files,
// round trips, the other decimal convention, truncations and repairs.
#include "engine/LocaleSeparators.h"
#include "plot/AnalysisResult.h"
#include "plot/Plot2D.h"
#include "plot/Plot3DScene.h"
#include "tests/engine/GoldenFile.h"
#include "tests/framework/ArchiveTestHelpers.h"
#include "tests/plot/ByteBuilder.h"
#include "tests/plot/PlotTestSupport.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>

namespace {

using Bytes = std::vector<unsigned char>;

template <class T> Bytes Store(T& object)
{
    return StoreBytes([&](CArchive& ar) { object.Serialize(ar); });
}

template <class T> void Load(T& object, const Bytes& bytes)
{
    LoadBytes(bytes, [&](CArchive& ar) { object.Serialize(ar); });
}

std::unique_ptr<CFunctionPlot> SampleGraph(bool withReport)
{
    auto g = std::make_unique<CFunctionPlot>();
    g->SetDefinition("2.5*x^2", "", GraphRectangular, -1.5, 4);
    g->m_crColour = 0x0000FF;
    g->m_nPenStyle = 1;
    g->m_nPenWidth = 2;
    g->m_dwSpareA = 7;
    if (withReport) {
        auto report = std::make_unique<CAnalysisResult>();
        report->SetTitle("Zeros");
        report->AddNumber("x = ", 0.5);
        g->SetReport(std::move(report));
    }
    return g;
}

std::unique_ptr<CFunctionPlot> SampleParametric()
{
    auto g = std::make_unique<CFunctionPlot>();
    g->SetDefinition("cos(t)*1.5", "sin(t)", GraphParametric, 0, 6.25);
    g->SetName("circle");
    return g;
}

void FillSamplePlot(CPlot2D& plot)
{
    plot.SetRanges(-4, 6, -2.5, 2.5);
    plot.m_nSteps = 250;
    plot.m_dZoomFactor = 1.5;
    plot.m_crBackColor = 0xF0F0F0;
    plot.m_nAreaPercent = 95;
    plot.m_nBorder = 2;
    plot.m_axes.m_nAxisType = AxisTypeFrame;
    plot.m_axes.m_dXTickInterval = 0.5;
    plot.m_axes.m_fonts[1].m_strText = "second";
    plot.AddItem(SampleGraph(true).release());
    plot.AddItem(SampleParametric().release());
    auto* label = new CPlotFont;
    label->m_strText = "note";
    label->m_rect = RECT{1, 2, 3, 4};
    plot.AddLabel(label);
}

void FillSampleScene(CPlot3DScene& scene)
{
    scene.m_nAmbientLight = 35;
    scene.m_nAxisType = SceneAxesOrigin;
    scene.m_bBoxed = TRUE;
    scene.m_nViews = 4;
    scene.m_dDeltaMu = 10;
    scene.m_rect = RECT{0, 0, 640, 480};
    auto* a = new CSurfacePlot;
    a->SetExpression("x^2-0.5*y");
    a->SetFillStyle(FillSolidGrid);
    a->SetView(0.5, 1.0, 25);
    a->SetZRange(-1, 2.5);
    a->m_bAutoSize = 0;
    scene.AddSurface(a);
    auto* b = new CSurfacePlot; // the default expression
    b->SetResolution(20);
    scene.AddSurface(b);
}

class StoredForm : public PlotTest {};

TEST_F(StoredForm, GraphRecordFollowsTheFileLayoutUnderBothConventions)
{
    struct Case {
        bool dot;
        const char* expression;
        int flag;
    };
    for (const Case c : {Case{true, "2.5*x^2", 1}, Case{false, "2,5*x^2", 0}}) {
        c.dot ? UseDotSeparators() : UseCommaSeparators();
        auto g = SampleGraph(false);
        g->m_strExpression = c.expression;
        const Bytes expected = ByteBuilder()
                                   .Str("")
                                   .I32(1)
                                   .I32(0x0000FF)
                                   .I32(2)
                                   .I32(7)
                                   .I32(0xFF0000)
                                   .I32(1)
                                   .I32(1)
                                   .I32(c.flag)
                                   .I32(0)
                                   .Str(c.expression)
                                   .Str("")
                                   .I32(0)
                                   .F64(-1.5)
                                   .F64(4)
                                   .Str("")
                                   .I32(0)
                                   .bytes;
        EXPECT_EQ(Store(*g), expected) << c.expression;
        EXPECT_FALSE(g->m_bModified) << "storing clears modified";
    }
}

TEST_F(StoredForm, FontRecordKeepsSixtyBytesOfFont)
{
    CPlotFont font;
    font.m_strText = "t";
    const Bytes bytes = Store(font);
    ASSERT_EQ(bytes.size(), 29u + 2 + 16 + 12 + 60);
    const unsigned char* lf = bytes.data() + bytes.size() - 60;
    EXPECT_EQ(lf[0], 0xF5) << "height -11: 8 points at 96 dpi";
    EXPECT_EQ(lf[16], 0x90) << "weight 400";
    EXPECT_EQ(lf[23], 1) << "default character set";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(lf + 28)), "Times New Roman");
}

// Each golden record: what the code stores, and what it stores again after loading it.
struct Golden {
    const char* file;
    bool dot;
    std::function<Bytes()> make;
    std::function<Bytes(const Bytes&)> reload;
};

template <class T> std::function<Bytes(const Bytes&)> Reloader()
{
    return [](const Bytes& bytes) {
        T object;
        Load(object, bytes);
        return Store(object);
    };
}

std::vector<Golden> Goldens()
{
    return {
        {"plot_graph_dot.bin", true, [] { return Store(*SampleGraph(true)); },
         Reloader<CFunctionPlot>()},
        {"plot_graph_comma.bin", false,
         [] {
             auto g = SampleParametric();
             g->m_strExpression = "cos(t)*1,5";
             return Store(*g);
         },
         Reloader<CFunctionPlot>()},
        {"plot_2d.bin", true,
         [] {
             CPlot2D plot;
             FillSamplePlot(plot);
             return Store(plot);
         },
         Reloader<CPlot2D>()},
        {"plot_surface_dot.bin", true,
         [] {
             CSurfacePlot s;
             s.SetExpression("sin(x)*1.5+y");
             s.m_strReserved1 = "r1";
             s.m_dwReserved1 = 3;
             return Store(s);
         },
         Reloader<CSurfacePlot>()},
        {"plot_surface_comma.bin", false,
         [] {
             CSurfacePlot s;
             s.SetExpression("sin(x)*1,5+y");
             return Store(s);
         },
         Reloader<CSurfacePlot>()},
        {"plot_scene.bin", true,
         [] {
             CPlot3DScene scene;
             FillSampleScene(scene);
             return Store(scene);
         },
         Reloader<CPlot3DScene>()},
    };
}

TEST_F(StoredForm, GoldenRecordsStoreAndLoadBackByteForByte)
{
    for (const Golden& g : Goldens()) {
        g.dot ? UseDotSeparators() : UseCommaSeparators();
        golden::Expect(g.file, g.make());
        const Bytes bytes = golden::Read(g.file);
        EXPECT_EQ(g.reload(bytes), bytes) << g.file;
    }
}

TEST_F(StoredForm, ExpressionsReadUnderTheOtherConvention)
{
    UseCommaSeparators();
    CFunctionPlot graph;
    Load(graph, golden::Read("plot_graph_dot.bin"));
    EXPECT_STREQ(graph.GetExpression(), "2,5*x^2");
    ASSERT_NE(graph.GetReport(), nullptr);
    EXPECT_STREQ(graph.GetReport()->GetTitle(), "Zeros");
    CSurfacePlot surface;
    Load(surface, golden::Read("plot_surface_dot.bin"));
    EXPECT_STREQ(surface.GetExpression(), "sin(x)*1,5+y");

    UseDotSeparators();
    Load(graph, golden::Read("plot_graph_comma.bin"));
    EXPECT_STREQ(graph.GetExpression(), "cos(t)*1.5");
    EXPECT_EQ(graph.GetReport(), nullptr) << "the old report goes with the old graph";
    EXPECT_STREQ(graph.GetLabel(), "circle");
    Load(surface, golden::Read("plot_surface_comma.bin"));
    EXPECT_STREQ(surface.GetExpression(), "sin(x)*1.5+y");
}

TEST_F(StoredForm, LoadedPlotsOwnTheirGraphsAndResolveAutomaticStyles)
{
    CPlot2D plot;
    Load(plot, golden::Read("plot_2d.bin"));
    ASSERT_EQ(plot.GetItemCount(), 2);
    EXPECT_EQ(plot.GetItem(0)->m_pOwner, &plot);
    EXPECT_STREQ(plot.GetItem(1)->GetLabel(), "circle");
    EXPECT_EQ(plot.GetLabelCount(), 1);
    EXPECT_STREQ(plot.m_axes.m_fonts[1].m_strText, "second");
    EXPECT_DOUBLE_EQ(plot.m_dXScale, plot.m_rectPlot.Width() / 10.0);
    plot.GetItem(1)->m_crColour = kAutomaticColour;
    plot.GetItem(1)->m_nPenStyle = kAutomatic;
    CPlot2D again;
    Load(again, Store(plot));
    EXPECT_EQ(again.GetItem(1)->m_crColour, 0xFF0000u) << "automatic colour resolved on loading";
    EXPECT_EQ(again.GetItem(1)->m_nPenStyle, PlotPenSolid);

    CPlot3DScene scene;
    Load(scene, golden::Read("plot_scene.bin"));
    ASSERT_EQ(scene.GetSurfaceCount(), 2);
    EXPECT_EQ(scene.GetSurface(0)->m_pOwner, &scene);
    EXPECT_EQ(scene.GetSurface(1)->m_nRows, SurfaceGridSize(20, 768));
}

// Every cut of a record throws the archive error and leaves the object as it was.
template <class T> void ExpectEveryCutRefused(const char* file, const std::function<void(T&)>& fill)
{
    const Bytes bytes = golden::Read(file);
    ASSERT_FALSE(bytes.empty()) << file;
    T object;
    fill(object);
    const Bytes before = Store(object);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        EXPECT_THROW(Load(object, Head(bytes, n)), CArchiveException) << file << " cut at " << n;
        if (Store(object) != before) {
            ADD_FAILURE() << file << " changed by a cut at " << n;
            return;
        }
    }
}

TEST_F(StoredForm, TruncatedRecordsChangeNothing)
{
    ExpectEveryCutRefused<CFunctionPlot>("plot_graph_dot.bin",
                                         [](CFunctionPlot& g) { g.SetExpression("x"); });
    ExpectEveryCutRefused<CPlot2D>("plot_2d.bin",
                                   [](CPlot2D& p) { p.AddFunction("x", "", 0, -1, 1); });
    ExpectEveryCutRefused<CSurfacePlot>("plot_surface_dot.bin",
                                        [](CSurfacePlot& s) { s.SetExpression("x*y"); });
    ExpectEveryCutRefused<CPlot3DScene>("plot_scene.bin",
                                        [](CPlot3DScene& s) { s.AddSurface(new CSurfacePlot); });
}

TEST_F(StoredForm, CountsTheFileCannotHoldAreRefused)
{
    for (int count : {-1, 1000000}) {
        CPlot2D plot;
        plot.m_axes.m_nAxisType = 3;
        Bytes bytes = Store(plot);
        // The graph count stands before the final label count.
        std::memcpy(bytes.data() + bytes.size() - 8, &count, 4);
        CPlot2D target;
        EXPECT_THROW(Load(target, bytes), CArchiveException) << count;
        EXPECT_EQ(target.m_axes.m_nAxisType, 0) << count;

        CPlot3DScene scene;
        bytes = Store(scene);
        std::memcpy(bytes.data() + bytes.size() - 4, &count, 4);
        EXPECT_THROW(Load(scene, bytes), CArchiveException) << count;
    }
}

TEST_F(StoredForm, ValuesThatCannotBeDrawnAreRepairedOnLoading)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        std::function<void(CPlot2D&)> damage;
        std::function<bool(const CPlot2D&)> repaired;
    };
    const Case plotCases[] = {
        {"equal x bounds", [](CPlot2D& p) { p.m_dXMin = p.m_dXMax = 5; },
         [](const CPlot2D& p) { return p.m_dXMin == -3 && p.m_dXMax == 3 && p.m_dYMin == -10; }},
        {"reversed y bounds", [](CPlot2D& p) { p.m_dYMin = 2, p.m_dYMax = 1; },
         [](const CPlot2D& p) { return p.m_dYMin == -3 && p.m_dYMax == 3; }},
        {"infinite x bound", [](CPlot2D& p) { p.m_dXMax = INFINITY; },
         [](const CPlot2D& p) { return p.m_dXMax == 3; }},
        {"area 0", [](CPlot2D& p) { p.m_nAreaPercent = 0; },
         [](const CPlot2D& p) { return p.m_nAreaPercent == 100; }},
        {"area 101", [](CPlot2D& p) { p.m_nAreaPercent = 101; },
         [](const CPlot2D& p) { return p.m_nAreaPercent == 100; }},
        {"zoom 0.5", [](CPlot2D& p) { p.m_dZoomFactor = 0.5; },
         [](const CPlot2D& p) { return p.m_dZoomFactor == 2; }},
        {"zoom NaN", [nan](CPlot2D& p) { p.m_dZoomFactor = nan; },
         [](const CPlot2D& p) { return p.m_dZoomFactor == 2; }},
        {"border 99", [](CPlot2D& p) { p.m_nBorder = 99; },
         [](const CPlot2D& p) { return p.m_nBorder == 32; }},
        {"border -1", [](CPlot2D& p) { p.m_nBorder = -1; },
         [](const CPlot2D& p) { return p.m_nBorder == 0; }},
        {"steps 1", [](CPlot2D& p) { p.m_nSteps = 1; },
         [](const CPlot2D& p) { return p.m_nSteps == 10; }},
        {"tick interval 0", [](CPlot2D& p) { p.m_axes.m_dXTickInterval = 0; },
         [](const CPlot2D& p) { return p.m_axes.m_dXTickInterval == 1; }},
        {"tick interval -2", [](CPlot2D& p) { p.m_axes.m_dYTickInterval = -2; },
         [](const CPlot2D& p) { return p.m_axes.m_dYTickInterval == 1; }},
        {"font height 500", [](CPlot2D& p) { p.m_axes.m_fonts[0].m_logFont.lfHeight = 500; },
         [](const CPlot2D& p) { return p.m_axes.m_fonts[0].m_logFont.lfHeight == -11; }},
        {"face without end",
         [](CPlot2D& p) { std::memset(p.m_axes.m_fonts[2].m_logFont.lfFaceName, 'A', 32); },
         [](const CPlot2D& p) {
             return std::strlen(p.m_axes.m_fonts[2].m_logFont.lfFaceName) == 31;
         }},
        {"graph domain 5 .. 5",
         [](CPlot2D& p) {
             p.AddFunction("r", "", GraphPolar, 0, 1);
             p.GetItem(0)->m_dDomainMin = p.GetItem(0)->m_dDomainMax = 5;
         },
         [](const CPlot2D& p) {
             return p.GetItem(0)->m_dDomainMin == -3 && p.GetItem(0)->m_dDomainMax == 3;
         }},
    };
    for (const Case& c : plotCases) {
        CPlot2D damaged;
        c.damage(damaged);
        CPlot2D loaded;
        Load(loaded, Store(damaged));
        EXPECT_TRUE(c.repaired(loaded)) << c.what;
    }

    struct SceneCase {
        const char* what;
        std::function<void(CPlot3DScene&)> damage;
        std::function<bool(const CPlot3DScene&)> repaired;
    };
    auto surface = [](const CPlot3DScene& s) { return s.GetSurface(0); };
    const SceneCase sceneCases[] = {
        {"fill style 9", [](CPlot3DScene& s) { s.GetSurface(0)->m_nFillStyle = 9; },
         [&](const CPlot3DScene& s) { return surface(s)->m_nFillStyle == FillShaded; }},
        {"view NaN", [nan](CPlot3DScene& s) { s.GetSurface(0)->m_dViewPhi = nan; },
         [&](const CPlot3DScene& s) { return surface(s)->m_dViewPhi == M_PI / 3; }},
        {"light distance infinite",
         [](CPlot3DScene& s) { s.GetSurface(0)->m_dLightMu = -INFINITY; },
         [&](const CPlot3DScene& s) { return surface(s)->m_dLightMu == 1000; }},
        {"x range reversed",
         [](CPlot3DScene& s) { s.GetSurface(0)->m_dXMin = 4, s.GetSurface(0)->m_dXMax = 1; },
         [&](const CPlot3DScene& s) {
             return surface(s)->m_dXMin == -3 && surface(s)->m_dXMax == 3;
         }},
        {"flat z range kept",
         [](CPlot3DScene& s) { s.GetSurface(0)->m_dZMin = s.GetSurface(0)->m_dZMax = 1; },
         [&](const CPlot3DScene& s) {
             return surface(s)->m_dZMin == 1 && surface(s)->m_dZMax == 1;
         }},
        {"resolution 400", [](CPlot3DScene& s) { s.GetSurface(0)->m_nResolution = 400; },
         [&](const CPlot3DScene& s) {
             return surface(s)->m_nResolution == 100 && surface(s)->m_nRows == 256;
         }},
        {"views 40", [](CPlot3DScene& s) { s.m_nViews = 40; },
         [](const CPlot3DScene& s) { return s.m_nViews == 16; }},
        {"views 0", [](CPlot3DScene& s) { s.m_nViews = 0; },
         [](const CPlot3DScene& s) { return s.m_nViews == 1; }},
        {"viewport 0", [](CPlot3DScene& s) { s.m_nViewportSize = 0; },
         [](const CPlot3DScene& s) { return s.m_nViewportSize == 1; }},
        {"viewport 300", [](CPlot3DScene& s) { s.m_nViewportSize = 300; },
         [](const CPlot3DScene& s) { return s.m_nViewportSize == 100; }},
        {"ambient 150", [](CPlot3DScene& s) { s.m_nAmbientLight = 150; },
         [](const CPlot3DScene& s) { return s.m_nAmbientLight == 100; }},
        {"distance step -10", [](CPlot3DScene& s) { s.m_dDeltaMu = -10; },
         [](const CPlot3DScene& s) { return s.m_dDeltaMu == 1000; }},
        {"distance step 1000 kept", [](CPlot3DScene& s) { s.m_dDeltaMu = 1000; },
         [](const CPlot3DScene& s) { return s.m_dDeltaMu == 1000; }},
        {"angle step NaN", [nan](CPlot3DScene& s) { s.m_dDeltaTheta = nan; },
         [](const CPlot3DScene& s) { return s.m_dDeltaTheta == M_PI / 12; }},
        {"rectangle 20000 wide",
         [](CPlot3DScene& s) {
             s.m_rect = RECT{0, 0, 20000, 10};
         },
         [](const CPlot3DScene& s) { return s.m_rect.right == 800 && s.m_rect.bottom == 600; }},
    };
    for (const SceneCase& c : sceneCases) {
        CPlot3DScene damaged;
        damaged.AddSurface(new CSurfacePlot);
        c.damage(damaged);
        CPlot3DScene loaded;
        Load(loaded, Store(damaged));
        EXPECT_TRUE(c.repaired(loaded)) << c.what;
    }
}

TEST_F(StoredForm, SceneKeepsTheLaterOfTwoSurfacesWithOneLabel)
{
    CPlot3DScene scene;
    scene.AddSurface(new CSurfacePlot);
    auto* twin = new CSurfacePlot;
    twin->SetExpression("X*Y");
    scene.AddSurface(twin);
    Bytes bytes = Store(scene);
    // Rename the second surface's expression in the file to the first one's label.
    CPlot3DScene doubled;
    doubled.m_surfaces.push_back(std::make_unique<CSurfacePlot>());
    doubled.m_surfaces.push_back(std::make_unique<CSurfacePlot>());
    doubled.m_surfaces[1]->m_nResolution = 10;
    CPlot3DScene loaded;
    Load(loaded, Store(doubled));
    ASSERT_EQ(loaded.GetSurfaceCount(), 1);
    EXPECT_EQ(loaded.GetSurface(0)->GetResolution(), 10);
}

} // namespace
