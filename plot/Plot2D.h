#pragma once
#include "framework/core/CObject.h"
#include "plot/FunctionPlot.h"
#include "plot/PlotAxes.h"

#include <functional>
#include <memory>
#include <vector>

class CCalcEngine;
#ifdef _WIN32
class CDC;
#endif

// The window that shows a plot: it hears of a graph that failed to draw and measures text on
// its device context.
class IPlotOwner : public ITextMeasurer {
public:
    // Graph index failed in the last drawing (the plot window posts message 0x401 for it).
    virtual void OnItemDrawFailed(int index) = 0;
};

// A 2-D coordinate plane with its graphs: world ranges mapped onto a pixel rectangle, axes,
// graphs and text labels, background and sampling settings, zoom with one level of restore,
// hit tests, and drawing on any canvas. Sources: Plot2D.cpp (ranges, items, zoom),
// Plot2DStore.cpp (stored form), Plot2DDraw.cpp (layout and drawing), Plot2DWin.cpp (device
// contexts and the owner window).
class CPlot2D : public CObject {
public:
    CPlot2D();
    ~CPlot2D() override;
    CPlot2D(const CPlot2D&) = delete;
    CPlot2D& operator=(const CPlot2D&) = delete;

    // Ranges, steps, zoom factor, background, area percent, border, axes, graphs and labels.
    // Loading builds a fresh plot and takes it over only when the whole record was read;
    // damaged values are repaired (ranges -3 .. 3, area 100, zoom 2, border 0 .. 32).
    void Serialize(CArchive& ar) override;

    // Background, axes, then each graph clipped to the plot rectangle (data markers to the
    // marker area); TRUE when every graph drew. Without an engine nothing is drawn. dLabelScale
    // enlarges the label font (a printer passes its resolution over the screen's).
    BOOL Draw(CPlotCanvas& canvas, double dLabelScale = 1.0);
#ifdef _WIN32
    BOOL Draw(CDC* pDC, double dLabelScale = 1.0);
    // The plot laid out on (0, 0, width, height), drawn, and laid out again as before; the
    // caller owns the handle (nullptr when it could not be made).
    HENHMETAFILE RenderToMetafile(int width, int height);
    HBITMAP RenderToBitmap(int width, int height);
    // The window that receives message 0x401 and measures text (nullptr for none).
    void SetOwnerWindow(HWND hWnd);
    HWND GetOwnerWindow() const { return m_hOwnerWnd; }
#endif
    // Not owned; nullptr for none.
    void SetOwner(IPlotOwner* pOwner) { m_pOwner = pOwner; }
    IPlotOwner* GetOwner() const { return m_pOwner; }

    // The window rectangle, the margins from the area percent, then the plot rectangle.
    void Layout(int left, int top, int right, int bottom);
    void SetPlotAreaPercent(int percent);
    // Reversed bounds are swapped, equal ones widened below the maximum; graphs of form 0 take
    // the x range as their domain. FALSE (nothing changed) for bounds that are not finite.
    BOOL SetRanges(double xMin, double xMax, double yMin, double yMax);
    // Sample points per graph; a new count has every graph sampled again at its next drawing.
    void SetSteps(int steps);
    // f 0 restores the ranges from before the first zoom, f < 0 centres on (cx, cy), f > 0
    // scales the ranges about their centre. FALSE when the result would be narrower than
    // 1e-10 of its centre (at least 1e-10) or wider than 1e300.
    BOOL Zoom(double f, double cx, double cy);
    BOOL Recenter(double x, double y) { return Zoom(-1, x, y); }
    // Ranges from the visible graphs' data extents, y widened by the allowance and rounded
    // outward to a tenth of its decade; x is the data's own. Without data the ranges stay.
    void AutoRange();
    // Ranges from every graph's sampled extent; an axis nothing was sampled on keeps its range.
    void FitToItems();

    // Takes ownership; resolves automatic attributes and replaces the graph with the same
    // label (deleting it), else appends. Returns the graph's index.
    int AddItem(CFunctionPlot* pGraph);
    // A new graph from its parts, added as AddItem does.
    int AddFunction(const CString& expression, const CString& second, int form, double dMin,
                    double dMax);
    // A new graph from a definition text (ParseGraphDefinition with the label's separator);
    // -1 when the text is no definition.
    int AddFunctionFromText(const CString& text, double dMin, double dMax);
    // Index of the graph whose label equals the text without case, else -1.
    int FindItem(const CString& label) const;
    int GetItemCount() const { return int(m_items.size()); }
    CFunctionPlot* GetItem(int i) const { return m_items[std::size_t(i)].get(); }
    // Deletes graph i (ignored out of range).
    void RemoveItem(int i);
    // Hides every graph but i.
    void ShowSingleItem(int i);
    // Deletes every graph and label.
    void DeleteAll();
    // Resolves automatic colour (the first of seven unused, else a random one), style (dotted
    // when the colour is taken) and width (1).
    void AssignDefaultStyle(CFunctionPlot* pGraph);
    // Source of the random colour when all seven are taken: values 0 .. 32767.
    void SetRandomSource(std::function<int()> source) { m_random = std::move(source); }

