// What a 2-D plot draws, recorded on a canvas that measures 6 pixels per character and 10 high:
// ticks, labels and their placement, the grid, graphs broken at poles, markers, marks,
// failures and fitting.
#include "engine/EvaluationWork.h"
#include "plot/Plot2D.h"
#include "plot/PlotClippedCanvas.h"
#include "tests/plot/PlotTestSupport.h"
#include "tests/support/ScopedValue.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace {

struct RecordingOwner : IPlotOwner {
    std::vector<int> failed;
    int measured = 0;
    void OnItemDrawFailed(int index) override { failed.push_back(index); }
    CSize MeasureText(const LOGFONTA&, const CString& text) override
    {
        ++measured;
        return CSize(7 * text.GetLength(), 12);
    }
};

class Plot2DDraw : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        m_plot.m_pEngine = &m_engine;
        m_plot.SetPlotAreaPercent(80);
        m_plot.Layout(0, 0, 500, 400); // plot rectangle 40, 40, 460, 360
    }
    // A markers-only data graph of table, the plot's only item.
    CFunctionPlot* AddMarkers(TestTable& table)
    {
        m_plot.DeleteAll();
        auto* g = new CFunctionPlot;
        g->m_bMarkersOnly = TRUE;
        g->AttachDataTable(&table);
        m_plot.AddItem(g);
        return g;
    }
    RecordingCanvas Draw()
    {
        RecordingCanvas canvas;
        m_plot.Draw(canvas);
        return canvas;
    }
    static std::vector<std::string> Labels(const RecordingCanvas& c)
    {
        std::vector<std::string> texts = c.Texts();
        texts.erase(std::remove_if(texts.begin(), texts.end(),
                                   [](const std::string& t) { return t == "x" || t == "y"; }),
                    texts.end());
        return texts;
    }
    const RecordingCanvas::Op* Text(const RecordingCanvas& c, const std::string& text)
    {
        for (const auto* op : c.Of("text")) {
            if (op->text == text)
                return op;
        }
        return nullptr;
    }
    CPlot2D m_plot;
};

TEST_F(Plot2DDraw, AutomaticTicksOfMinusTenToTen)
{
    m_plot.m_axes.m_bShowGrid = FALSE;
    m_plot.m_axes.m_bShowAxisNames = FALSE;
    const RecordingCanvas c = Draw();
    const std::vector<std::string> labels = Labels(c);
    const std::vector<std::string> x = {"-10", "-8", "-6", "-4", "-2", "0", "2", "4", "6", "8"};
    const std::vector<std::string> y = {"-10", "-8", "-6", "-4", "-2", "2", "4", "6", "8"};
    std::vector<std::string> expected = x;
    expected.insert(expected.end(), y.begin(), y.end());
    EXPECT_EQ(labels, expected) << "10 within 0.5 % of the maximum, no y label on the x axis";
    const auto* zero = Text(c, "0");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->points[0].x, 250 - 3 + 3 + 4) << "the zero label moves right of the y axis";
    EXPECT_EQ(zero->points[0].y, 200 + 2 + 2);
    EXPECT_EQ(m_plot.m_axes.m_dXTickInterval, 2);
    // Axis lines, two arrows of two strokes, and 19 ticks.
    EXPECT_EQ(c.Of("line").size(), 2u + 4 + 10 + 9 + 1);
}

TEST_F(Plot2DDraw, TickStartsAndAxisCrossings)
{
    struct Case {
        double x0, x1, y0, y1;
        int type;
        const char* firstX; // first x label
        int yAxisAt;        // pixel of the y axis
        int xAxisAt;        // pixel of the x axis
    };
    const Case cases[] = {
        {0.5, 3.7, -1, 1, AxisTypeNormal, "0.5", 40, 200},
        {2, 7, -10, 10, AxisTypeNormal, "2", 40, 200},
        {2, 7, 1, 3, AxisTypeNormal, "2", 40, 360},
        {-5, 5, -5, 5, AxisTypeFrameInside, "-5", 40, 360},
        {2, 7, 1, 3, 3, "2", -128, 520},
    };
    for (const Case& k : cases) {
        m_plot.SetRanges(k.x0, k.x1, k.y0, k.y1);
        m_plot.m_axes.m_nAxisType = k.type;
        m_plot.m_axes.m_bShowAxisNames = FALSE;
        const RecordingCanvas c = Draw();
        ASSERT_FALSE(Labels(c).empty()) << k.x0;
        EXPECT_EQ(Labels(c).front(), k.firstX) << k.x0;
        EXPECT_EQ(m_plot.m_axes.m_nYAxisPixel, k.yAxisAt) << k.x0;
        EXPECT_EQ(m_plot.m_axes.m_nXAxisPixel, k.xAxisAt) << k.x0;
    }
}

