// Evaluator operations that need the node itself: unit and base conversion, the calculus
// functions and FSUM over the expression of their first argument, and user-function calls.
#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/EngineErrors.h"
#include "engine/EngineNames.h"
#include "engine/EvaluatorOperations.h"
#include "engine/UnitRegistry.h"
#include "engine/UserFunction.h"

#include <algorithm>
#include <cmath>

namespace {

// Element i (0-based) of the node's argument list, null when there is none.
CExprNode* ArgumentNode(CExprNode& node, int i)
{
    CExprNode* item = node.m_pLeft;
    for (; item && item->m_nKind == NodeList; item = item->m_pRight)
        if (i-- == 0)
            return item->m_pLeft;
    return i == 0 ? item : nullptr;
}

double SolverTolerance(const CExprNode& node)
{
    return node.m_pOwner ? node.m_pOwner->m_SolverFormat.m_dRoundingUnit : 1e-5;
}

// The unit text of an argument: a string's contents, or the text of a unit written as names.
CString UnitText(const CExprNode& argument)
{
    return argument.m_nKind == NodeString ? argument.m_strSource : argument.Print(nullptr, true);
}

int ApplyConvert(CExprNode& node, const double* a, double& value)
{
    CExprNode* from = ArgumentNode(node, 1);
    CExprNode* to = ArgumentNode(node, 2);
    if (!from || !to)
        return ErrBadArgument;
    double converted = a[0];
    const long long searched = UnitSearchSteps();
    const int code = ConvertUnits(converted, UnitText(*from), UnitText(*to));
    // A search through a long chain of user units costs as many evaluations as its steps.
    if (!EvaluationWork::Charge(UnitSearchSteps() - searched))
        return ErrMaxIterations;
    if (code == 0)
        value = converted;
    return code;
}

int ApplyBaseText(CExprNode& node, const double* a, double& value)
{
    const int op = node.m_nOpId;
    int base = op == OpBin ? 2 : op == OpOct ? 8 : op == OpDec ? 10 : 16;
    int number = 0;
    if (op == OpConvertBase && !TruncateToInt32(a[1], base))
        return ErrBadArgument;
    if (base < 2 || base > 36 || !TruncateToInt32(a[0], number))
        return ErrBadArgument;
    char text[40];
    FormatInBase(number, base, text);
    node.m_strSource = text;
    node.m_bTextResult = 1;
    value = a[0];
    if (node.m_pOwner)
        node.m_pOwner->m_nOneShotBase = base;
    return 0;
}

// Sum of f(a + k*step) over the points of [a, b]. The number of terms is counted once from the
// span, with a relative allowance so that a last point lying on b within rounding is summed, and
// each x comes from its index, so rounding never piles up or drops a term.
int SumSeries(CExprNode& f, const double* a, double& value)
{
    constexpr double kMaximumTerms = 1e7;
    constexpr double kEndAllowance = 1e-9;
    double lo = a[0], hi = a[1];
    const double step = a[2] == 0.0 ? 1.0 : std::fabs(a[2]);
    if (std::isnan(lo) || std::isnan(hi) || std::isnan(step))
        return ErrBadArgument;
    if (hi < lo)
        std::swap(lo, hi);
    const double steps = std::floor((hi - lo) / step * (1.0 + kEndAllowance));
    if (!(steps < kMaximumTerms)) // also an infinite end
        return ErrMaxIterations;
    CCompiledExpression program(f);
    double sum = 0.0;
    for (double k = 0.0; k <= steps; k += 1.0) {
        double term = 0.0;
        if (const int code = program.EvaluateAt(lo + k * step, term))
            return code;
        sum += term;
    }
    value = sum;
    return 0;
}

// The calculus functions vary x for their own use only: the expression around them still sees
// the x it had (so FDIFF(FINT(x, 0, 1)*x, 5) is 0.5, not a value at the integral's last point).
class IndependentVariableGuard {
public:
    IndependentVariableGuard() : m_saved(g_IndependentVariables[0].dValue) {}
    ~IndependentVariableGuard() { g_IndependentVariables[0].dValue = m_saved; }
    IndependentVariableGuard(const IndependentVariableGuard&) = delete;
    IndependentVariableGuard& operator=(const IndependentVariableGuard&) = delete;

private:
    double m_saved;
};

int ApplyCalculus(CExprNode& node, const double* a, double& value)
{
    const IndependentVariableGuard guard;
    CExprNode* f = ArgumentNode(node, 0);
    if (!f)
        return ErrBadArgument;
    double result = 0.0;
    int code = 0;
    switch (node.m_nOpId) {
    case OpFInt:
        code = f->Integrate(a[0], a[1], result);
        break;
    case OpFDiff: {
        double tolerance = SolverTolerance(node);
        code = f->NumericDerivative(a[0], result, tolerance);
        break;
    }
    case OpFZero:
        result = f->FindZero(a[0], a[1], a[2]);
        code = f->m_nErrorCode;
        break;
    default: // OpFSum
        return SumSeries(*f, a, value);
    }
    if (code == 0)
        value = result;
    return code;
}

// The arguments go into the function's parameters in order; its own error is the call's error.
// A function redefined since the call was parsed is parsed afresh, and must still take as many
// arguments as the call passes. The call is bound by name: deleting another function moves the
// list, and the call must follow its own function or fail, never run a neighbour.
int CallUserFunction(CExprNode& node, const double* a, double& value)
{
    std::vector<CUserFunction*>& functions = GetUserFunctions();
    if (!BoundUserFunction(node)) {
        const int found = node.m_strName.IsEmpty() ? -1 : FindUserFunction(node.m_strName);
        if (found < 0)
            return ErrInvalidName;
        node.m_nIndex = found;
    }
    CUserFunction& function = *functions[size_t(node.m_nIndex)];
    const int parameters = function.GetVariableCount();
    if (parameters != ArgumentNodeCount(node))
        return ErrArgumentsNotMatching;
    if (function.m_Root.m_nKind == NodeNumber && !function.GetExpressionText().IsEmpty())
        if (const int code = function.Parse())
            return code;
    for (int i = 0; i < parameters; ++i)
        function.m_Variables[size_t(i)].dValue = a[i];
    double result = 0.0;
    if (const int code = function.m_Root.Evaluate(result))
        return code;
    value = result;
    return 0;
}

} // namespace

