// The 3-D renderer on a recording canvas: projection, painting order, cells, fill styles,
// shading limits, degenerate views, box and axes, and the series of views.
#include "engine/EvaluationWork.h"
#include "engine/LocaleSeparators.h"
#include "plot/Plot3DScene.h"
#include "tests/plot/PlotTestSupport.h"
#include "tests/support/ScopedValue.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

class Plot3DDraw : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        m_scene.m_pEngine = &m_engine;
        m_scene.SetRect(0, 0, 400, 300);
        m_surface = new CSurfacePlot;
        m_surface->SetResolution(0); // a 10 x 10 grid
        m_scene.AddSurface(m_surface);
    }
    RecordingCanvas Draw()
    {
        RecordingCanvas c;
        m_result = m_scene.Draw(c);
        return c;
    }
    static std::vector<const RecordingCanvas::Op*> Cells(const RecordingCanvas& c)
    {
        std::vector<const RecordingCanvas::Op*> cells;
        for (const auto* op : c.Of("polygon")) {
            if (op->points.size() == 4 && op->colour != COLORREF(-1))
                cells.push_back(op);
        }
        return cells;
    }
    CPlot3DScene m_scene;
    CSurfacePlot* m_surface = nullptr;
    BOOL m_result = FALSE;
};

TEST_F(Plot3DDraw, KnownProjections)
{
    m_surface->SetView(0, kPi / 2, 10);
    struct Case {
        double x, y, z, px, py;
    };
    for (const Case c : {Case{1, 0, 0, 0, 0}, Case{0, 1, 0, 0.1, 0}, Case{0, 0, 1, 0, 0.1},
                         Case{0, 2, 2, 0.2, 0.2}, Case{-1, 1, 0, 1.0 / 11, 0}}) {
        double px = 0, py = 0;
        m_surface->ProjectPoint(c.x, c.y, c.z, px, py);
        EXPECT_NEAR(px, c.px, 1e-12) << c.x << "," << c.y << "," << c.z;
        EXPECT_NEAR(py, c.py, 1e-12) << c.x << "," << c.y << "," << c.z;
    }
}

TEST_F(Plot3DDraw, MeshSamplesTheExpressionAndSizesZ)
{
    m_surface->SetExpression("sqrt(x)+y");
    ASSERT_EQ(m_surface->ComputeMesh(), 0);
    EXPECT_TRUE(m_surface->Vertex(0, 5).bInvalid) << "x = -3";
    EXPECT_FALSE(m_surface->Vertex(9, 0).bInvalid);
    EXPECT_NEAR(m_surface->m_dZMax, std::sqrt(3.0) + 3, 1e-12) << "z from the valid values";
    EXPECT_NEAR(m_surface->m_dZMin, -3 + std::sqrt(1.0 / 3), 1e-12);
    EXPECT_NEAR(m_surface->Vertex(9, 9).x, 3, 1e-12) << "centred: the x centre is 0";
    EXPECT_FALSE(m_surface->m_bRebuild);

    m_surface->SetExpression("2");
    m_surface->ComputeMesh();
    EXPECT_EQ(m_surface->m_dZMin, 2);
    EXPECT_EQ(m_surface->m_dZMax, 2) << "a constant is a flat sheet";
    const RecordingCanvas c = Draw();
    EXPECT_EQ(Cells(c).size(), 49u) << "flat, still drawn";

    m_surface->SetExpression("x+");
    EXPECT_NE(m_surface->ComputeMesh(), 0);
    EXPECT_FALSE(m_scene.Draw(*std::make_unique<RecordingCanvas>()));
}

