// The calculus commands of the engine: symbolic derivative, zeros, extrema, tangent, integrals
// of curve templates, arc length, surfaces and volumes of revolution, centre of mass.
#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/EngineNames.h"
#include "engine/NumericCalculus.h"

#include <cmath>

namespace {

// Integrands and differences of the curve commands; each %s takes a curve text as given.
constexpr const char* kAreaBetween = "abs(%s-(%s))";
constexpr const char* kDifference = "%s-(%s)";
constexpr const char* kVolumeOfRevolution = "pi*abs((%s)^2-(%s)^2)";
constexpr const char* kArcLength = "sqrt(1+(%s)^2)";
constexpr const char* kSurfaceOfRevolution = "2*pi*(%s)*sqrt(1+(%s)^2)";
constexpr const char* kMomentX = "x*(%s-(%s))";
constexpr const char* kMomentY = "(%s)^2-(%s)^2";

// Step to each side of a stationary point when telling a maximum from a minimum.
constexpr double kExtremumProbe = 0.01;

CString FillCurves(const char* pattern, const CString& f, const CString& g = CString())
{
    CString text;
    text.Format(pattern, f.GetString(), g.GetString());
    return text;
}

// Puts the engine's expression back (text and tree) when a command that builds its own ends.
class ExpressionKeeper {
public:
    explicit ExpressionKeeper(CCalcEngine& engine) : m_engine(engine)
    {
        m_saved.CopyFrom(engine.m_Root);
    }
    ~ExpressionKeeper() { Restore(); }
    ExpressionKeeper(const ExpressionKeeper&) = delete;
    ExpressionKeeper& operator=(const ExpressionKeeper&) = delete;

    void Restore() { m_engine.m_Root.CopyFrom(m_saved); }

private:
    CCalcEngine& m_engine;
    CExprNode m_saved;
};

// The engine's function as text. Parsing may shorten the root's source (a postfix operator,
// an expression variable), so a parsed tree is printed instead.
CString FunctionText(const CCalcEngine& engine)
{
    return engine.m_Root.m_bParsed ? engine.GetText() : engine.GetExpressionText();
}

// The symbolic derivative with respect to x of text, printed, from a scratch engine.
int DeriveText(const CCalcEngine& settings, const CString& text, CString& derivative)
{
    CCalcEngine scratch;
    scratch.m_nAngleMode = settings.m_nAngleMode;
    // The text names ANS rather than holding its value.
    scratch.m_dLastAnswer = settings.m_dLastAnswer;
    scratch.SetExpression(text);
    const int code = scratch.DeriveSymbolic("x");
    if (code == 0)
        derivative = scratch.GetText();
    return code;
}

// FindRoots, telling found of each zero as the scan finds it.
int ScanRoots(CCalcEngine& engine, double a, double b, std::vector<double>& roots,
              const ZeroFound& found)
{
    engine.m_LastScanReach = ScanReach{};
    engine.m_LastScanNotes = ScanNotes{};
    const int code = engine.Parse();
    if (code != 0)
        return code;
    CCompiledExpression program(engine.m_Root);
    return FindZerosOfFunction(
        Reaching([&program](double x, double& y) { return program.EvaluateAt(x, y); },
                 engine.m_LastScanReach),
        a, b, engine.m_nSolverSteps, engine.m_SolverFormat.m_dRoundingUnit, roots, ErrNoSolutions,
        BlindSteps::Skip, found, &engine.m_LastScanNotes);
}

// The integral of an integrand text, which becomes the engine's expression.
int IntegrateText(CCalcEngine& engine, const CString& integrand, double a, double b, double& result)
{
    engine.SetExpression(integrand);
    return engine.Integrate(a, b, result);
}

} // namespace

int CCalcEngine::DeriveSymbolic(const char* name)
{
    if (!name || !IsValidName(name))
        return ErrInvalidName;
    m_bSymbolic = 1;
    // A tree parsed before the slot is renamed holds the old variable: read it again.
    if (m_Root.m_bParsed)
        SetExpression(GetText());
    g_IndependentVariables[0].strName = name;
    int code = Parse();
    if (code == 0)
        code = m_Root.Derive();
    // The derivative goes on as text (a graph, a workspace answer, a fit's model): text that
    // the parser refuses, nested too deeply, is refused here with the parser's code. It names
    // no variable or user function (they have no derivative), so a scratch engine reads it.
    if (code == 0) {
        CCalcEngine reader;
        reader.m_bSymbolic = 1;
        reader.m_bLenient = m_bLenient;
        reader.m_bIndependentOn = m_bIndependentOn;
        reader.SetExpression(GetText());
        code = reader.Parse();
    }
    // Names compare without case, so x is recognised again even where the slot was off.
    g_IndependentVariables[0].strName = "X";
    return code;
}

int CCalcEngine::FindRoots(double a, double b, std::vector<double>& roots)
{
    return ScanRoots(*this, a, b, roots, {});
}

