#include "engine/CalcEngine.h"

#include "engine/FunctionCatalogue.h"
#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"
#include "engine/PhysicalConstants.h"
#include "engine/UserFunction.h"
#include "framework/core/AsciiText.h"

namespace {

template <class Table> bool InRange(const Table& table, int i)
{
    return i >= 0 && i < int(table.size());
}

// The tables a kind-specific name check consults besides the pre-defined names.
enum : unsigned { InVariables = 1, InExprVariables = 2, InUserFunctions = 4, InUserConstants = 8 };

CString Number15(double v) { return numtext::General(v, 15, GetLocaleSeparators().chDecimal); }

int CountSeparators(const CString& text, char separator)
{
    int n = 0;
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] == separator)
            ++n;
    return n;
}

} // namespace

// --- name checks -----------------------------------------------------------------------------

static int CheckNameIn(const CCalcEngine& engine, const char* name, unsigned tables)
{
    int code = CheckNameSyntax(name);
    if (code)
        return code;
    bool taken = PredefinedNameExists(name) ||
                 ((tables & InVariables) && engine.VariableExists(name)) ||
                 ((tables & InExprVariables) && engine.ExpressionVariableExists(name)) ||
                 ((tables & InUserFunctions) && UserFunctionExists(name)) ||
                 ((tables & InUserConstants) && UserConstantExists(name));
    return taken ? ErrNameExists : 0;
}

int CCalcEngine::CheckVariableName(const char* name) const
{
    return CheckNameIn(*this, name, InExprVariables | InUserFunctions | InUserConstants);
}

int CCalcEngine::CheckExpressionVariableName(const char* name) const
{
    return CheckNameIn(*this, name, InVariables | InUserFunctions | InUserConstants);
}

int CCalcEngine::CheckUserFunctionName(const char* name) const
{
    return CheckNameIn(*this, name, InVariables | InExprVariables | InUserConstants);
}

int CCalcEngine::CheckUserConstantName(const char* name) const
{
    return CheckNameIn(*this, name, InVariables | InExprVariables | InUserFunctions);
}

// --- variables -------------------------------------------------------------------------------

int CCalcEngine::FindVariable(const char* name) const
{
    for (std::size_t i = 0; i < m_Variables.size(); ++i)
        if (ascii::EqualNoCase(m_Variables[i].strName, name))
            return int(i);
    return -1;
}

CString CCalcEngine::GetVariableName(int i) const
{
    return InRange(m_Variables, i) ? m_Variables[std::size_t(i)].strName : CString();
}

double CCalcEngine::GetVariableValue(int i) const
{
    return InRange(m_Variables, i) ? m_Variables[std::size_t(i)].dValue : 0.0;
}

int CCalcEngine::DefineVariable(const char* name, double value, bool allowOverwrite)
{
    int found = FindVariable(name);
    if (found >= 0 && !allowOverwrite)
        return ErrNameExists;
    int code = CheckVariableName(name);
    if (code)
        return code;
    if (found >= 0)
        m_Variables[std::size_t(found)] = {CString(name), value};
    else
        m_Variables.push_back({CString(name), value});
    return 0;
}

int CCalcEngine::RenameVariable(int i, const char* newName)
{
    int code = CheckVariableName(newName);
    if (code)
        return code;
    int found = FindVariable(newName);
    if (found == i)
        return 0;
    if (found >= 0)
        return ErrNameExists;
    if (InRange(m_Variables, i))
        m_Variables[std::size_t(i)].strName = newName;
    return 0;
}

void CCalcEngine::SetVariable(int i, const char* name, double value)
{
    if (InRange(m_Variables, i))
        m_Variables[std::size_t(i)] = {CString(name), value};
}

int CCalcEngine::AppendVariable(const char* name, double value)
{
    m_Variables.push_back({CString(name), value});
    return int(m_Variables.size()) - 1;
}

void CCalcEngine::DeleteVariable(int i)
{
    if (InRange(m_Variables, i))
        m_Variables.erase(m_Variables.begin() + i);
}

void CCalcEngine::SetVariableCount(int n)
{
    m_Variables.assign(std::size_t(n < 0 ? 0 : n), VariableRecord());
}

// --- expression variables --------------------------------------------------------------------