TEST_F(Plot3DDraw, SevenBySevenCellsFromEveryStartingCorner)
{
    m_surface->SetFillStyle(FillSolidGrid);
    struct Case {
        double theta;
        int firstRow, firstColumn; // the first cell's first vertex
    };
    // theta 0: x points at the eye, so row 0 is far, and the tie with (0, k-1) goes to
    // (0, 0); theta 180: the tie of the last row goes to (k-1, k-1).
    const Case cases[] = {{0, 1, 1},       {kPi, 8, 8},      {kPi * 5 / 4, 8, 8},
                          {kPi / 4, 1, 1}, {-kPi / 4, 1, 8}, {kPi * 3 / 4, 8, 1}};
    for (const Case& k : cases) {
        m_surface->SetView(k.theta, kPi / 2 - 0.3, 1000);
        const RecordingCanvas c = Draw();
        const auto cells = Cells(c);
        EXPECT_EQ(cells.size(), 49u) << k.theta;
        ASSERT_FALSE(cells.empty());
        const VertexRecord& v = m_surface->Vertex(k.firstRow, k.firstColumn);
        EXPECT_EQ(cells[0]->points[0].x, v.X) << k.theta;
        EXPECT_EQ(cells[0]->points[0].y, v.Y) << k.theta;
    }
    m_surface->SetView(0, 0, 1000); // straight down: every corner at one depth
    const RecordingCanvas c = Draw();
    const auto cells = Cells(c);
    ASSERT_FALSE(cells.empty());
    EXPECT_EQ(cells[0]->points[0].x, m_surface->Vertex(1, 1).X) << "a tie starts at (0, 0)";
}

TEST_F(Plot3DDraw, FillStylesChooseTheirPensAndBrushes)
{
    m_surface->m_crColour = 0x000010;
    m_surface->m_crFillColour = 0x002000;
    m_scene.m_crBackColor = 0x300000;
    struct Case {
        int style;
        COLORREF pen, brush; // -1 brush: hollow; 1: a shade
    };
    const Case cases[] = {{0, 0x10, COLORREF(-1)}, {1, 0x10, 0x300000}, {2, 0x10, 0x2000},
                          {3, 0x2000, 0x2000},     {4, 0x10, 1},        {5, 1, 1}};
    for (const Case& k : cases) {
        m_surface->SetFillStyle(k.style);
        RecordingCanvas c;
        m_scene.Draw(c);
        std::vector<const RecordingCanvas::Op*> cells;
        for (const auto* op : c.Of("polygon")) {
            if (op->points.size() == 4)
                cells.push_back(op);
        }
        ASSERT_EQ(cells.size(), 49u) << k.style;
        for (const auto* op : cells) {
            if (k.pen != 1) {
                EXPECT_EQ(op->pen.crColour, k.pen) << k.style;
            }
            if (k.brush != 1) {
                EXPECT_EQ(op->colour, k.brush) << k.style;
            }
            if (k.style == 5) {
                EXPECT_EQ(op->pen.crColour, op->colour) << "pen and brush share the shade";
            }
        }
    }
}

TEST_F(Plot3DDraw, ShadingLimits)
{
    m_surface->SetFillStyle(FillShaded);
    m_surface->m_crFillColour = 0x0000FF;
    m_surface->m_crLight = 0xFFFFFF;
    m_surface->SetExpression("0");
    m_surface->SetView(0.3, 0.4, 1000);
    m_surface->SetLight(0.3, kPi, 1000); // below a flat sheet seen from above
    RecordingCanvas c = Draw();
    for (const auto* op : Cells(c))
        EXPECT_EQ(op->colour, 0x0000FFu) << "light behind: the fill colour";

    m_surface->SetLight(0.3, 0.4, 1000);
    m_scene.m_nAmbientLight = 100;
    m_surface->m_bReshade = TRUE;
    c = Draw();
    for (const auto* op : Cells(c))
        EXPECT_EQ(op->colour, 0xFFFFFFu) << "all ambient: the light's colour";

    m_scene.m_nAmbientLight = 20;
    m_surface->SetExpression("sqrt(x*y)");
    c = Draw();
    EXPECT_FALSE(Cells(c).empty());
    for (const VertexRecord& v : m_surface->m_grid)
        EXPECT_LE(v.shade, 0xFFFFFFu) << "no NaN reaches a colour";
}

