#include "engine/EngineStartup.h"

#include "engine/CalcEngine.h"
#include "engine/LocaleSeparators.h"
#include "engine/PhysicalConstants.h"
#include "engine/UnitRegistry.h"

#include <gsl/gsl_errno.h>

void InitCalcEngine()
{
    InitLocaleSeparators();
    for (int i = 0; i < GetPhysicalConstantCount(); ++i)
        AddPredefinedName(GetPhysicalConstant(i).symbol, GetPhysicalConstant(i).value);
    ResetUnitRegistry();
    ResetIndependentVariables();
    gsl_set_error_handler(&GslErrorHandler);
}

int ValidateCurveExpression(int kind, const CString& expr1, const CString& expr2)
{
    CString first(expr1), second(expr2);
    first.Trim();
    second.Trim();
    if (kind == 1 || kind == 2)
        EnableOnlyT();
    else
        EnableOnlyX();
    CCalcEngine engine;
    engine.SetExpression(first);
    int code = engine.Parse();
    if (code == 0 && kind == 2 && !second.IsEmpty()) {
        engine.SetExpression(second);
        code = engine.Parse();
    }
    ResetIndependentVariables();
    return code;
}

int ValidateSurfaceExpression(const CString& expr)
{
    CString text(expr);
    text.Trim();
    g_IndependentVariables[2].strName = CString("*");
    g_IndependentVariables[3].strName = CString("*");
    CCalcEngine engine;
    engine.SetExpression(text);
    int code = engine.Parse();
    ResetIndependentVariables();
    return code;
}
