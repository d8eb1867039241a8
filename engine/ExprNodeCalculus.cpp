// The calculus routines on an expression in x (a node) or in one variable of a whole engine.
#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/NumericCalculus.h"

#include <algorithm>

namespace {

// f(x) of an engine: x goes into its variable i.
auto VariableFunction(CCalcEngine& engine, CCompiledExpression& program, int i)
{
    return [&engine, &program, i](double x, double& y) {
        if (i >= 0 && i < engine.GetVariableCount())
            engine.m_Variables[std::size_t(i)].dValue = x;
        return program.Evaluate(y);
    };
}

double SolverRoundingUnit(const CCalcEngine* engine)
{
    return engine ? engine->m_SolverFormat.m_dRoundingUnit : 1e-5;
}

} // namespace

int CExprNode::Integrate(double a, double b, double& result)
{
    CCompiledExpression program(*this);
    const int code =
        IntegrateFunction(FunctionOfX(program), a, b, SolverRoundingUnit(m_pOwner), result);
    m_nErrorCode = code;
    return code;
}

int CExprNode::NumericDerivative(double x, double& result, double& tol)
{
    CCompiledExpression program(*this);
    const int code = DifferentiateFunction(FunctionOfX(program), x, result, tol);
    m_nErrorCode = code;
    return code;
}

double CExprNode::FindZero(double a, double b, double tol)
{
    double root = 0;
    CCompiledExpression program(*this);
    m_nErrorCode = FindZeroOfFunction(FunctionOfX(program), a, b, tol, root);
    return root;
}

int CExprNode::FindZerosInRange(double a, double b, int n, double tol, std::vector<double>& zeros)
{
    CCompiledExpression program(*this);
    const int code = FindZerosOfFunction(FunctionOfX(program), a, b, n, tol, zeros);
    m_nErrorCode = code;
    return code;
}

double CExprNode::FindMinimum(double a, double b, double tol, double& xmin)
{
    double fmin = 0;
    CCompiledExpression program(*this);
    m_nErrorCode = FindMinimumOfFunction(FunctionOfX(program), a, b, tol, xmin, fmin);
    return fmin;
}

int CCalcEngine::FindZerosInVariable(double a, double b, int n, int i, double tol,
                                     std::vector<double>& zeros)
{
    m_LastScanReach = ScanReach{};
    m_LastScanNotes = ScanNotes{};
    if (!(a < b))
        return ErrBadArgument;
    // The solver's rounding unit at 16 decimals (1e-16) asks for more than doubles give: the
    // scan works to the finest tolerance it can instead of refusing.
    tol = std::max(tol, kMinimumTolerance);
    CCompiledExpression program(m_Root);
    // The scan writes each point into the variable; it keeps its value whatever was found.
    const bool exists = i >= 0 && i < GetVariableCount();
    const double kept = exists ? m_Variables[std::size_t(i)].dValue : 0.0;
    // A new model's interval (-1e300 .. 1e300) overflows at nearly every step's ends, and its
    // steps around 0 are far wider than the numbers where the roots can be resolved.
    const int code =
        FindZerosOfFunction(Reaching(VariableFunction(*this, program, i), m_LastScanReach), a, b, n,
                            tol, zeros, ErrBadArgument, BlindSteps::Search, {}, &m_LastScanNotes);
    if (exists)
        m_Variables[std::size_t(i)].dValue = kept;
    return code;
}

double CCalcEngine::FindZeroInVariable(double a, double b, int i, double tol)
{
    double root = 0;
    CCompiledExpression program(m_Root);
    m_Root.m_nErrorCode =
        FindZeroOfFunction(VariableFunction(*this, program, i), a, b, tol, root, ErrBadArgument);
    return root;
}

int CCalcEngine::FindRootsInVariable(double a, double b, int i, std::vector<double>& zeros)
{
    return FindZerosInVariable(a, b, m_nSolverSteps, i, m_SolverFormat.m_dRoundingUnit, zeros);
}
