#include "app/LineCommand.h"

#include "app/ItemTypes.h"
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "engine/FunctionCatalogue.h"
#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"
#include "plot/AnalysisResult.h"
#include "plot/FunctionPlot.h"
#include "plot/Plot2D.h"
#include "plot/SurfacePlot.h"
#include "plot/TextSplit.h"

#include <cmath>
#include <memory>
#include <utility>

LineCommand::LineCommand(CCalcEngine& engine, CAnalysisResult& result, const CPlot2D& functionPlot,
                         const CFunctionPlot& graphTemplate, const CSurfacePlot& surfaceTemplate,
                         ILineCommandHost& host)
    : m_Engine(engine), m_Result(result), m_FunctionPlot(functionPlot),
      m_GraphTemplate(graphTemplate), m_SurfaceTemplate(surfaceTemplate), m_Host(host)
{
}

void LineCommand::Fail(int code, int position, int length)
{
    m_Error.nCode = code;
    m_Error.nPosition = position;
    m_Error.nLength = length;
}

BOOL LineCommand::ExecuteLine(const CString& line)
{
    m_Result.SetText(CString());
    m_Result.RemoveAll();
    m_Error = LineError{};

    CString text = line;
    text.TrimLeft();
    const int nLeading = line.GetLength() - text.GetLength();
    CString trimmed = text;
    trimmed.TrimRight();
    // Blank lines, comments and a lone "=" (which would evaluate nothing to 0) do nothing.
    if (trimmed.IsEmpty() || trimmed[0] == '\'' || trimmed == "=")
        return TRUE;

    // Only a final "=" with nothing after it is the answer's place; "2+3= " is a definition.
    if (text[text.GetLength() - 1] == '=')
        text = text.Left(text.GetLength() - 1);
    if (RunCommandWord(text))
        return TRUE;

    const int nArrow = text.Find("->");
    if (nArrow >= 0) {
        CString name = text.Mid(nArrow + 2);
        name.Trim();
        int code = m_Engine.SetVariableFromExpression(name, text.Left(nArrow), true);
        if (code != 0) {
            Fail(code);
            return FALSE;
        }
        if (m_Host.GetSelectedKind() == ItemVariables)
            m_Host.RefreshGrid();
        return TRUE;
    }
    if (text.Find('=') >= 0 && DefineFromLine(text))
        return TRUE;

    EvaluatePlain(text);
    if (m_Error.nPosition >= 0)
        m_Error.nPosition += nLeading;
    return TRUE;
}

BOOL LineCommand::RunCommandWord(const CString& text)
{
    CString name;
    CStringArray args;
    if (!SplitFunctionCall(text, name, args, 0))
        return FALSE;
    name.MakeUpper();
    if (name == "PLOT") {
        PlotCommand(args);
        return TRUE;
    }
    if (name == "PLOT3D") {
        Plot3DCommand(args);
        return TRUE;
    }
    if (name == "FZEROS")
        return TRUE;
    if (name != "SDIFF" || args.GetSize() < 1)
        return FALSE;

    // A scratch engine: the derivative must not replace the project's current expression. In
    // the project's angle mode, so that it is the slope of the curve the project draws.
    CCalcEngine engine;
    engine.m_nAngleMode = m_Engine.m_nAngleMode;
    engine.SetExpression(args[0]);
    int code = engine.DeriveSymbolic(args.GetSize() >= 2 ? args[1].GetString() : "x");
    if (code != 0)
        Fail(code);
    else
        m_Result.SetText(engine.GetText());
    return TRUE;
}

BOOL LineCommand::ReadBounds(const CStringArray& args, int first, double& lo, double& hi)
{
    int code = 0;
    lo = ParseNumber(m_Engine, args[first], &code);
    if (code == 0)
        hi = ParseNumber(m_Engine, args[first + 1], &code);
    if (code != 0) {
        Fail(code);
        return FALSE;
    }
    if (lo > hi)
        std::swap(lo, hi);
    if (lo == hi)
        lo = hi - 1.0;
    // Beyond 2^53 one is lost in rounding and the pair stays equal.
    if (lo == hi) {
        Fail(ErrInvalidRange);
        return FALSE;
    }
    return TRUE;
}

BOOL LineCommand::PlotCommand(const CStringArray& args)
{
    if (args.GetSize() != 1 && args.GetSize() != 3) {
        Fail(ErrWrongArgumentCount);
        return FALSE;
    }
    CString first, second;
    int form = GraphRectangular;
    if (!ParseGraphDefinition(args[0], first, second, form, GetGraphSeparator())) {
        Fail(ErrInvalidEquation);
        return FALSE;
    }
    if (int code = ValidateCurveExpression(form, first, second)) {
        Fail(code);
        return FALSE;
    }
    double lo = m_FunctionPlot.m_dXMin, hi = m_FunctionPlot.m_dXMax;
    if (args.GetSize() == 3 && !ReadBounds(args, 1, lo, hi))
        return FALSE;

    auto graph = std::make_unique<CFunctionPlot>();
    graph->CopyFrom(m_GraphTemplate);
    graph->SetForm(form);
    graph->SetExpression(first);
    graph->SetSecondExpression(second);
    graph->SetDomain(lo, hi);
    m_Host.AddResultItem(Item2DGraph, graph.release());
    return TRUE;
}

