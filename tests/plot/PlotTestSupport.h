#pragma once
// Shared pieces of the plot tests: a clean engine, a canvas that records what is drawn and
// measures text at a fixed width, and a table to bind data graphs to.
#include "engine/CalcEngine.h"
#include "plot/BoundTable.h"
#include "plot/PlotCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

// Every plot test starts from empty program-wide tables, the dot convention, 96 dpi and a
// screen 768 pixels high.
class PlotTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CCalcEngine m_engine;
};

// Text is 6 pixels per character wide and 10 high.
struct RecordingCanvas : CPlotCanvas {
    struct Op {
        std::string kind; // pen, brush, hollow, font, colour, text, fill, line, polyline,
                          // polygon, invert, clip, unclip
        std::vector<POINT> points;
        std::string text;
        PlotPen pen;
        COLORREF colour = 0;
        RECT rect = {0, 0, 0, 0};

        explicit Op(std::string k, std::vector<POINT> p = {}, std::string t = "", PlotPen pn = {},
                    COLORREF c = 0)
            : kind(std::move(k)), points(std::move(p)), text(std::move(t)), pen(pn), colour(c)
        {
        }
    };
    std::vector<Op> ops;
    PlotPen pen;
    COLORREF brush = 0;
    bool hollow = false;
    RECT clip = {0, 0, 0, 0};
    bool clipped = false;

    void SetPen(const PlotPen& p) override;
    void SetBrush(COLORREF colour) override;
    void SetHollowBrush() override;
    void SetFont(const LOGFONTA& font) override;
    void SetTextColour(COLORREF colour) override;
    CSize MeasureText(const CString& text) override;
    void TextOut(int x, int y, const CString& text) override;
    void FillRect(const RECT& rect, COLORREF colour) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(const POINT* points, int count) override;
    void Polygon(const POINT* points, int count) override;
    void InvertRect(const RECT& rect) override;
    void SetClipRect(const RECT* rect) override;

    std::vector<const Op*> Of(const std::string& kind) const;
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;
    // The pairs of drawn texts whose boxes meet, or two numbers less than a blank apart side by
    // side, each as "first and second".
    std::vector<std::string> OverlappingTexts() const;
};

// A table of layout 1 (or as set) over two columns of values.
struct TestTable : IBoundTable {
    CString name = "Table1";
    int layout = 1;
    std::vector<double> x, y;
    CString GetName() const override { return name; }
    int GetLayout() const override { return layout; }
    int GetRowCount() const override { return int(x.size()); }
    int GetColumnLength(int column) const override
    {
        return column == 0 ? int(x.size()) : column == 1 ? int(y.size()) : 0;
    }
    double GetValue(int column, int row) const override
    {
        return column == 0 ? x[std::size_t(row - 1)] : y[std::size_t(row - 1)];
    }
    bool HoldsValue(int column, int row) const override
    {
        return !std::isnan(GetValue(column, row));
    }
};
