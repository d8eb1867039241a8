// The plots on real device contexts under Wine: pixels of a DIB section, records of an
// enhanced metafile, renders, and the owner window's failure message.
#include "plot/DCPlotCanvas.h"
#include "plot/Plot2D.h"
#include "plot/Plot3DScene.h"
#include "plot/PlotPixelThinning.h"
#include "tests/plot/PlotCurvePixels.h"
#include "tests/plot/PlotTestSupport.h"
#include "tests/support/GuiTestSupport.h"

#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <string>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);

// Texts and cell polygons recorded in a metafile.
struct MetafileRecords {
    std::map<std::string, int> texts;
    int polygons = 0;
    int polylines = 0;
    int records = 0;
    std::string description;
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    auto& out = *reinterpret_cast<MetafileRecords*>(data);
    ++out.records;
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) +
                                                             r->emrtext.offString);
        std::string text;
        for (DWORD i = 0; i < r->emrtext.nChars; ++i)
            text += char(chars[i]);
        ++out.texts[text];
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const auto* r = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const char* chars = reinterpret_cast<const char*>(r) + r->emrtext.offString;
        ++out.texts[std::string(chars, r->emrtext.nChars)];
    } else if (record->iType == EMR_POLYGON16 || record->iType == EMR_POLYGON) {
        ++out.polygons;
    } else if (record->iType == EMR_POLYLINE16 || record->iType == EMR_POLYLINE) {
        ++out.polylines;
    }
    return 1;
}

MetafileRecords Records(HENHMETAFILE hMeta)
{
    MetafileRecords out;
    const UINT n = ::GetEnhMetaFileDescriptionA(hMeta, 0, nullptr);
    if (n > 0 && n != GDI_ERROR) {
        std::string d(n, '\0');
        ::GetEnhMetaFileDescriptionA(hMeta, n, d.data());
        out.description = d.c_str();
    }
    ::EnumEnhMetaFile(nullptr, hMeta, CollectRecord, &out, nullptr);
    return out;
}

// The metafile's frame (hundredths of a millimetre of the screen) and the bounds of all it
// records are a picture of cx x cy pixels, give or take the pixel a cut shape ends on.
void ExpectPictureSize(HENHMETAFILE hMeta, int cx, int cy)
{
    HDC hScreen = ::GetDC(nullptr);
    const double mmX =
        100.0 * ::GetDeviceCaps(hScreen, HORZSIZE) / ::GetDeviceCaps(hScreen, HORZRES);
    const double mmY =
        100.0 * ::GetDeviceCaps(hScreen, VERTSIZE) / ::GetDeviceCaps(hScreen, VERTRES);
    ::ReleaseDC(nullptr, hScreen);
    ENHMETAHEADER header = {};
    ASSERT_NE(::GetEnhMetaFileHeader(hMeta, sizeof header, &header), 0u);
    const RECTL& frame = header.rclFrame;
    const RECTL& bounds = header.rclBounds; // inclusive
    EXPECT_NEAR(frame.left, 0, mmX);
    EXPECT_NEAR(frame.top, 0, mmY);
    EXPECT_NEAR(frame.right, cx * mmX, mmX);
    EXPECT_NEAR(frame.bottom, cy * mmY, mmY);
    EXPECT_NEAR(bounds.left, 0, 1);
    EXPECT_NEAR(bounds.top, 0, 1);
    EXPECT_NEAR(bounds.right, cx - 1, 1);
    EXPECT_NEAR(bounds.bottom, cy - 1, 1);
}

class PlotWin : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        m_plot.m_pEngine = &m_engine;
        m_plot.SetPlotAreaPercent(100);
        m_plot.Layout(0, 0, 200, 200); // 10 pixels per unit, origin at (100, 100)
        m_plot.m_axes.m_bShowAxisNames = FALSE;
        m_plot.m_axes.m_bShowLabels = FALSE;
        m_plot.m_axes.m_gridLine.m_nPenStyle = PlotPenSolid;
    }
    CDibImage Render(int w = 200, int h = 200)
    {
        return AfxDrawToDib(w, h, [&](CDC& dc) { m_plot.Draw(&dc); });
    }
    static int CountInColumn(const CDibImage& image, int x, COLORREF colour)
    {
        int n = 0;
        for (int y = 0; y < image.height; ++y)
            n += image.Pixel(x, y) == colour;
        return n;
    }
    CPlot2D m_plot;
};