BOOL LineCommand::Plot3DCommand(const CStringArray& args)
{
    const INT_PTR count = args.GetSize();
    if (count != 1 && count != 5 && count != 7) {
        Fail(ErrWrongArgumentCount);
        return FALSE;
    }
    if (int code = ValidateSurfaceExpression(args[0])) {
        Fail(code);
        return FALSE;
    }
    const CSurfacePlot& t = m_SurfaceTemplate;
    double xLo = t.m_dXMin, xHi = t.m_dXMax, yLo = t.m_dYMin, yHi = t.m_dYMax;
    double zLo = t.m_dZMin, zHi = t.m_dZMax;
    if (count >= 5 && !(ReadBounds(args, 1, xLo, xHi) && ReadBounds(args, 3, yLo, yHi)))
        return FALSE;
    if (count == 7 && !ReadBounds(args, 5, zLo, zHi))
        return FALSE;

    auto surface = std::make_unique<CSurfacePlot>();
    surface->CopyFrom(t);
    surface->SetExpression(args[0]);
    surface->SetXRange(xLo, xHi);
    surface->SetYRange(yLo, yHi);
    surface->SetZRange(zLo, zHi);
    if (count == 7 && surface->m_bAutoSize) {
        surface->m_bAutoSize = 0;
        surface->m_bRebuild = surface->m_bModified = TRUE;
    }
    m_Host.AddResultItem(Item3DGraph, surface.release());
    return TRUE;
}

BOOL LineCommand::DefineFromLine(const CString& text)
{
    CString left, right;
    if (!SplitAtChar(text, '=', left, right))
        return FALSE;
    left.Trim();
    if (left.IsEmpty())
        return FALSE;

    if (left.Find('(') >= 0) {
        CString definition = text;
        definition.Trim();
        if (int code = m_Engine.DefineUserFunction(definition, true))
            Fail(code);
        else if (m_Host.GetSelectedKind() == ItemUserFunctions)
            m_Host.RefreshGrid();
        return TRUE;
    }
    if (int code = m_Engine.DefineExpressionVariable(left, right, true)) {
        Fail(code);
        return TRUE;
    }
    // The definition left its text parsed in the engine; its value is the answer, in the
    // result format whatever the display base, and the last answer stays.
    double value = m_Engine.Evaluate();
    if (int code = m_Engine.GetErrorCode()) {
        Fail(code);
        return TRUE;
    }
    m_Result.SetText(m_Engine.FormatNumber(value));
    if (m_Host.GetSelectedKind() == ItemExpressionVariables)
        m_Host.RefreshGrid();
    return TRUE;
}

BOOL LineCommand::EvaluatePlain(const CString& text)
{
    m_Engine.SetExpression(text);
    if (int code = m_Engine.Parse()) {
        Fail(code, m_Engine.GetErrorPosition(), ErrorSpanLength);
        return TRUE;
    }
    double value = m_Engine.Evaluate();
    if (int code = m_Engine.GetErrorCode()) {
        Fail(code);
        return TRUE;
    }
    m_Engine.m_dLastAnswer = value;
    m_Result.SetText(m_Engine.FormatResultInBase());
    return TRUE;
}

BOOL LineCommand::CreateFunctionGraph(const CString& first, const CString& second, int form,
                                      double lo, double hi, int colour, int style, int width)
{
    if (int code = ValidateCurveExpression(form, first, second)) {
        m_Host.ShowMessage(GetErrorText(code));
        return FALSE;
    }
    if (!(lo < hi) || !std::isfinite(lo) || !std::isfinite(hi)) {
        m_Host.ShowMessage("The domain you've entered is invalid");
        return FALSE;
    }
    auto graph = std::make_unique<CFunctionPlot>();
    graph->SetDefinition(first, second, form, lo, hi);
    graph->SetColour(COLORREF(colour));
    graph->SetPenStyle(style);
    graph->SetPenWidth(width);
    m_Host.AddResultItem(Item2DGraph, graph.release());
    return TRUE;
}

double ParseNumber(CCalcEngine& engine, const CString& text, int* pError)
{
    if (pError)
        *pError = 0;
    CString literal = text;
    literal.Trim();
    double value = 0;
    if (numtext::ScanDecimal(literal.View(), GetLocaleSeparators().chDecimal, value))
        return value;

    engine.SetExpression(text);
    int code = engine.Parse();
    if (code == 0) {
        value = engine.Evaluate();
        code = engine.GetErrorCode();
    }
    if (code == 0 && !std::isfinite(value))
        code = value > 0 ? ErrPositiveInfinity : value < 0 ? ErrNegativeInfinity : ErrNotANumber;
    if (code != 0) {
        if (pError)
            *pError = code;
        return 0.0;
    }
    return value;
}