int ArgumentNodeCount(CExprNode& node)
{
    int count = 0;
    while (ArgumentNode(node, count))
        ++count;
    return count;
}

CUserFunction* BoundUserFunction(const CExprNode& node)
{
    std::vector<CUserFunction*>& functions = GetUserFunctions();
    if (node.m_nIndex < 0 || node.m_nIndex >= int(functions.size()))
        return nullptr;
    CUserFunction* function = functions[size_t(node.m_nIndex)];
    if (!node.m_strName.IsEmpty() && function->GetName().CompareNoCase(node.m_strName) != 0)
        return nullptr;
    return function;
}

int ApplyNodeOperation(CExprNode& node, const double* a, double& value, bool& handled)
{
    handled = true;
    switch (node.m_nOpId) {
    case OpConvert:
        return ApplyConvert(node, a, value);
    case OpConvertBase:
    case OpBin:
    case OpOct:
    case OpDec:
    case OpHex:
        return ApplyBaseText(node, a, value);
    case OpFInt:
    case OpFDiff:
    case OpFZero:
    case OpFSum:
        return ApplyCalculus(node, a, value);
    case OpUserFunction:
        return CallUserFunction(node, a, value);
    case OpBetaDist:
    case OpNormDist:
    case OpTDist:
    case OpTInv:
    case OpPlot:
        return ErrNotSupported; // never computed here: refused rather than answered with 0
    default:
        handled = false;
        return 0;
    }
}