TEST_F(Plot2DDraw, LabelsFlipInsideExceptInTheFrameType)
{
    m_plot.m_axes.m_bShowAxisNames = FALSE;
    m_plot.m_axes.m_bShowGrid = FALSE;
    m_plot.SetRanges(0, 10, 0, 10); // the axes run along the bottom and left edges
    RecordingCanvas c = Draw();
    EXPECT_EQ(Text(c, "4")->points[0].y, 360 - 2 - 10) << "type 0: above the x axis";
    const auto* y9 = c.Of("text").back();
    EXPECT_EQ(y9->text, "9");
    EXPECT_EQ(y9->points[0].x, 40 + 2 + 2) << "type 0: right of the y axis";

    m_plot.m_axes.m_nAxisType = AxisTypeFrame;
    c = Draw();
    EXPECT_TRUE(m_plot.m_rectPlot == CRect(40 + 12 + 5, 40, 460, 360 - 10 - 5))
        << "room for labels, measured on the canvas";
    EXPECT_EQ(Text(c, "4")->points[0].y, 345 + 2 + 2) << "type 1: below";
    EXPECT_EQ(c.Of("text").back()->points[0].x, 57 - 2 - 6 - 2) << "type 1: left";
    m_plot.Layout(0, 0, 500, 400);
    EXPECT_EQ(m_plot.m_rectPlot.left, 57) << "between drawings: the last measured size";

    RecordingOwner owner;
    m_plot.SetOwner(&owner);
    m_plot.Layout(0, 0, 500, 400);
    EXPECT_EQ(m_plot.m_rectPlot.left, 40 + 14 + 5) << "measured on the owner's device context";
    EXPECT_GT(owner.measured, 0);
}

TEST_F(Plot2DDraw, LabelsComeFromTicksOrGridAndNearZeroIsZero)
{
    m_plot.m_axes.m_bShowAxisNames = FALSE;
    m_plot.SetRanges(-0.3 + 1.1e-16, 0.3, -1, 1);
    m_plot.m_axes.m_bAutoTicks = FALSE;
    m_plot.m_axes.m_dXTickInterval = 0.1;
    RecordingCanvas c = Draw();
    EXPECT_NE(Text(c, "0"), nullptr);
    for (const std::string& t : c.Texts())
        EXPECT_EQ(t.find("e-"), std::string::npos) << t;

    m_plot.m_axes.m_bShowTicks = FALSE;
    c = Draw();
    EXPECT_FALSE(Labels(c).empty()) << "the grid pass labels";
    m_plot.m_axes.m_bShowGrid = FALSE;
    c = Draw();
    EXPECT_TRUE(Labels(c).empty());
}

TEST_F(Plot2DDraw, TickLoopsEndForTinyStepsAndHugeRanges)
{
    m_plot.m_axes.m_bAutoTicks = FALSE;
    m_plot.m_axes.m_dXTickInterval = 1e-9;
    m_plot.m_axes.m_dYTickInterval = 0.001;
    RecordingCanvas c = Draw();
    EXPECT_LE(c.Texts().size(), 40u) << "over 1000 ticks: the automatic step";
    EXPECT_EQ(m_plot.m_axes.m_dXTickInterval, 1e-9) << "the stored interval stays";

    m_plot.m_axes.m_bAutoTicks = TRUE;
    for (double lo : {1e16, -1e16, 1e300}) {
        m_plot.SetRanges(lo, lo + lo * 1e-14, -1, 1);
        c = Draw();
        EXPECT_LE(c.Texts().size(), 1100u) << lo;
    }
}