TEST_F(Plot3DDraw, CellsOutsideAFixedZRangeAreLeftOut)
{
    m_surface->SetExpression("x");
    m_surface->m_bAutoSize = 0;
    m_surface->SetZRange(-1, 1);
    const RecordingCanvas c = Draw();
    EXPECT_EQ(Cells(c).size(), 7u * 2) << "only the rows with x in -1 .. 1";
}

TEST_F(Plot3DDraw, AnEyeInsideTheBoxOrAFlatViewPaintsSafely)
{
    m_surface->SetView(0.3, 0.4, 0.5); // inside the box
    RecordingCanvas c = Draw();
    EXPECT_TRUE(m_result);
    for (const auto* op : Cells(c)) {
        for (const POINT& p : op->points)
            EXPECT_LT(std::abs(p.x), 100000) << "no cell blown up by a point behind the eye";
    }
    m_surface->SetView(0.3, 0.4, -5000); // the whole box behind the eye
    c = Draw();
    EXPECT_TRUE(Cells(c).empty());
    EXPECT_TRUE(c.Of("text").empty()) << "background only";
    m_surface->SetView(0.3, 0.4, 1000);
    m_scene.SetRect(0, 0, 0, 0);
    c = Draw();
    EXPECT_TRUE(Cells(c).empty()) << "an empty rectangle: background only";
}

TEST_F(Plot3DDraw, NoSceneOrEngineDrawsNothingAndSucceeds)
{
    CSurfacePlot alone;
    RecordingCanvas c;
    EXPECT_TRUE(alone.DrawSurface(c, nullptr));
    EXPECT_TRUE(c.ops.empty());
    m_scene.m_pEngine = nullptr;
    c = Draw();
    EXPECT_TRUE(m_result);
    EXPECT_EQ(c.ops.size(), 1u) << "the background";
}

// A surface cut short by its time looks complete where it was sampled: the drawing says so.
TEST_F(Plot3DDraw, ASurfaceCutShortByItsTimeIsReported)
{
    m_surface->SetExpression("FSUM(x*y, 1, 1000)");
    {
        const ScopedValue noTime(EvaluationSecondsLimit, 0.0);
        Draw();
    }
    EXPECT_FALSE(m_result);
    EXPECT_TRUE(m_surface->m_bCutShort);
    m_surface->m_bRebuild = TRUE;
    Draw();
    EXPECT_TRUE(m_result);
    EXPECT_FALSE(m_surface->m_bCutShort);
}

TEST_F(Plot3DDraw, AxisLabelsAndTheirSkippedCrossings)
{
    m_scene.m_nAxisType = SceneAxesOrigin;
    m_surface->SetExpression("x*y/3");
    auto count = [](const RecordingCanvas& c, const char* text) {
        const auto texts = c.Texts();
        return std::count(texts.begin(), texts.end(), std::string(text));
    };
    RecordingCanvas c = Draw();
    EXPECT_EQ(count(c, "-3.0"), 3);
    EXPECT_EQ(count(c, "-1.5"), 3);
    EXPECT_EQ(count(c, "1.5"), 3);
    EXPECT_EQ(count(c, "0.0"), 1) << "y and z leave out the crossing while ticks show";
    EXPECT_EQ(count(c, "x") + count(c, "y") + count(c, "z"), 3);

    m_scene.m_bShowTicks = FALSE;
    c = Draw();
    EXPECT_EQ(count(c, "0.0"), 1) << "y's and z's zeros would stand on or beside x's";
    m_scene.m_bShowTickLabels = FALSE;
    m_scene.m_bShowAxisLabels = FALSE;
    c = Draw();
    EXPECT_TRUE(c.Texts().empty());

    m_scene.m_bShowTickLabels = TRUE;
    for (int bad : {0, 1, 1000, -3}) {
        for (AxisRecord3D& a : m_surface->m_axes)
            a.nTickCount = bad;
        c = Draw();
        EXPECT_EQ(c.Texts().size(), 13u) << "a count of " << bad << " draws as 5";
    }
    m_scene.m_nAxisType = SceneAxesNone;
    c = Draw();
    EXPECT_TRUE(c.Texts().empty());
}