int CCalcEngine::FindExpressionVariable(const char* name) const
{
    for (std::size_t i = 0; i < m_ExprVariables.size(); ++i)
        if (ascii::EqualNoCase(m_ExprVariables[i].strName, name))
            return int(i);
    return -1;
}

CString CCalcEngine::GetExpressionVariableName(int i) const
{
    return InRange(m_ExprVariables, i) ? m_ExprVariables[std::size_t(i)].strName : CString();
}

CString CCalcEngine::GetExpressionVariableText(int i) const
{
    return InRange(m_ExprVariables, i) ? m_ExprVariables[std::size_t(i)].strText : CString();
}

int CCalcEngine::AddExpressionVariable(const char* name, const CString& text)
{
    m_ExprVariables.push_back({CString(name), text, 0.0, 0});
    return int(m_ExprVariables.size()) - 1;
}

void CCalcEngine::DeleteExpressionVariable(int i)
{
    if (InRange(m_ExprVariables, i))
        m_ExprVariables.erase(m_ExprVariables.begin() + i);
}

int CCalcEngine::DefineExpressionVariable(const char* name, const CString& text,
                                          bool allowOverwrite)
{
    int found = FindExpressionVariable(name);
    if (found >= 0 && !allowOverwrite)
        return ErrNameExists;
    int code = CheckExpressionVariableName(name);
    if (code)
        return code;
    int index = found >= 0 ? found : AddExpressionVariable(name, CString());
    code = SetExpressionVariableText(index, text);
    if (code && found < 0)
        DeleteExpressionVariable(index);
    return code;
}

int CCalcEngine::SetExpressionVariableText(int i, const CString& text)
{
    if (!InRange(m_ExprVariables, i))
        return ErrInvalidName;
    CString old = m_ExprVariables[std::size_t(i)].strText;
    m_ExprVariables[std::size_t(i)].strText = text;
    SetExpression(text);
    int code = Parse();
    if (code) {
        m_ExprVariables[std::size_t(i)].strText = old;
        return code;
    }
    for (ExprVariableRecord& r : m_ExprVariables)
        r.bEvaluated = 0;
    return 0;
}

int CCalcEngine::RenameExpressionVariable(int i, const char* newName)
{
    int code = CheckExpressionVariableName(newName);
    if (code)
        return code;
    int found = FindExpressionVariable(newName);
    if (found == i)
        return 0;
    if (found >= 0)
        return ErrNameExists;
    if (!InRange(m_ExprVariables, i))
        return ErrInvalidName;
    m_ExprVariables[std::size_t(i)].strName = newName;
    for (ExprVariableRecord& r : m_ExprVariables)
        r.bEvaluated = 0;
    return 0;
}

// --- descriptions ----------------------------------------------------------------------------

int CCalcEngine::DescribeName(const char* name, CString& text, int& argumentCount) const
{
    int i = FindFunctionEntry(name);
    if (i >= 0) {
        const FunctionTableEntry& e = GetFunctionEntry(i);
        text = e.argumentTemplate[0] ? CString(e.name) + "(" + e.argumentTemplate + ")"
                                     : CString(e.name);
        argumentCount = 1 + CountSeparators(text, ',');
        return NameBuiltinFunction;
    }
    if ((i = FindPhysicalConstant(name)) >= 0) {
        const PhysicalConstantEntry& c = GetPhysicalConstant(i);
        text = CString(c.description) + " (" + Number15(c.value) + " " + c.unit + ")";
        return NamePhysicalConstant;
    }
    if ((i = FindUserFunction(name)) >= 0) {
        text = GetUserFunctionParameters(i);
        argumentCount = 1 + CountSeparators(text, GetLocaleSeparators().chList);
        return NameUserFunction;
    }
    if ((i = FindUserConstant(name)) >= 0) {
        const UserConstantRecord& c = GetUserConstants()[std::size_t(i)];
        text = c.strDescription + " (" + Number15(c.dValue) + " " + c.strUnit + ")";
        return NameUserConstant;
    }
    if ((i = FindExpressionVariable(name)) >= 0) {
        text = CString("'") + m_ExprVariables[std::size_t(i)].strText + "'";
        return NameExpressionVariable;
    }
    if ((i = FindVariable(name)) >= 0) {
        text = Number15(m_Variables[std::size_t(i)].dValue);
        return NameVariable;
    }
    return NameUnknown;
}
