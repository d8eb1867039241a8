#pragma once
#include "plot/Plot3DBase.h"

#include <string>

// A surface z = f(x, y) over a rectangle of the x-y plane, sampled through the engine of its
// scene on a k x k grid whose size follows the resolution.
class CSurfacePlot : public CPlot3DBase {
public:
    // The default expression, resolution 50 and ranges -3 .. 3.
    CSurfacePlot();

    // The base record, the decimal-point flag, a reserved word, the expression (re-encoded to
    // the current convention on loading), two reserved strings, a reserved word and the
    // resolution. A damaged record throws and leaves the surface as it was.
    void Serialize(CArchive& ar) override;

    // Stored when it differs without regard to case; raises rebuild and modified.
    void SetExpression(const CString& text);
    CString GetExpression() const { return m_strExpression; }
    // "z = " and the expression: the key by which the scene finds the surface.
    CString GetEquationText() const { return "z = " + m_strExpression; }
    // Resolution 0 .. 100; the grid size grows with its cube up to a third of the screen
    // height, at least 10 and at most 256.
    void SetResolution(int resolution);
    int GetResolution() const { return m_nResolution; }
    // The base's fields, the expression and the second reserved word, then the resolution.
    void CopyFrom(const CSurfacePlot& other);

    // Samples the grid when rebuild is set; the parse error, or 0.
    int ComputeMesh();
    // Raises rebuild when what the expression's values depend on (the engine's settings, the
    // names it uses) is no longer what the last sampling met; TRUE when it did. A surface never
    // sampled, or without its scene's engine, is left alone.
    BOOL MarkIfInputsChanged();
    // TRUE without drawing for an empty expression or a surface without scene or engine;
    // FALSE when the expression does not parse; else draws in one pass (no second canvas) or
    // row by row on both, and gives FALSE when the sampling ran out of time (cut short).
    BOOL DrawSurface(CPlotCanvas& first, CPlotCanvas* pSecond);

    // The last sampling ran out of its time: the vertices left were not drawn.
    BOOL m_bCutShort = FALSE;

    CString m_strExpression = "(2-y^2+x^2)*exp(1-x^2-y^2/4)";
    CString m_strReserved1, m_strReserved2;
    DWORD m_dwReserved1 = 0, m_dwReserved2 = 0;
    int m_nResolution = 50;

private:
    // What the expression's values depended on at the last sampling (CCalcEngine::DescribeInputs
    // or the parse error); empty before the first.
    std::string m_sampledInputs;
};

// Grid size k for a resolution and screen height: trunc((height/3 - 10) r^3 1e-6 + 10),
// within 10 .. 256.
int SurfaceGridSize(int resolution, int screenHeight);
