#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "framework/core/Collections.h"

class CAnalysisResult;
class CCalcEngine;
class CFunctionPlot;
class CPlot2D;
class CSurfacePlot;

// Where a workspace line failed: an engine error code and the faulty span, counted in the
// text that was handed to the line command (leading blanks included).
struct LineError {
    int nCode = 0;
    int nPosition = -1; // -1: no span
    int nLength = 0;
};

// What the line command asks of the project around the engine.
class ILineCommandHost {
public:
    virtual ~ILineCommandHost() = default;
    // The kind of the explorer's selection: a store or a definition refreshes the grid when
    // it shows the names that changed.
    virtual int GetSelectedKind() const = 0;
    virtual void RefreshGrid() = 0;
    // Takes ownership of a new 2-D graph (kind 3) or surface (kind 15) and adds it to the
    // project, asking before it replaces one of the same label.
    virtual void AddResultItem(int kind, CObject* pObject) = 0;
    // A notice with the exclamation icon.
    virtual void ShowMessage(const CString& text) = 0;
};

// One workspace line carried out against the project's engine: a comment, a command word
// (PLOT, PLOT3D, SDIFF, FZEROS in any case), a store "expression -> name", a definition with
// "=", or an evaluation. It leaves the answer text in the result record and the failure in
// the line error; both last until the next line.
class LineCommand {
public:
    LineCommand(CCalcEngine& engine, CAnalysisResult& result, const CPlot2D& functionPlot,
                const CFunctionPlot& graphTemplate, const CSurfacePlot& surfaceTemplate,
                ILineCommandHost& host);

    // FALSE only when a store failed; the outcome is in GetError() and the result's text.
    BOOL ExecuteLine(const CString& line);
    // TRUE when text is a command word's call and was dealt with, successfully or not.
    BOOL RunCommandWord(const CString& text);
    // TRUE when a graph was added; FALSE with the line error set.
    BOOL PlotCommand(const CStringArray& args);
    BOOL Plot3DCommand(const CStringArray& args);
    // TRUE when text was taken as a definition, whether or not the engine accepted it.
    BOOL DefineFromLine(const CString& text);
    // Always TRUE; the outcome is in the line error and the result's text.
    BOOL EvaluatePlain(const CString& text);
    // A 2-D graph from the add-graph dialog's fields; failures are shown as messages.
    BOOL CreateFunctionGraph(const CString& first, const CString& second, int form, double lo,
                             double hi, int colour, int style, int width);

    const LineError& GetError() const { return m_Error; }

private:
    // Reads the bounds of args[first], args[first + 1] into lo, hi in order; an equal pair
    // gets lo = hi - 1. FALSE with the line error set when a bound has no finite value or
    // the pair cannot be made apart.
    BOOL ReadBounds(const CStringArray& args, int first, double& lo, double& hi);
    void Fail(int code, int position = -1, int length = 0);

    CCalcEngine& m_Engine;
    CAnalysisResult& m_Result;
    const CPlot2D& m_FunctionPlot;
    const CFunctionPlot& m_GraphTemplate;
    const CSurfacePlot& m_SurfaceTemplate;
    ILineCommandHost& m_Host;
    LineError m_Error;
};

// A number typed as a bound or a cell value: a decimal literal with the engine's decimal
// point, else the value of the text as an expression of the engine. 0.0 when it has none; then
// *pError (when given) receives the engine's code, or 42, 43 or 44 for a value that is not
// finite, and 0 otherwise.
double ParseNumber(CCalcEngine& engine, const CString& text, int* pError = nullptr);