TEST_F(PlotWin, BackgroundAxesGridAndCurveLandOnTheirPixels)
{
    m_plot.m_crBackColor = RGB(250, 250, 240);
    m_plot.AddFunction("x", "", GraphRectangular, -10, 10);
    m_plot.GetItem(0)->m_crColour = kRed;
    const CDibImage image = Render();
    EXPECT_EQ(image.Pixel(130, 170), RGB(250, 250, 240)) << "background";
    EXPECT_EQ(image.Pixel(100, 37), kBlack) << "the y axis at X(0)";
    EXPECT_EQ(image.Pixel(37, 100), kBlack) << "the x axis at Y(0)";
    EXPECT_EQ(image.Pixel(20, 37), RGB(0xE1, 0xE1, 0xE1)) << "a grid line at x = -8";
    bool curve = false;
    for (int dy = -1; dy <= 1; ++dy)
        curve = curve || image.Pixel(150, 50 + dy) == kRed;
    EXPECT_TRUE(curve) << "y = x passes (5, 5)";
}

TEST_F(PlotWin, NoLineCrossesAPole)
{
    m_plot.SetRanges(-3, 3, -10, 10);
    m_plot.m_axes.m_bShowGrid = FALSE;
    m_plot.AddFunction("tan(x)", "", GraphRectangular, -3, 3);
    m_plot.GetItem(0)->m_crColour = kRed;
    const CDibImage image = Render();
    const int pole = m_plot.WorldToPixelX(std::numbers::pi / 2);
    for (int x = pole - 1; x <= pole + 1; ++x)
        EXPECT_LT(CountInColumn(image, x, kRed), 60) << "column " << x;
    EXPECT_GT(CountInColumn(image, m_plot.WorldToPixelX(0), kRed), 0);
}

TEST_F(PlotWin, MarkersAreEightByEightAndGraphsStayInsideThePlot)
{
    TestTable table;
    table.x = {5, 10};
    table.y = {5, -10}; // the second at the bottom right corner of the ranges
    auto* data = new CFunctionPlot;
    data->AttachDataTable(&table);
    data->m_crColour = RGB(0, 0, 200);
    m_plot.AddItem(data);
    m_plot.AddFunction("3*x", "", GraphRectangular, -10, 10);
    m_plot.GetItem(1)->m_crColour = kRed;
    m_plot.SetPlotAreaPercent(80); // plot rectangle 20, 20, 180, 180
    m_plot.m_axes.m_bShowGrid = FALSE;
    const CDibImage image = Render();
    const CPoint p = m_plot.WorldToPixel(5, 5);
    for (int d = -4; d <= 3; ++d) {
        EXPECT_EQ(image.Pixel(p.x + d, p.y - 4), kBlack) << d;
        EXPECT_EQ(image.Pixel(p.x - 4, p.y + d), kBlack) << d;
    }
    EXPECT_NE(image.Pixel(p.x - 5, p.y), kBlack);
    EXPECT_NE(image.Pixel(p.x + 4, p.y), kBlack);
    // A marker on the corner overhangs the plot rectangle whole.
    const CPoint corner = m_plot.WorldToPixel(10, -10);
    int black = 0;
    for (int y = corner.y - 4; y < corner.y + 4; ++y)
        for (int x = corner.x - 4; x < corner.x + 4; ++x)
            black += image.Pixel(x, y) == kBlack;
    EXPECT_EQ(black, 64) << "corner marker at " << corner.x << "," << corner.y;
    int outside = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            if ((x < 20 || x >= 180 || y < 20 || y >= 180) && image.Pixel(x, y) == kRed)
                ++outside;
        }
    }
    EXPECT_EQ(outside, 0) << "clipped to the plot rectangle";
}

