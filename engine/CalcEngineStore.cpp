// Engine operations that evaluate: they need the evaluator's CExprNode::Evaluate.
#include "engine/CalcEngine.h"

double CCalcEngine::Evaluate()
{
    double value = 0;
    m_Root.Evaluate(value);
    return value;
}

double CCalcEngine::EvaluateWithVariable(int i, double x)
{
    if (i >= 0 && i < GetVariableCount())
        m_Variables[std::size_t(i)].dValue = x;
    return Evaluate();
}

int CCalcEngine::SetVariableFromExpression(const char* name, const CString& text,
                                           bool allowOverwrite)
{
    SetExpression(text);
    int code = Parse();
    if (code)
        return code;
    double value = Evaluate();
    code = GetErrorCode();
    if (code)
        return code;
    return DefineVariable(name, value, allowOverwrite);
}

int CCalcEngine::EvaluateExpressionVariable(int i)
{
    if (i < 0 || i >= GetExpressionVariableCount())
        return ErrInvalidName;
    SetExpression(m_ExprVariables[std::size_t(i)].strText);
    int code = Parse();
    if (code)
        return code;
    double value = Evaluate();
    m_ExprVariables[std::size_t(i)].dCachedValue = value;
    code = GetErrorCode();
    if (code)
        return code;
    m_ExprVariables[std::size_t(i)].bEvaluated = 1;
    return 0;
}
