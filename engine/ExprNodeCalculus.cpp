// The calculus routines on an expression in x (a node) or in one variable of a whole engine.
#include "engine/CalcEngine.h"
#include "engine/NumericCalculus.h"

#include <algorithm>

namespace {

// f(x) of a node: x goes into the independent-variable slot; the node keeps its error.
CalculusFunction NodeFunction(CExprNode& node)
{
    return [&node](double x, double& y) {
        y = node.EvaluateAt(x);
        return node.m_nErrorCode;
    };
}

// f(x) of an engine: x goes into its variable i.
CalculusFunction VariableFunction(CCalcEngine& engine, int i)
{
    return [&engine, i](double x, double& y) {
        y = engine.EvaluateWithVariable(i, x);
        return engine.GetErrorCode();
    };
}

double SolverRoundingUnit(const CCalcEngine* engine)
{
    return engine ? engine->m_SolverFormat.m_dRoundingUnit : 1e-5;
}

} // namespace

int CExprNode::Integrate(double a, double b, double& result)
{
    const int code =
        IntegrateFunction(NodeFunction(*this), a, b, SolverRoundingUnit(m_pOwner), result);
    m_nErrorCode = code;
    return code;
}

int CExprNode::NumericDerivative(double x, double& result, double& tol)
{
    const int code = DifferentiateFunction(NodeFunction(*this), x, result, tol);
    m_nErrorCode = code;
    return code;
}

double CExprNode::FindZero(double a, double b, double tol)
{
    double root = 0;
    m_nErrorCode = FindZeroOfFunction(NodeFunction(*this), a, b, tol, root);
    return root;
}

int CExprNode::FindZerosInRange(double a, double b, int n, double tol, std::vector<double>& zeros)
{
    const int code = FindZerosOfFunction(NodeFunction(*this), a, b, n, tol, zeros);
    m_nErrorCode = code;
    return code;
}

double CExprNode::FindMinimum(double a, double b, double tol, double& xmin)
{
    double fmin = 0;
    m_nErrorCode = FindMinimumOfFunction(NodeFunction(*this), a, b, tol, xmin, fmin);
    return fmin;
}

int CCalcEngine::FindZerosInVariable(double a, double b, int n, int i, double tol,
                                     std::vector<double>& zeros)
{
    if (!(a < b))
        return ErrBadArgument;
    // The solver's rounding unit at 16 decimals (1e-16) asks for more than doubles give: the
    // scan works to the finest tolerance it can instead of refusing.
    tol = std::max(tol, kMinimumTolerance);
    return FindZerosOfFunction(VariableFunction(*this, i), a, b, n, tol, zeros, ErrBadArgument);
}

double CCalcEngine::FindZeroInVariable(double a, double b, int i, double tol)
{
    double root = 0;
    m_Root.m_nErrorCode =
        FindZeroOfFunction(VariableFunction(*this, i), a, b, tol, root, ErrBadArgument);
    return root;
}

int CCalcEngine::FindRootsInVariable(double a, double b, int i, std::vector<double>& zeros)
{
    return FindZerosInVariable(a, b, m_nSolverSteps, i, m_SolverFormat.m_dRoundingUnit, zeros);
}