TEST_F(PlotWin, MarksEraseToTheSamePixelsAfterARenderAtAnotherSize)
{
    m_plot.AddFunction("x/2", "", GraphRectangular, -10, 10);
    const CDibImage plain = Render();
    const CDibImage erased = AfxDrawToDib(200, 200, [&](CDC& dc) {
        m_plot.Draw(&dc);
        CDCPlotCanvas canvas(dc);
        m_plot.GetItem(0)->DrawMarks(canvas);
        HBITMAP hBitmap = m_plot.RenderToBitmap(333, 111);
        ::DeleteObject(hBitmap);
        m_plot.GetItem(0)->EraseMarks(canvas);
    });
    ASSERT_EQ(erased.pixels.size(), plain.pixels.size());
    EXPECT_TRUE(erased.pixels == plain.pixels);
    const CDibImage marked = AfxDrawToDib(200, 200, [&](CDC& dc) {
        m_plot.Draw(&dc);
        CDCPlotCanvas canvas(dc);
        m_plot.GetItem(0)->DrawMarks(canvas);
    });
    EXPECT_FALSE(marked.pixels == plain.pixels) << "the marks do show";
}

TEST_F(PlotWin, RendersKeepTheWindowLayoutAndNameTheMetafile)
{
    m_plot.m_axes.m_bShowLabels = TRUE;
    HBITMAP hBitmap = m_plot.RenderToBitmap(300, 120);
    ASSERT_NE(hBitmap, nullptr);
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 300);
    EXPECT_EQ(bm.bmHeight, 120);
    ::DeleteObject(hBitmap);
    EXPECT_TRUE(m_plot.m_rectWindow == CRect(0, 0, 200, 200)) << "the layout is put back";

    HENHMETAFILE hMeta = m_plot.RenderToMetafile(0, 0); // the window's size
    ASSERT_NE(hMeta, nullptr);
    const MetafileRecords records = Records(hMeta);
    ::DeleteEnhMetaFile(hMeta);
    EXPECT_EQ(records.description, "the_name");
    EXPECT_EQ(records.texts.count("-8"), 1u);
    EXPECT_EQ(records.texts.count("0"), 1u) << "x has its zero label, y not";
    EXPECT_EQ(records.texts.count("10"), 0u);
}

// Another program sizes a pasted picture by its metafile's frame: the frame and everything
// recorded are the requested size, however far the graphs leave the view.
TEST_F(PlotWin, ACopiedMetafileIsTheRequestedSizeWhereverTheGraphsGo)
{
    m_plot.m_axes.m_bShowLabels = TRUE;
    m_plot.SetPlotAreaPercent(90);
    m_plot.SetRanges(-6, 6, -20, 20);
    for (const char* f : {"x^3-3*x", "9*x-16", "3*x^2-3"}) // a curve, its tangent at 2, f'
        m_plot.AddFunction(f, "", GraphRectangular, -6, 6);
    const struct {
        int width, height; // asked for; 0 x 0 is the window's 200 x 200
        int cx, cy;
    } sizes[] = {{0, 0, 200, 200}, {535, 400, 535, 400}, {1070, 300, 1070, 300}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message() << s.width << " x " << s.height);
        HENHMETAFILE hMeta = m_plot.RenderToMetafile(s.width, s.height);
        ASSERT_NE(hMeta, nullptr);
        ExpectPictureSize(hMeta, s.cx, s.cy);
        EXPECT_GE(Records(hMeta).polylines, 3) << "the graphs are in the picture";
        ::DeleteEnhMetaFile(hMeta);
    }
}

