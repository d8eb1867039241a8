#include "engine/SolverModel.h"
#include "engine/EvaluationWork.h"
#include "engine/LocaleSeparators.h"
#include "engine/ReencodeExpression.h"
#include "framework/core/CArchive.h"

#include <cstdint>

namespace {

// Stored solver decimals outside this range are damaged and read as the default.
constexpr int kMaxSolverDecimals = 16;
constexpr int kDefaultSolverDecimals = 2;

// The expression of an equation text: lhs-(rhs), or the text itself without "="; 28 for an empty
// text or side.
int EquationExpression(const CString& equation, CString& expression)
{
    if (equation.IsEmpty())
        return ErrInvalidEquation;
    const int equals = equation.Find('=');
    if (equals < 0) {
        expression = equation;
        return 0;
    }
    CString lhs = equation.Left(equals);
    CString rhs = equation.Mid(equals + 1);
    lhs.Trim();
    rhs.Trim();
    if (lhs.IsEmpty() || rhs.IsEmpty())
        return ErrInvalidEquation;
    expression = lhs + "-(" + rhs + ")";
    return 0;
}

// An equation stored under the other decimal convention, in the current one; each side apart.
CString ReencodeEquation(const CString& equation, int flag)
{
    const int equals = equation.Find('=');
    if (equals <= 0)
        return ReencodeExpression(equation, flag);
    return ReencodeExpression(equation.Left(equals), flag) + "=" +
           ReencodeExpression(equation.Mid(equals + 1), flag);
}

} // namespace

CSolverModel::CSolverModel()
{
    m_bUserFunctionsOn = 0;
    m_bIndependentOn = 0;
}

int CSolverModel::SetEquation(const CString& text)
{
    CString equation = text;
    equation.Trim();
    CString expression;
    int code = EquationExpression(equation, expression);
    if (code != 0)
        return code;

    CCalcEngine scratch;
    scratch.m_nNumberBase = m_nNumberBase;
    scratch.SetExpression(expression);
    code = scratch.ParseLenient();
    if (code != 0)
        return code;
    if (scratch.GetVariableCount() == 0)
        return ErrInvalidEquation;

    std::vector<VariableRecord> variables = scratch.m_Variables;
    for (VariableRecord& record : variables) {
        const int old = FindVariable(record.strName);
        if (old >= 0)
            record.dValue = GetVariableValue(old);
    }
    m_Variables = std::move(variables);
    SetExpression(expression);
    ParseLenient();
    m_strEquation = equation;
    return 0;
}

int CSolverModel::Solve(int i, std::vector<double>& roots)
{
    if (i < 0 || i >= GetVariableCount())
        return ErrInvalidVariable;
    // From the equation: parsing may have shortened the root's own text (a postfix operator).
    CString expression;
    int code = EquationExpression(m_strEquation, expression);
    if (code != 0)
        return code;
    SetExpression(expression);
    code = ParseLenient();
    if (code != 0)
        return code;
    const CommandWork command; // one budget in time for the whole scan
    return FindRootsInVariable(m_dMinimum, m_dMaximum, i, roots);
}

void CSolverModel::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(GetDecimalPointFlag()) << m_strNote << m_strEquation << m_strLabel
           << m_dMinimum << m_dMaximum << m_dValue << std::int32_t(m_SolverFormat.m_nDecimals);
        SerializeVariables(ar);
        return;
    }
    std::int32_t flag = 0, decimals = 0;
    CString note, equation, label;
    double minimum = 0, maximum = 0, value = 0;
    ar >> flag >> note >> equation >> label >> minimum >> maximum >> value >> decimals;
    SerializeVariables(ar);
    if (decimals < 0 || decimals > kMaxSolverDecimals)
        decimals = kDefaultSolverDecimals;
    m_SolverFormat.SetDecimals(decimals);
    m_strNote = note;
    m_strEquation = ReencodeEquation(equation, flag);
    m_strLabel = label;
    m_dMinimum = minimum;
    m_dMaximum = maximum;
    m_dValue = value;
}