int CCalcEngine::FindExtrema(double a, double b, std::vector<double>& maxima,
                             std::vector<double>& minima)
{
    ExpressionKeeper keep(*this);
    CString derivative;
    int code = DeriveText(*this, FunctionText(*this), derivative);
    if (code == 0)
        code = Parse();
    if (code != 0)
        return code;
    // Each stationary point is told apart as the scan finds it, within the scan's time.
    CExprNode function;
    function.CopyFrom(m_Root);
    CCompiledExpression program(function);
    const auto classify = [&program, &maxima, &minima](double z) {
        double f0 = 0, left = 0, right = 0;
        if (program.EvaluateAt(z, f0) != 0 || program.EvaluateAt(z - kExtremumProbe, left) != 0 ||
            program.EvaluateAt(z + kExtremumProbe, right) != 0)
            return;
        // Both sides must agree: x^3 is stationary at 0 without an extremum there.
        if (f0 < left && f0 < right)
            minima.push_back(z);
        else if (f0 > left && f0 > right)
            maxima.push_back(z);
    };
    SetExpression(derivative);
    std::vector<double> stationary;
    code = ScanRoots(*this, a, b, stationary, classify);
    return code == ErrNoSolutions ? 0 : code; // no stationary point, so no extremum
}

int CCalcEngine::GetTangentLine(double x0, double& slope, double& intercept)
{
    int code = Parse();
    if (code != 0)
        return code;
    const double y0 = m_Root.EvaluateAt(x0);
    if (m_Root.m_nErrorCode != 0)
        return m_Root.m_nErrorCode;
    double derivative = 0;
    code = DifferentiateAt(x0, derivative);
    if (code != 0)
        return code;
    slope = derivative;
    intercept = y0 - x0 * derivative;
    return 0;
}

int CCalcEngine::Integrate(double a, double b, double& result)
{
    const int code = Parse();
    if (code != 0)
        return code;
    double value = 0;
    CCompiledExpression program(m_Root);
    const int integralCode =
        IntegrateFunction(FunctionOfX(program), a, b, m_SolverFormat.m_dRoundingUnit, value);
    if (integralCode == 0)
        result = value;
    return integralCode;
}

int CCalcEngine::DifferentiateAt(double x, double& result)
{
    const int code = Parse();
    if (code != 0)
        return code;
    double tolerance = m_SolverFormat.m_dRoundingUnit;
    double value = 0;
    CCompiledExpression program(m_Root);
    const int derivativeCode = DifferentiateFunction(FunctionOfX(program), x, value, tolerance);
    if (derivativeCode == 0)
        result = value;
    return derivativeCode;
}

int CCalcEngine::AreaBetween(const CString& f, const CString& g, double a, double b, double& result)
{
    ExpressionKeeper keep(*this);
    return IntegrateText(*this, FillCurves(kAreaBetween, f, g), a, b, result);
}

int CCalcEngine::IntegrateBetween(const CString& f, const CString& g, double a, double b,
                                  double& result)
{
    ExpressionKeeper keep(*this);
    return IntegrateText(*this, FillCurves(kDifference, f, g), a, b, result);
}

int CCalcEngine::VolumeOfRevolution(const CString& f, const CString& g, double a, double b,
                                    double& result)
{
    ExpressionKeeper keep(*this);
    return IntegrateText(*this, FillCurves(kVolumeOfRevolution, f, g), a, b, result);
}

int CCalcEngine::ArcLength(double a, double b, double& result)
{
    ExpressionKeeper keep(*this);
    CString derivative;
    const int code = DeriveText(*this, FunctionText(*this), derivative);
    if (code != 0)
        return code;
    return IntegrateText(*this, FillCurves(kArcLength, derivative), a, b, result);
}

int CCalcEngine::SurfaceOfRevolution(double a, double b, double& result)
{
    ExpressionKeeper keep(*this);
    const CString f = FunctionText(*this);
    CString derivative;
    const int code = DeriveText(*this, f, derivative);
    if (code != 0)
        return code;
    return IntegrateText(*this, FillCurves(kSurfaceOfRevolution, f, derivative), a, b, result);
}

int CCalcEngine::CenterOfMass(const CString& f, const CString& g, double a, double b, double& xc,
                              double& yc)
{
    ExpressionKeeper keep(*this);
    double area = 0, momentX = 0, momentY = 0;
    int code = IntegrateText(*this, FillCurves(kDifference, f, g), a, b, area);
    if (code == 0)
        code = IntegrateText(*this, FillCurves(kMomentX, f, g), a, b, momentX);
    if (code == 0)
        code = IntegrateText(*this, FillCurves(kMomentY, f, g), a, b, momentY);
    if (code != 0)
        return code;
    // A region of no area has no centre.
    if (area == 0 || !std::isfinite(momentX / area) || !std::isfinite(momentY / area))
        return ErrDivisionByZero;
    xc = momentX / area;
    yc = 0.5 * momentY / area;
    return 0;
}

int CCalcEngine::FindIntersections(const CString& f, const CString& g, double a, double b,
                                   std::vector<double>& xs)
{
    ExpressionKeeper keep(*this);
    SetExpression(FillCurves(kDifference, f, g));
    return FindRoots(a, b, xs);
}