TEST_F(PlotWin, FailingGraphPostsItsIndexToTheOwnerWindow)
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
    ASSERT_NE(hWnd, nullptr);
    m_plot.SetOwnerWindow(hWnd);
    m_plot.AddFunction("x", "", GraphRectangular, -1, 1);
    m_plot.AddFunction("sin(", "", GraphRectangular, -1, 1);
    CDibImage image = AfxDrawToDib(50, 50, [&](CDC& dc) { EXPECT_FALSE(m_plot.Draw(&dc)); });
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageA(&msg, hWnd, WM_USER + 1, WM_USER + 1, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(msg.lParam, 1);
    EXPECT_FALSE(::PeekMessageA(&msg, hWnd, WM_USER + 1, WM_USER + 1, PM_REMOVE));
    m_plot.m_axes.m_nAxisType = AxisTypeFrame;
    m_plot.Layout(0, 0, 200, 200);
    EXPECT_GT(m_plot.m_rectPlot.left, 5) << "the frame label measured on the window";
    m_plot.SetOwnerWindow(nullptr);
    ::DestroyWindow(hWnd);
}

// The device context's canvas keeping every shape, as on a metafile.
struct EveryShapeCanvas : CDCPlotCanvas {
    using CDCPlotCanvas::CDCPlotCanvas;
    bool DrawsOwnPixels() const override { return false; }
};

TEST_F(PlotWin, ManyPointsLandOnTheSamePixelsWhateverIsLeftOut)
{
    TestTable table; // a noisy band, running off the plot at both ends
    for (int i = 0; i < 6000; ++i) {
        table.x.push_back(-11 + i * 22.0 / 6000);
        table.y.push_back(5 * std::sin(i * 1e-3) + 2 * std::sin(i * 7.77));
    }
    auto* data = new CFunctionPlot;
    data->AttachDataTable(&table);
    m_plot.AddItem(data);
    m_plot.m_nSteps = 5000;
    m_plot.AddFunction("8*sin(25*x)", "", GraphRectangular, -10, 10);
    m_plot.AddFunction("tan(x)", "", GraphRectangular, -10, 10);
    for (const int width : {1, 2}) {
        for (const int style : {PlotPenSolid, PlotPenDash}) {
            for (int i = 1; i <= 2; ++i) {
                m_plot.GetItem(i)->m_nPenWidth = width;
                m_plot.GetItem(i)->m_nPenStyle = style;
            }
            const CDibImage every = AfxDrawToDib(200, 200, [&](CDC& dc) {
                EveryShapeCanvas canvas(dc);
                m_plot.Draw(canvas);
            });
            EXPECT_TRUE(Render().pixels == every.pixels)
                << "width " << width << ", style " << style;
        }
    }

    // Polylines going back and forth in a few columns, with and without their inner points.
    unsigned seed = 7;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % range);
    };
    for (int i = 0; i < 300; ++i) {
        std::vector<POINT> points(std::size_t(2 + next(10)));
        for (std::size_t j = 0, x = 5; j < points.size(); ++j)
            points[j] = POINT{LONG(x += next(3) == 0), 5 + next(6)};
        std::vector<POINT> thinned = points;
        ThinPixelColumns(thinned);
        const auto draw = [](const std::vector<POINT>& p) {
            return AfxDrawToDib(20, 20,
                                [&](CDC& dc) {
                                    ::PatBlt(dc.m_hDC, 0, 0, 20, 20, WHITENESS);
                                    ::Polyline(dc.m_hDC, p.data(), int(p.size()));
                                })
                .pixels;
        };
        EXPECT_TRUE(draw(thinned) == draw(points)) << "polyline " << i;
    }

    // Only a plain copy onto pixels one to one leaves shapes out.
    const auto own = [](const std::function<void(HDC)>& setUp) {
        bool result = false;
        AfxDrawToDib(10, 10, [&](CDC& dc) {
            setUp(dc.m_hDC);
            result = CDCPlotCanvas(dc).DrawsOwnPixels();
        });
        return result;
    };
    EXPECT_TRUE(own([](HDC) {}));
    EXPECT_FALSE(own([](HDC hDC) { ::SetMapMode(hDC, MM_LOMETRIC); }));
    EXPECT_FALSE(own([](HDC hDC) { ::SetROP2(hDC, R2_XORPEN); }));
    HENHMETAFILE hMeta = m_plot.RenderToMetafile(0, 0);
    ASSERT_NE(hMeta, nullptr);
    EXPECT_GT(Records(hMeta).records, 6000) << "a metafile keeps every marker";
    ::DeleteEnhMetaFile(hMeta);
}