TEST_F(Plot2DDraw, AxisNamesHideLabelsUnderThemInTheirOwnDrawingOnly)
{
    m_plot.m_axes.m_bShowGrid = FALSE;
    m_plot.SetRanges(-10, 10.5, -10, 10.5);
    RecordingCanvas c = Draw();
    EXPECT_EQ(Text(c, "10"), nullptr) << "10 lies under the name x";
    m_plot.m_axes.m_bShowAxisNames = FALSE;
    c = Draw();
    EXPECT_NE(Text(c, "10"), nullptr) << "no name in this drawing: nothing hidden";
}

TEST_F(Plot2DDraw, BackgroundBorderGridAndAutomaticColours)
{
    m_plot.m_nBorder = 3;
    m_plot.m_crBackColor = kAutomaticColour;
    m_plot.m_axes.m_gridLine.m_crColour = kAutomaticColour;
    m_plot.m_axes.m_gridLine.m_nPenStyle = kAutomatic;
    const RecordingCanvas c = Draw();
    ASSERT_FALSE(c.ops.empty());
    EXPECT_EQ(c.ops[0].kind, "fill");
    EXPECT_EQ(c.ops[0].colour, 0xFFFFFFu) << "automatic background: white";
    const auto borders = c.Of("polyline");
    ASSERT_FALSE(borders.empty());
    EXPECT_EQ(borders[0]->pen.nStyle, PlotPenInsideFrame);
    EXPECT_EQ(borders[0]->pen.nWidth, 3);
    EXPECT_EQ(borders[0]->points[0].x, 3);
    bool gridSeen = false;
    for (const auto* op : c.Of("line")) {
        if (op->pen.crColour == 0xE6E6E6 && op->pen.nStyle == PlotPenDot)
            gridSeen = true;
    }
    EXPECT_TRUE(gridSeen) << "automatic grid: light grey, dotted";
}

TEST_F(Plot2DDraw, GraphsBreakAtPolesAndFailuresAreReported)
{
    RecordingOwner owner;
    m_plot.SetOwner(&owner);
    m_plot.SetRanges(-3, 3, -10, 10);
    m_plot.Layout(0, 0, 250, 250); // a plot 200 pixels high
    m_plot.AddFunction("tan(x)", "", GraphRectangular, -3, 3);
    m_plot.AddFunction("x+", "", GraphRectangular, -3, 3);
    m_plot.AddFunction("sqrt(x)", "", GraphRectangular, -3, 3);
    RecordingCanvas c;
    EXPECT_FALSE(m_plot.Draw(c));
    EXPECT_EQ(owner.failed, std::vector<int>{1});
    EXPECT_EQ(m_plot.m_nFailedItem, 1);
    std::vector<const RecordingCanvas::Op*> tan, root;
    for (const auto* op : c.Of("polyline")) {
        if (op->pen.crColour == 0xFF0000)
            tan.push_back(op);
        else if (op->pen.crColour == 0x0000FF)
            root.push_back(op);
    }
    ASSERT_GE(tan.size(), 3u) << "tan(x) over -3 .. 3: three branches at least";
    for (std::size_t i = 0; i + 1 < tan.size(); ++i) {
        const double end = m_plot.PixelToWorldX(tan[i]->points.back().x);
        const double start = m_plot.PixelToWorldX(tan[i + 1]->points.front().x);
        EXPECT_NEAR(std::fabs(end), M_PI / 2, 0.1) << "runs break only at a pole";
        EXPECT_NEAR(std::fabs(start), M_PI / 2, 0.1);
    }
    ASSERT_EQ(root.size(), 1u);
    EXPECT_EQ(root[0]->points.front().x, m_plot.WorldToPixelX(0.0075)) << "starts at x >= 0";
    EXPECT_TRUE(m_plot.GetItem(2)->m_bDrawn);
    EXPECT_FALSE(m_plot.GetItem(1)->m_bDrawn);
    const auto clip = c.Of("clip");
    ASSERT_EQ(clip.size(), 1u);
    EXPECT_EQ(CRect(clip[0]->rect), m_plot.m_rectPlot);
}

