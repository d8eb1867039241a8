#include "engine/UserFunction.h"

#include "engine/FunctionCatalogue.h"
#include "engine/LocaleSeparators.h"
#include "framework/core/AsciiText.h"

namespace {

// Step 7 and 8 of the checks: the body parses with unknown names taken as variables, and its
// free names are exactly the parameters.
int CheckBody(const CString& body, const CStringArray& params)
{
    CCalcEngine scratch;
    scratch.m_bLenient = 1;
    scratch.SetExpression(body);
    if (const int code = scratch.Parse())
        return code;
    if (scratch.GetVariableCount() != params.GetSize())
        return ErrArgumentsNotMatching;
    for (int i = 0; i < scratch.GetVariableCount(); ++i) {
        bool found = false;
        for (int p = 0; p < params.GetSize() && !found; ++p)
            found = ascii::EqualNoCase(scratch.GetVariableName(i), params[p]);
        if (!found)
            return ErrArgumentsNotMatching;
    }
    return scratch.m_bUsesUserFunction ? ErrContainsUserFunction : 0;
}

} // namespace

int CUserFunction::SplitDefinition(const CString& text, CString& name, CString& body,
                                   CStringArray& params)
{
    CString definition(text);
    definition.Trim();
    const int equal = definition.Find('=');
    if (equal < 0)
        return ErrMissingEqualSign;
    CString head = definition.Left(equal);
    CString rest = definition.Mid(equal + 1);
    head.TrimRight();
    rest.TrimLeft();
    if (head.IsEmpty() || rest.IsEmpty())
        return ErrDanglingEqualSign;
    CString functionName;
    CStringArray parameters;
    if (!SplitFunctionCall(head, functionName, parameters, 0))
        return ErrBadArgument;
    CCalcEngine scratch;
    if (const int code = scratch.CheckUserFunctionName(functionName))
        return code;
    for (int i = 0; i < parameters.GetSize(); ++i) {
        if (ascii::EqualNoCase(parameters[i], functionName))
            return ErrInvalidVariable;
        // Parameters are checked for their form only: one named x, y, z or t is refused by the
        // body check (the body reads it as the independent variable).
        if (!IsValidName(parameters[i]))
            return ErrInvalidName;
    }
    if (const int code = CheckBody(rest, parameters))
        return code;
    name = functionName;
    body = rest;
    params.RemoveAll();
    for (int i = 0; i < parameters.GetSize(); ++i)
        params.Add(parameters[i]);
    return 0;
}

int CUserFunction::Define()
{
    CString name, body;
    CStringArray params;
    if (const int code = SplitDefinition(m_strDefinition, name, body, params))
        return code;
    SetName(name);
    SetExpression(body);
    SetVariableCount(int(params.GetSize()));
    for (int i = 0; i < params.GetSize(); ++i)
        SetVariable(i, params[i], 0.0);
    return 0;
}

CString CUserFunction::Describe()
{
    CString params;
    const char separator[2] = {GetLocaleSeparators().chList, 0};
    for (int i = 0; i < GetVariableCount(); ++i) {
        if (i > 0)
            params += separator;
        params += GetVariableName(i);
    }
    m_strHead = m_strName + "(" + params + ")";
    m_strDefinition = m_strHead + " = " + GetExpressionText();
    return m_strDefinition;
}