// A curve over t keeps its samples when the ranges change, not the pixels they had: after each
// change the three curves are drawn where their values lie, on the screen and in every copy.
TEST_F(PlotWin, CurvesLieWhereTheirValuesAreWhateverChangesTheRanges)
{
    const COLORREF kBlue = RGB(0, 0, 255), kGreen = RGB(0, 160, 0);
    const double pi = std::numbers::pi;
    m_plot.AddFunction("1+cos(t)", "", GraphPolar, 0, 2 * pi);
    m_plot.AddFunction("cos(t)", "sin(2*t)", GraphParametric, 0, 2 * pi);
    m_plot.AddFunction("sin(x)", "", GraphRectangular, -10, 10);
    const COLORREF colours[] = {kBlue, kGreen, kRed};
    for (int i = 0; i < 3; ++i)
        m_plot.GetItem(i)->m_crColour = colours[i];
    CPlot2D other;
    other.SetPlotAreaPercent(100);
    other.Layout(0, 0, 200, 200);
    other.SetRanges(-2.5, 2.5, -1.5, 1.5);
    const struct {
        const char* name;
        std::function<void()> change;
        bool sineShown; // over a million units its samples alias and the cardioid is covered
    } roads[] = {
        {"the ranges of the sine at +-1e6", [&] { m_plot.SetRanges(-1e6, 1e6, -2, 2); }, false},
        {"then ranges of [-3, 3]", [&] { m_plot.SetRanges(-3, 3, -2, 2); }, true},
        {"zoomed in", [&] { m_plot.Zoom(0.5, 0, 0); }, true},
        {"recentred on (1, 0.5)", [&] { m_plot.Recenter(1, 0.5); }, true},
        {"zoomed back", [&] { m_plot.Zoom(0, 0, 0); }, true},
        {"settings of another plot", [&] { m_plot.CopySettings(other); }, true},
        {"a window of another size", [&] { m_plot.Layout(0, 0, 240, 160); }, true},
    };
    for (const auto& road : roads) {
        Render(m_plot.m_rectWindow.Width(), m_plot.m_rectWindow.Height()); // before the change
        road.change();
        const CFunctionPlot& sine = *m_plot.GetItem(2);
        std::vector<KnownCurve> curves = {Cardioid(kBlue), FigureEight(kGreen)};
        if (road.sineShown)
            curves.push_back(GraphOf(
                "the sine", [](double x) { return std::sin(x); }, sine));
        else
            curves[0].bCovered = true; // the figure eight is drawn over its column
        const CSize size = m_plot.m_rectWindow.Size();
        const std::string name = road.name;
        ExpectCurvesWhereTheyLie(Render(size.cx, size.cy), m_plot, curves, name + ", on screen");
        HBITMAP hBitmap = m_plot.RenderToBitmap(0, 0);
        ExpectCurvesWhereTheyLie(BitmapPicture(hBitmap, size.cx, size.cy), m_plot, curves,
                                 name + ", a bitmap copy");
        ::DeleteObject(hBitmap);
        HENHMETAFILE hMeta = m_plot.RenderToMetafile(0, 0);
        ExpectCurvesWhereTheyLie(MetafilePicture(hMeta, size.cx, size.cy), m_plot, curves,
                                 name + ", a metafile copy");
        ::DeleteEnhMetaFile(hMeta);
        // At another size, as printing lays the plot out on its page.
        hBitmap = m_plot.RenderToBitmap(330, 250);
        const CRect window = m_plot.m_rectWindow;
        m_plot.Layout(0, 0, 330, 250);
        ExpectCurvesWhereTheyLie(BitmapPicture(hBitmap, 330, 250), m_plot, curves,
                                 name + ", a larger copy");
        m_plot.Layout(window.left, window.top, window.right, window.bottom);
        ::DeleteObject(hBitmap);
    }
}

