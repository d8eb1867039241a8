#pragma once
#include "plot/PlotItem.h"

#include <memory>
#include <string>
#include <vector>

class CAnalysisResult;
class CCalcEngine;
class CPlot2D;
class IBoundTable;

// One sampled point of a graph.
struct PlotPoint {
    double x = 0;
    double y = 0;
    int px = 0;
    int py = 0;
    int bInvalid = 0; // the expression has no value here
};

// Half the side of the black square that marks a data point, in pixels.
constexpr int kDataMarkerHalfSize = 4;

// A graph without an angle mode of its own: it follows its engine's.
constexpr int kEngineAngleMode = -1;

// Forms of a 2-D graph.
enum GraphForm : int { GraphRectangular = 0, GraphPolar = 1, GraphParametric = 2 };

// A 2-D graph: y = f(x), r = f(t), x(t) and y(t), or a data graph that marks the first two
// columns of a bound table. It belongs to one plot (its owner), which gives it the engine,
// the number of samples and the world-to-pixel transform. Sources: FunctionPlot.cpp (data,
// labels, stored form), FunctionPlotDraw.cpp (sampling, mapping, drawing, hit tests, marks).
class CFunctionPlot : public CPlotItem {
public:
    // Automatic colour, style and width; form 0, no expressions, domain -3 .. 3.
    CFunctionPlot();
    ~CFunctionPlot() override;

    // The item's record, the decimal-point flag, form, both expressions (re-encoded to the
    // current decimal convention on loading), a reserved word, the domain (-3 .. 3 when the
    // stored one is empty or not finite), the bound table's name and the report, if any.
    // Loading is all or nothing: a damaged record throws and leaves the graph as it was.
    void Serialize(CArchive& ar) override;
    // FALSE when an expression does not parse; hidden graphs draw nothing and succeed.
    BOOL Draw(CPlotCanvas& canvas) override;

    // Both expressions, then the form, then the domain when min < max and it differs.
    int SetDefinition(const CString& expression, const CString& second, int form, double dMin,
                      double dMax);
    // Stored when it differs; raises resample and modified.
    void SetExpression(const CString& text);
    void SetSecondExpression(const CString& text);
    CString GetExpression() const { return m_strExpression; }
    CString GetSecondExpression() const { return m_strSecondExpression; }
    void SetForm(int form);
    // Taken only when min < max (both finite) and either bound differs.
    void SetDomain(double dMin, double dMax);

    // Binds a data table (not owned; nullptr unbinds) and takes the data extent from its first
    // two columns (an empty column gives 0).
    void AttachDataTable(IBoundTable* pTable);
    IBoundTable* GetDataTable() const { return m_pTable; }
    // The bound table's name, or the name stored for relinking after loading.
    CString GetTableName() const;
    // The data extent; before a table is bound it is empty (min above max).
    double GetXMax() const { return m_dDataXMax; }
    double GetXMin() const { return m_dDataXMin; }
    double GetYMax() const { return m_dDataYMax; }
    double GetYMin() const { return m_dDataYMin; }

    // The name, or BuildLabel when it is empty: the key by which plots and the explorer find
    // the graph (compared without case).
    CString GetLabel() const;
    // "y = f", "r = f" or "x = f; y = g" (':' joins when the list separator is ';').
    CString BuildLabel() const;

    // Base fields, both expressions, owner, form, domain and sampled extent.
    void CopyFrom(const CFunctionPlot& other);

    // The angle mode the graph is evaluated in whatever its engine's (a fitted curve keeps the
    // one it was fitted in), or kEngineAngleMode to follow the engine. Stored in the reserved
    // word, where older files hold 0: they follow the engine.
    void SetOwnAngleMode(int mode);
    int GetOwnAngleMode() const;

    // The owned report of the graph's last analysis.
    CAnalysisResult* GetReport() const { return m_pReport.get(); }
    void SetReport(std::unique_ptr<CAnalysisResult> report);

    // Samples the expressions through the owner's engine when resample is set; FALSE when an
    // expression does not parse.
    BOOL Resample();
    // Raises resample when what the expressions' values depend on (the engine's settings, the
    // names they use) is no longer what the last sampling met; TRUE when it did. A graph never
    // sampled, or without an owner's engine, is left alone.
    BOOL MarkIfInputsChanged();
    // Pixel coordinates of the points from the owner's transform.
    BOOL MapToPixels();
    // Whether a valid point lies within 10 pixels of the world point.
    BOOL HitTest(double x, double y);
    // Inverts a small square at every twentieth point (at least every point), within the plot.
    void DrawMarks(CPlotCanvas& canvas);
    // Inverts again exactly what DrawMarks inverted.
    void EraseMarks(CPlotCanvas& canvas);

    int m_nForm = GraphRectangular;
    CString m_strExpression;
    CString m_strSecondExpression;
    double m_dDomainMin = -3;
    double m_dDomainMax = 3;
    // Extent of the valid sampled points.
    double m_dSampledXMin = -5, m_dSampledXMax = 5, m_dSampledYMin = -3, m_dSampledYMax = 3;
    DWORD m_dwReserved = 0; // the graph's own angle mode, if any (SetOwnAngleMode)
    double m_dDataXMax = -1e300, m_dDataXMin = 1e300, m_dDataYMax = -1e300, m_dDataYMin = 1e300;
    BOOL m_bMarkersOnly = FALSE; // never sampled nor hit-tested (the table-preview graph)
    CPlot2D* m_pOwner = nullptr;
    BOOL m_bResample = TRUE;
    BOOL m_bRemap = TRUE;
    BOOL m_bMarksShown = FALSE;
    std::vector<PlotPoint> m_points;
    std::vector<PlotPoint> m_extraPoints; // mapped like the points; nothing fills it
    BOOL m_bDrawn = FALSE;
    // The last sampling ran out of its time: the curve shows only the points sampled before.
    BOOL m_bCutShort = FALSE;
    CString m_strTableName;

private:
    void SampleRectangular(CCalcEngine& engine, int n, double step);
    void SamplePolar(CCalcEngine& engine, int n, double step);
    BOOL SampleParametric(CCalcEngine& engine, int n, double step);
    void DrawMarkers(CPlotCanvas& canvas);
    void DrawRuns(CPlotCanvas& canvas);

    // What the expressions' values depend on now: their inputs (CCalcEngine::DescribeInputs)
    // joined, or the parse error that stops them.
    std::string InputsNow(CCalcEngine& engine) const;

    IBoundTable* m_pTable = nullptr;
    std::unique_ptr<CAnalysisResult> m_pReport;
    std::string m_sampledInputs; // as the last sampling found them; empty before the first
    std::vector<RECT> m_marks;   // what DrawMarks inverted, within m_marksClip
    RECT m_marksClip = {0, 0, 0, 0};
};

// Splits a graph definition: "y = f" or "f" (form 0), "r = f" (form 1), or "x = f" and
// "y = g" joined by the separator (form 2); another name before '=' keeps the form. A
// separator inside brackets does not split. FALSE when the text is no definition.
BOOL ParseGraphDefinition(const CString& text, CString& expression, CString& second, int& form,
                          char separator);
// The separator between the two halves of a parametric label: ';' when the list separator is
// ',', else ':'.
char GetGraphSeparator();
