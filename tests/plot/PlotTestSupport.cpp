#include "tests/plot/PlotTestSupport.h"

#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"

void PlotTest::SetUp()
{
    FreeGlobalSymbolTables();
    ResetIndependentVariables();
    UseDotSeparators();
    GetPlotScreenMetrics() = PlotScreenMetrics();
}

void PlotTest::TearDown()
{
    FreeGlobalSymbolTables();
    ResetIndependentVariables();
    UseDotSeparators();
    GetPlotScreenMetrics() = PlotScreenMetrics();
}

void RecordingCanvas::SetPen(const PlotPen& p)
{
    pen = p;
    ops.push_back(Op("pen", std::vector<POINT>(), "", p));
}

void RecordingCanvas::SetBrush(COLORREF colour)
{
    brush = colour;
    hollow = false;
    ops.push_back(Op("brush", std::vector<POINT>(), "", pen, colour));
}

void RecordingCanvas::SetHollowBrush()
{
    hollow = true;
    ops.push_back(Op("hollow"));
}

void RecordingCanvas::SetFont(const LOGFONTA& font)
{
    ops.push_back(Op("font", std::vector<POINT>(), font.lfFaceName, pen, COLORREF(font.lfHeight)));
}

void RecordingCanvas::SetTextColour(COLORREF colour)
{
    ops.push_back(Op("colour", std::vector<POINT>(), "", pen, colour));
}

CSize RecordingCanvas::MeasureText(const CString& text) { return CSize(6 * text.GetLength(), 10); }

void RecordingCanvas::TextOut(int x, int y, const CString& text)
{
    ops.push_back(Op("text", std::vector<POINT>{POINT{x, y}}, text.GetString(), pen));
}

void RecordingCanvas::FillRect(const RECT& rect, COLORREF colour)
{
    Op op("fill", {}, "", pen, colour);
    op.rect = rect;
    ops.push_back(op);
}

void RecordingCanvas::Line(int x1, int y1, int x2, int y2)
{
    ops.push_back(Op("line", std::vector<POINT>{POINT{x1, y1}, POINT{x2, y2}}, "", pen));
}

void RecordingCanvas::Polyline(const POINT* points, int count)
{
    ops.push_back(Op("polyline", std::vector<POINT>(points, points + count), "", pen));
}

void RecordingCanvas::Polygon(const POINT* points, int count)
{
    ops.push_back(Op("polygon", std::vector<POINT>(points, points + count), "", pen,
                     hollow ? COLORREF(-1) : brush));
}

void RecordingCanvas::InvertRect(const RECT& rect)
{
    Op op("invert");
    op.rect = rect;
    ops.push_back(op);
}

void RecordingCanvas::SetClipRect(const RECT* rect)
{
    clipped = rect != nullptr;
    if (rect)
        clip = *rect;
    Op op(rect ? "clip" : "unclip");
    if (rect)
        op.rect = *rect;
    ops.push_back(op);
}

std::vector<const RecordingCanvas::Op*> RecordingCanvas::Of(const std::string& kind) const
{
    std::vector<const Op*> found;
    for (const Op& op : ops) {
        if (op.kind == kind)
            found.push_back(&op);
    }
    return found;
}

std::vector<std::string> RecordingCanvas::Texts() const
{
    std::vector<std::string> texts;
    for (const Op* op : Of("text"))
        texts.push_back(op->text);
    return texts;
}

std::vector<std::string> RecordingCanvas::OverlappingTexts() const
{
    const std::vector<const Op*> texts = Of("text");
    auto box = [](const Op* op) {
        const CSize size = CSize(6 * int(op->text.size()), 10);
        return CRect(op->points[0], size);
    };
    // Two numbers side by side need a blank (6 wide here) between them, or they read as one.
    auto gap = [](const Op* a, const Op* b) {
        return a->text.size() > 1 && b->text.size() > 1 ? 6 : 0;
    };
    std::vector<std::string> pairs;
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) {
            const CRect a = box(texts[j]), b = box(texts[i]);
            const int g = gap(texts[j], texts[i]);
            const CRect widened(a.left - g, a.top, a.right + g, a.bottom);
            if (CRect().IntersectRect(&widened, &b))
                pairs.push_back(texts[j]->text + " and " + texts[i]->text);
        }
    return pairs;
}