class SceneWin : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        m_scene.m_pEngine = &m_engine;
        m_scene.SetRect(0, 0, 200, 200);
        m_surface = new CSurfacePlot;
        m_surface->SetResolution(0);
        m_surface->m_crFillColour = RGB(0, 0, 255);
        m_scene.AddSurface(m_surface);
        m_scene.m_nAxisType = SceneAxesNone;
    }
    COLORREF Centre(int style)
    {
        m_surface->SetFillStyle(style);
        const CDibImage image =
            AfxDrawToDib(200, 200, [&](CDC& dc) { m_scene.Draw(&dc, nullptr); });
        return image.Pixel(100, 100);
    }
    CPlot3DScene m_scene;
    CSurfacePlot* m_surface = nullptr;
};

TEST_F(SceneWin, FillStylesPaintTheirColours)
{
    m_surface->SetExpression("0");
    m_surface->SetView(0.3, 0.5, 1000);
    EXPECT_EQ(Centre(FillSolid), RGB(0, 0, 255));
    EXPECT_EQ(Centre(FillHiddenLine), kWhite) << "cells in the background colour";
    EXPECT_EQ(Centre(FillWireframe), kWhite) << "hollow cells";
    m_surface->SetLight(0.3, std::numbers::pi, 1000);
    EXPECT_EQ(Centre(FillShaded), RGB(0, 0, 255)) << "light behind: the fill colour";
    m_surface->SetLight(0.3, 0.5, 1000);
    const COLORREF lit = Centre(FillShaded);
    EXPECT_NE(lit, RGB(0, 0, 255)) << "lit from the front: lighter";
    EXPECT_EQ(GetBValue(lit), 255);
}

TEST_F(SceneWin, MetafileHoldsTheCellsAndTheTickLabels)
{
    m_scene.m_nAxisType = SceneAxesOrigin;
    m_surface->SetExpression("x*y/3"); // z over -3 .. 3 like x and y
    m_surface->SetFillStyle(FillSolid);
    HENHMETAFILE hMeta = m_scene.RenderToMetafile(400, 300);
    ASSERT_NE(hMeta, nullptr);
    const MetafileRecords records = Records(hMeta);
    ::DeleteEnhMetaFile(hMeta);
    EXPECT_EQ(records.polygons, 49);
    for (const char* t : {"-3.0", "-1.5", "1.5", "3.0"})
        EXPECT_EQ(records.texts.count(t) ? records.texts.at(t) : 0, 3) << t;
    EXPECT_EQ(records.texts.count("0.0") ? records.texts.at("0.0") : 0, 1)
        << "y and z leave out 0.0";
    EXPECT_EQ(m_scene.m_rect.right, 200) << "the scene's rectangle is put back";
}

TEST_F(SceneWin, AMetafileOfACloseViewIsTheRequestedSize)
{
    m_scene.m_nAxisType = SceneAxesOrigin;
    m_surface->SetExpression("x*y/3");
    m_surface->SetFillStyle(FillSolid);
    m_surface->SetView(0.3, 0.5, 2); // the near corner of the surface leaves the picture
    HENHMETAFILE hMeta = m_scene.RenderToMetafile(400, 300);
    ASSERT_NE(hMeta, nullptr);
    ExpectPictureSize(hMeta, 400, 300);
    EXPECT_GT(Records(hMeta).polygons, 40);
    ::DeleteEnhMetaFile(hMeta);
}

TEST_F(SceneWin, TwoContextsGetTheSamePicture)
{
    m_surface->SetFillStyle(FillShadedGrid);
    const CDibImage one = AfxDrawToDib(200, 200, [&](CDC& dc) { m_scene.Draw(&dc, nullptr); });
    CDibImage second;
    const CDibImage first = AfxDrawToDib(200, 200, [&](CDC& dc) {
        second = AfxDrawToDib(200, 200, [&](CDC& dc2) { m_scene.Draw(&dc, &dc2); });
    });
    EXPECT_TRUE(first.pixels == one.pixels);
    EXPECT_TRUE(second.pixels == one.pixels);
}

} // namespace