TEST_F(Plot3DDraw, LabelTextsOfTheThreeAxesNeverMeet)
{
    struct Case {
        const char* expression; // the z range follows it
        int type;
        BOOL ticks;
        BOOL letters;
        bool comma;
        const char* texts; // in drawing order: x, y and z with their letters
    };
    const Case cases[] = {
        // y's -3.0 at the foot of the z axis would read as the lowest z value: left out
        {"x*y/9", SceneAxesFramed, TRUE, TRUE, false,
         "-3.0 -1.5 x 0.0 1.5 3.0 -1.5 y 0.0 1.5 -0.5 z 0.0 0.5 1.0"},
        // -0.02 rounds to zero: no sign
        {"x*y/9-0.02", SceneAxesFramed, TRUE, FALSE, false,
         "-3.0 -1.5 0.0 1.5 3.0 -1.5 0.0 1.5 -0.5 0.0 0.5 1.0"},
        {"x*y/9-0.02", SceneAxesFramed, TRUE, FALSE, true,
         "-3,0 -1,5 0,0 1,5 3,0 -1,5 0,0 1,5 -0,5 0,0 0,5 1,0"},
        // through the origin the letters stand clear of the last labels; z's -0.5 would stand
        // less than a blank beside y's 1.5 and read as one number with it
        {"x*y/9", SceneAxesOrigin, TRUE, TRUE, false,
         "-3.0 -1.5 0.0 1.5 x 3.0 -3.0 -1.5 1.5 y 3.0 -1.0 0.5 z 1.0"},
        // without ticks the crossings are labelled, but y's zero would stand beside x's and
        // z's would lie on it
        {"x*y/3", SceneAxesOrigin, FALSE, TRUE, false,
         "-3.0 -1.5 0.0 1.5 x 3.0 -3.0 -1.5 1.5 y 3.0 -3.0 -1.5 1.5 z 3.0"},
    };
    for (const Case& k : cases) {
        if (k.comma)
            UseCommaSeparators();
        else
            UseDotSeparators();
        m_surface->SetExpression(k.expression);
        m_scene.m_nAxisType = k.type;
        m_scene.m_bShowTicks = k.ticks;
        m_scene.m_bShowAxisLabels = k.letters;
        const RecordingCanvas c = Draw();
        std::string texts;
        for (const std::string& t : c.Texts())
            texts += (texts.empty() ? "" : " ") + t;
        EXPECT_EQ(texts, k.texts) << k.expression << " type " << k.type;
        EXPECT_EQ(c.OverlappingTexts(), std::vector<std::string>()) << k.expression;
    }
    UseDotSeparators();
    // In a small plot the labels of one axis crowd each other: the later ones are left out.
    m_scene.SetRect(0, 0, 110, 90);
    for (int type : {SceneAxesFramed, SceneAxesOrigin}) {
        m_scene.m_nAxisType = type;
        const RecordingCanvas c = Draw();
        EXPECT_EQ(c.OverlappingTexts(), std::vector<std::string>()) << "type " << type;
        EXPECT_GE(c.Texts().size(), 3u) << "type " << type;
    }
}