    int GetLabelCount() const { return int(m_labels.size()); }
    CPlotFont* GetLabel(int i) const { return m_labels[std::size_t(i)].get(); }
    void AddLabel(CPlotFont* pLabel) { m_labels.emplace_back(pLabel); }

    // The first graph near the world point, else -1 near the y axis, -2 near the x axis, -3.
    int HitTest(double x, double y);
    int HitTestPixel(int px, int py);

    // Where data markers may be drawn: the plot rectangle widened by a marker's half size
    // within the window, so that a marker on an edge of the ranges is drawn whole.
    CRect GetMarkerArea() const;

    int WorldToPixelX(double x) const;
    int WorldToPixelY(double y) const;
    CPoint WorldToPixel(double x, double y) const;
    double PixelToWorldX(int px) const;
    double PixelToWorldY(int py) const;

    // Axes, background, allowance, automatic fit, border, steps, area, margins, ranges and
    // zoom factor; not the graphs, labels, rectangles, saved ranges, engine or owner.
    void CopySettings(const CPlot2D& other);

    // Draws the axes, ticks, labels and grid (called by Draw).
    void DrawAxes(CPlotCanvas& canvas);
    // Labels at a tick; an empty text means the value printed as "%g".
    void DrawXTickLabel(CPlotCanvas& canvas, double x, const CString& text);
    void DrawYTickLabel(CPlotCanvas& canvas, double y, const CString& text);

    int m_nAreaPercent = 80;
    int m_nMarginX = 0, m_nMarginY = 0;
    CRect m_rectWindow{0, 0, 100, 100};
    CRect m_rectPlot{0, 0, 100, 100};
    int m_nBorder = 0;
    double m_dXScale = 5, m_dYScale = 5;
    double m_dXMin = -10, m_dXMax = 10, m_dYMin = -10, m_dYMax = 10;
    double m_dXRange = 20, m_dYRange = 20;
    double m_dSavedXMin = 0, m_dSavedXMax = 0, m_dSavedYMin = 0, m_dSavedYMax = 0;
    CPlotAxes m_axes;
    CCalcEngine* m_pEngine = nullptr;
    COLORREF m_crBackColor = 0xFFFFFF;
    int m_nSteps = 400;
    double m_dZoomFactor = 2.0;
    double m_dAutoRangeAllowance = 0.1;
    BOOL m_bAutoFit = FALSE;
    int m_nFailedItem = -1;

private:
    void ComputePlotRect();
    void RecomputeScales();
    // Text size in the label font, on the owner's device context when there is one.
    CSize MeasureFrameLabel(CPlotCanvas* pCanvas);
    void AdoptLoaded(CPlot2D& loaded);
    BOOL SetRangesUnchecked(double xMin, double xMax, double yMin, double yMax);
    void DrawBackground(CPlotCanvas& canvas);
    void DrawTicksAndGrid(CPlotCanvas& canvas, double x0, double xStep, double y0, double yStep);

    std::vector<std::unique_ptr<CFunctionPlot>> m_items;
    std::vector<std::unique_ptr<CPlotFont>> m_labels;
    IPlotOwner* m_pOwner = nullptr;
    std::function<int()> m_random;
    // The canvas of the drawing in progress measures when no owner does.
    CPlotCanvas* m_pDrawingCanvas = nullptr;
    CSize m_sizeFrameLabel{0, 0};
    double m_dLabelScale = 1.0;
    // The labels drawn so far in the drawing in progress, names included: a label crossing one
    // of its own axis, or a y label crossing an x label, or closer beside it than a blank of the
    // labels' font (m_nLabelGap), is left out.
    std::vector<CRect> m_xLabelRects;
    std::vector<CRect> m_yLabelRects;
    int m_nLabelGap = 0;
#ifdef _WIN32
    HWND m_hOwnerWnd = nullptr;
    std::unique_ptr<IPlotOwner> m_pWindowOwner;
#endif
};
