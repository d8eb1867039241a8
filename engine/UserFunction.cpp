#include "engine/UserFunction.h"

#include "engine/FunctionCatalogue.h"
#include "engine/LocaleSeparators.h"
#include "framework/core/AsciiText.h"

#include <algorithm>
#include <vector>

namespace {

// Whether the parsed tree reads every one of the first count variables of its engine.
bool ReadsEveryVariable(const CExprNode& root, int count)
{
    std::vector<char> read(std::size_t(count), 0);
    AnyNode(root, [&read, count](const CExprNode& node) {
        if (node.m_nKind == NodeVariable && node.m_nIndex >= 0 && node.m_nIndex < count)
            read[std::size_t(node.m_nIndex)] = 1;
        return false;
    });
    return std::find(read.begin(), read.end(), 0) == read.end();
}

// The body parses as the function will read it, parameters first, with unknown names taken as
// further variables: its free names must be exactly the parameters.
int CheckBody(const CString& body, const CStringArray& params)
{
    CCalcEngine scratch;
    scratch.m_bLenient = 1;
    scratch.m_bParametersFirst = 1;
    for (int i = 0; i < params.GetSize(); ++i)
        scratch.AppendVariable(params[i], 0);
    scratch.SetExpression(body);
    if (const int code = scratch.Parse())
        return code;
    if (scratch.GetVariableCount() != params.GetSize() ||
        !ReadsEveryVariable(scratch.m_Root, int(params.GetSize())))
        return ErrArgumentsNotMatching;
    return 0;
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
        // In the body a parameter hides the names the user defines and the physical constants,
        // but the built-in names are read before it. One named x, y, z or t is refused by the
        // body check, which reads it as the independent variable.
        if (!IsValidName(parameters[i]))
            return ErrInvalidName;
        if (IsReservedName(parameters[i]) && FindIndependentVariable(parameters[i]) < 0)
            return ErrPredefinedName;
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

int CUserFunction::ParseBody(unsigned outermostParse)
{
    if (outermostParse != m_nBodyParse) {
        m_nBodyParse = outermostParse;
        SetExpression(GetExpressionText());
    }
    return Parse();
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