TEST_F(Plot3DDraw, FramedAxesMoveWithTheViewAndTheBoxShowsItsFrontFaces)
{
    m_scene.m_bBoxed = TRUE;
    m_surface->SetView(kPi / 3, kPi / 3, 1000);
    RecordingCanvas c = Draw();
    const auto faces = c.Of("polygon");
    const long hollow = std::count_if(faces.begin(), faces.end(),
                                      [](const auto* op) { return op->colour == COLORREF(-1); });
    EXPECT_EQ(hollow, 3) << "three faces turn to an eye outside the box";
    const POINT before = c.Of("text")[0]->points[0];
    m_surface->SetView(kPi / 3 + kPi / 2, kPi / 3, 1000);
    c = Draw();
    const POINT after = c.Of("text")[0]->points[0];
    EXPECT_FALSE(before.x == after.x && before.y == after.y) << "the axes take another corner";
}

// Records the surface's view and target rectangle as each view starts its axes.
struct ViewRecorder : RecordingCanvas {
    const CSurfacePlot* surface = nullptr;
    std::vector<double> distances;
    std::vector<RECT> tiles;
    void SetFont(const LOGFONTA& font) override
    {
        distances.push_back(surface->m_dViewMu);
        tiles.push_back(surface->m_rectTarget);
        RecordingCanvas::SetFont(font);
    }
};

TEST_F(Plot3DDraw, SeriesTilesTheViewsAndPutsTheSurfaceBack)
{
    m_scene.m_nViewportSize = 100;
    struct Case {
        int views, rows, columns;
    };
    for (const Case k :
         {Case{2, 1, 2}, Case{4, 2, 2}, Case{5, 2, 3}, Case{6, 2, 3}, Case{8, 2, 4}}) {
        m_scene.m_nViews = k.views;
        ViewRecorder c;
        c.surface = m_surface;
        EXPECT_TRUE(m_scene.Draw(c));
        ASSERT_EQ(int(c.tiles.size()), k.views) << k.views;
        const int tw = 400 / k.columns, th = 300 / k.rows;
        const RECT last = c.tiles.back();
        const int i = k.views - 1;
        EXPECT_EQ(last.left, (i % k.columns) * tw + tw / 10) << k.views;
        EXPECT_EQ(last.top, (i / k.columns) * th + th / 10) << k.views;
    }
    m_scene.m_nViews = 4;
    m_scene.m_dDeltaMu = 10;
    m_surface->m_bModified = FALSE;
    const RECT before = m_surface->m_rectTarget;
    ViewRecorder c;
    c.surface = m_surface;
    m_scene.Draw(c);
    EXPECT_EQ(c.distances, (std::vector<double>{1000, 2000, 4000, 8000}));
    EXPECT_EQ(m_surface->m_dViewMu, 1000);
    EXPECT_EQ(m_surface->m_dViewTheta, kPi / 3);
    EXPECT_EQ(m_surface->m_rectTarget.right, before.right) << "the rectangle before the series";
    EXPECT_EQ(m_surface->m_rectTarget.top, before.top);
    EXPECT_TRUE(m_surface->m_bModified);

    m_surface->SetExpression("x+");
    EXPECT_TRUE(m_scene.Draw(c)) << "a series succeeds even when its surface fails";
}

TEST_F(Plot3DDraw, ProgressiveDrawingPaintsBothCanvasesRowByRow)
{
    RecordingCanvas whole;
    m_scene.Draw(whole);
    RecordingCanvas a, b;
    ASSERT_EQ(m_surface->ComputeMesh(), 0);
    int calls = 1;
    for (BOOL done = m_surface->DrawProgressive(a, &b, TRUE); !done;
         done = m_surface->DrawProgressive(a, &b, FALSE))
        ++calls;
    EXPECT_EQ(calls, 7) << "one call per row of cells";
    EXPECT_EQ(Cells(a).size(), 49u);
    EXPECT_EQ(Cells(b).size(), 49u);
    EXPECT_EQ(a.Texts(), whole.Texts()) << "box and axes at the end, on both";
    EXPECT_EQ(b.Texts(), whole.Texts());
    EXPECT_TRUE(m_surface->DrawProgressive(a, &b, FALSE)) << "done stays done";
}

} // namespace