// A curve whose sampling runs out of its time shows what it sampled and is reported like a
// failure, until a sampling in time draws it whole.
TEST_F(Plot2DDraw, ACurveCutShortByItsTimeIsReported)
{
    RecordingOwner owner;
    m_plot.SetOwner(&owner);
    m_plot.AddFunction("FSUM(x, 1, 1000) + x", "", GraphRectangular, -3, 3);
    {
        const ScopedValue noTime(EvaluationSecondsLimit, 0.0);
        RecordingCanvas cut;
        EXPECT_FALSE(m_plot.Draw(cut));
    }
    EXPECT_EQ(owner.failed, std::vector<int>{0});
    EXPECT_TRUE(m_plot.GetItem(0)->m_bCutShort);
    owner.failed.clear();
    m_plot.GetItem(0)->m_bResample = TRUE;
    RecordingCanvas whole;
    EXPECT_TRUE(m_plot.Draw(whole));
    EXPECT_TRUE(owner.failed.empty());
    EXPECT_FALSE(m_plot.GetItem(0)->m_bCutShort);
}

TEST_F(Plot2DDraw, MarkersOnRowsBothColumnsHold)
{
    TestTable table;
    table.x = {0, 1, 2};
    table.y = {0, 5};
    AddMarkers(table);
    RecordingCanvas c = Draw();
    std::vector<RECT> squares;
    for (const auto* op : c.Of("fill")) {
        if (op->rect.right - op->rect.left == 8)
            squares.push_back(op->rect);
    }
    ASSERT_EQ(squares.size(), 2u);
    EXPECT_EQ(squares[0].left, 250 - 4);
    EXPECT_EQ(squares[0].bottom, 200 + 4);
    table.layout = 3;
    c = Draw();
    for (const auto* op : c.Of("fill"))
        EXPECT_NE(op->rect.right - op->rect.left, 8) << "layout 3: no markers";
    EXPECT_EQ(m_plot.HitTest(0, 0), -1) << "markers only: never hit; the y axis";
}

// A row with an empty cell (a refused entry) is no point: no marker, and no stretched range.
TEST_F(Plot2DDraw, RowsWithAnEmptyCellHaveNoMarkerAndLeaveTheRanges)
{
    const struct {
        const char* what;
        double x, y; // the middle row
        int markers;
        const char* extent;
    } cases[] = {
        {"x empty", NAN, 10, 2, "1..2 2..3"},
        {"y empty", 10, NAN, 2, "1..2 2..3"},
        {"both empty", NAN, NAN, 2, "1..2 2..3"},
        {"a point", 1.5, 10, 3, "1..2 2..10"},
    };
    for (const auto& k : cases) {
        TestTable table;
        table.x = {1, k.x, 2};
        table.y = {2, k.y, 3};
        CFunctionPlot* g = AddMarkers(table);
        m_plot.AutoRange();
        int squares = 0;
        const RecordingCanvas c = Draw();
        for (const auto* op : c.Of("fill"))
            squares += op->rect.right - op->rect.left == 8 ? 1 : 0;
        EXPECT_EQ(squares, k.markers) << k.what;
        const auto n = [](double v) { return std::to_string(int(v)); };
        EXPECT_EQ(n(g->GetXMin()) + ".." + n(g->GetXMax()) + " " + n(g->GetYMin()) + ".." +
                      n(g->GetYMax()),
                  k.extent)
            << k.what;
    }
}

TEST_F(Plot2DDraw, AutomaticRangesAreTheDataAndEdgeMarkersOverhangWhole)
{
    struct Case {
        std::vector<double> x, y;
        const char* absent; // a label that must not show, if any
    };
    for (const Case& k : std::initializer_list<Case>{
             {{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, "0.5"}, // the first y tick lies below y's range
             {{0, 1, 2, 3, 4}, {0, 0.5, 1, 0.5, 0}, nullptr}, // both labels by the origin
             {{-3, 7}, {-100, 250}, nullptr},
             {{5}, {5}, nullptr}}) { // one point: at the top right corner
        TestTable table;
        table.x = k.x;
        table.y = k.y;
        AddMarkers(table);
        m_plot.AutoRange();
        const double hi = *std::max_element(k.x.begin(), k.x.end());
        EXPECT_EQ(m_plot.m_dXMin, k.x.size() > 1 ? k.x[0] : hi - 1) << k.x[0];
        EXPECT_EQ(m_plot.m_dXMax, hi) << k.x[0];
        for (int width : {500, 1000}) {
            m_plot.Layout(0, 0, width, 400);
            const RecordingCanvas c = Draw();
            const CRect plot = m_plot.m_rectPlot;
            CRect clip, whole;
            int squares = 0;
            for (const auto& op : c.ops) {
                if (op.kind == "clip")
                    clip = op.rect;
                if (op.kind != "fill" || CRect(op.rect).Width() != 8)
                    continue;
                ++squares;
                const CRect r = op.rect;
                EXPECT_TRUE(whole.IntersectRect(&r, &clip) && whole == r)
                    << k.x[0] << " on " << width << ": marker at " << r.left << "," << r.top;
            }
            EXPECT_EQ(squares, int(k.x.size())) << k.x[0];
            EXPECT_EQ(CRect(c.Of("clip").back()->rect), plot) << "the curves stay inside";
            const CRect last = c.Of("fill").back()->rect;
            EXPECT_GT(last.right, plot.right) << "the marker at x max overhangs";
            EXPECT_EQ(c.OverlappingTexts(), std::vector<std::string>()) << k.x[0];
            const std::vector<std::string> texts = c.Texts();
            if (k.absent) {
                EXPECT_EQ(std::count(texts.begin(), texts.end(), k.absent), 0) << k.x[0];
            }
        }
        m_plot.DeleteAll(); // its graph is bound to the table going out of scope
    }
}

TEST_F(Plot2DDraw, LabelsWithoutRoomInASmallPlotAreLeftOut)
{
    const struct {
        int width, height;
    } sizes[] = {{140, 400}, {500, 90}, {140, 90}};
    for (const auto& size : sizes) {
        m_plot.Layout(0, 0, size.width, size.height);
        const RecordingCanvas c = Draw();
        EXPECT_EQ(c.OverlappingTexts(), std::vector<std::string>())
            << size.width << " x " << size.height;
        EXPECT_GE(Labels(c).size(), 4u) << "every other label still shows";
    }
}

TEST_F(Plot2DDraw, MarksAreErasedWhereTheyWereDrawn)
{
    m_plot.m_nSteps = 10;
    m_plot.AddFunction("x", "", GraphRectangular, -10, 10);
    CFunctionPlot* g = m_plot.GetItem(0);
    Draw();
    RecordingCanvas marks;
    g->DrawMarks(marks);
    EXPECT_EQ(marks.Of("invert").size(), 8u) << "fewer than 20 points: every inner point";
    g->DrawMarks(marks);
    EXPECT_EQ(marks.Of("invert").size(), 8u) << "already shown";
    m_plot.Layout(0, 0, 800, 600); // another size before the erase
    Draw();
    RecordingCanvas erase;
    g->EraseMarks(erase);
    const auto drawn = marks.Of("invert"), erased = erase.Of("invert");
    ASSERT_EQ(erased.size(), drawn.size());
    for (std::size_t i = 0; i < drawn.size(); ++i)
        EXPECT_EQ(CRect(erased[i]->rect), CRect(drawn[i]->rect)) << i;
    EXPECT_FALSE(g->m_bMarksShown);

    m_plot.m_nSteps = 400;
    g->m_bResample = TRUE;
    Draw();
    RecordingCanvas many;
    g->DrawMarks(many);
    EXPECT_EQ(many.Of("invert").size(), 19u) << "every twentieth of 400";
}

TEST_F(Plot2DDraw, HitTestsFindGraphsThenAxes)
{
    m_plot.AddFunction("x", "", GraphRectangular, -10, 10);
    Draw();
    struct Case {
        double x, y;
        int hit;
    };
    for (const Case c : {Case{5, 5.2, 0}, Case{0.1, -8, -1}, Case{-7, 0.2, -2}, Case{5, -5, -3}})
        EXPECT_EQ(m_plot.HitTest(c.x, c.y), c.hit) << c.x << "," << c.y;
    EXPECT_EQ(m_plot.HitTestPixel(m_plot.WorldToPixelX(2), m_plot.WorldToPixelY(2)), 0);
}

TEST_F(Plot2DDraw, NothingWithoutEngineAndBackgroundOnlyWithoutRoom)
{
    m_plot.AddFunction("x", "", GraphRectangular, -10, 10);
    m_plot.m_pEngine = nullptr;
    RecordingCanvas c;
    EXPECT_TRUE(m_plot.Draw(c));
    EXPECT_TRUE(c.ops.empty());
    m_plot.m_pEngine = &m_engine;
    m_plot.m_nBorder = 10;
    m_plot.Layout(0, 0, 10, 10); // the border leaves no plot rectangle
    c = Draw();
    EXPECT_EQ(c.ops[0].kind, "fill");
    EXPECT_TRUE(c.Of("text").empty());
    EXPECT_TRUE(c.Of("clip").empty());
}

TEST_F(Plot2DDraw, AutomaticFitComesBeforeTheAxes)
{
    m_plot.m_bAutoFit = TRUE;
    m_plot.m_axes.m_bShowAxisNames = FALSE;
    m_plot.AddFunction("5+a", "100*a", GraphParametric, 0, 1);
    m_engine.DefineVariable("a", 1, true);
    const RecordingCanvas c = Draw();
    EXPECT_EQ(m_plot.m_dYMax, 100);
    EXPECT_NE(Text(c, "99.5"), nullptr) << "the axes show the fitted range";
}

TEST_F(Plot2DDraw, LabelFontGrowsWithThePrinterScale)
{
    RecordingCanvas c;
    m_plot.Draw(c, 600.0 / 96);
    const auto fonts = c.Of("font");
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(int(fonts.back()->colour), -69) << "-11 pixels times 6.25";
}

} // namespace

namespace {

// The shapes a clipped canvas passes on, one line per shape: "kind x,y x,y ..." or "kind rect".
std::string Passed(const RecordingCanvas& canvas)
{
    std::string out;
    for (const RecordingCanvas::Op& op : canvas.ops) {
        out += (out.empty() ? "" : "; ") + op.kind;
        if (op.kind == "fill" || op.kind == "clip")
            out += " " + std::to_string(op.rect.left) + "," + std::to_string(op.rect.top) + "," +
                   std::to_string(op.rect.right) + "," + std::to_string(op.rect.bottom);
        for (const POINT& p : op.points)
            out += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    }
    return out;
}

// A picture of 100 x 100 clipped to 10, 10, 90, 90: shapes are cut one pixel outside the clip
// rectangle, rectangles trimmed to it, texts wholly outside it left out.
TEST(ClippedPlotCanvas, KeepsOnlyWhatIsInsideThePictureAndTheClip)
{
    const RECT clip = {10, 10, 90, 90};
    const struct {
        const char* what;
        std::function<void(CPlotCanvas&)> draw;
        const char* passed;
    } cases[] = {
        {"a polyline inside",
         [](CPlotCanvas& c) {
             const POINT v[] = {{20, 20}, {80, 80}};
             c.Polyline(v, 2);
         },
         "polyline 20,20 80,80"},
        {"out and back in",
         [](CPlotCanvas& c) {
             const POINT v[] = {{20, 50}, {50, -70}, {80, 50}};
             c.Polyline(v, 3);
         },
         "polyline 20,50 30,9; polyline 70,9 80,50"},
        {"wholly outside",
         [](CPlotCanvas& c) {
             const POINT v[] = {{-50, -50}, {200, -50}, {200, 300}};
             c.Polyline(v, 3);
         },
         ""},
        {"a line", [](CPlotCanvas& c) { c.Line(50, 50, 1000000, 50); }, "line 50,50 90,50"},
        {"a polygon",
         [](CPlotCanvas& c) {
             const POINT v[] = {{50, 50}, {150, 50}, {50, 150}};
             c.Polygon(v, 3);
         },
         "polygon 50,50 90,50 90,90 50,90"},
        {"a rectangle",
         [](CPlotCanvas& c) {
             c.FillRect(RECT{0, 0, 50, 50}, 0);
         },
         "fill 10,10,50,50"},
        {"texts",
         [](CPlotCanvas& c) {
             c.TextOut(91, 50, "abc");
             c.TextOut(85, 50, "abc");
         },
         "text 85,50"},
        {"a clip beyond the picture",
         [](CPlotCanvas& c) {
             const RECT wide = {-10, 50, 200, 300};
             c.SetClipRect(&wide);
             c.SetClipRect(nullptr);
         },
         "clip 0,50,100,100; clip 0,0,100,100"},
    };
    for (const auto& c : cases) {
        RecordingCanvas target;
        CClippedPlotCanvas canvas(target, RECT{0, 0, 100, 100});
        canvas.SetClipRect(&clip);
        target.ops.clear();
        c.draw(canvas);
        EXPECT_EQ(Passed(target), c.passed) << c.what;
    }
}

} // namespace
