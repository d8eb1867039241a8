#include "engine/EngineNames.h"

#include "engine/EngineErrors.h"
#include "engine/FunctionCatalogue.h"
#include "engine/LocaleSeparators.h"
#include "engine/RecordIdentity.h"
#include "engine/UnitRegistry.h"
#include "engine/UserFunction.h"
#include "framework/core/AsciiText.h"

IndependentVariableSlot g_IndependentVariables[IndependentVariableCount] = {
    {CString("x"), 0}, {CString("y"), 0}, {CString("z"), 0}, {CString("t"), 0}};

namespace {

// Name that no valid name can equal: switches a slot off.
constexpr const char* SlotOff = "*";

template <class Table, class Key> int FindFirst(const Table& table, const char* name, Key key)
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (ascii::EqualNoCase(key(table[i]), name))
            return int(i);
    return -1;
}

template <class Table> bool InRange(const Table& table, int i)
{
    return i >= 0 && i < int(table.size());
}

} // namespace

std::vector<PredefinedNameRecord>& GetPredefinedNames()
{
    static std::vector<PredefinedNameRecord> table;
    return table;
}

std::vector<UserConstantRecord>& GetUserConstants()
{
    static std::vector<UserConstantRecord> table;
    return table;
}

std::vector<CUserFunction*>& GetUserFunctions()
{
    static std::vector<CUserFunction*> table;
    return table;
}

int FindIndependentVariable(const char* name)
{
    for (int i = 0; i < IndependentVariableCount; ++i)
        if (ascii::EqualNoCase(g_IndependentVariables[i].strName, name))
            return i;
    return -1;
}

void ResetIndependentVariables()
{
    static constexpr const char* Names[IndependentVariableCount] = {"x", "y", "z", "t"};
    for (int i = 0; i < IndependentVariableCount; ++i) {
        g_IndependentVariables[i].strName = Names[i];
        g_IndependentVariables[i].dValue = 0;
    }
}

void EnableOnlyT()
{
    for (int i = 0; i < 3; ++i)
        g_IndependentVariables[i].strName = CString(SlotOff);
}

void EnableOnlyX()
{
    for (int i = 1; i < IndependentVariableCount; ++i)
        g_IndependentVariables[i].strName = CString(SlotOff);
}

int FindPredefinedName(const char* name)
{
    return FindFirst(GetPredefinedNames(), name,
                     [](const PredefinedNameRecord& r) { return r.strName.GetString(); });
}

bool PredefinedNameExists(const char* name) { return FindPredefinedName(name) >= 0; }

void AddPredefinedName(const char* name, double value)
{
    GetPredefinedNames().push_back({CString(name), value});
}

int FindUserFunction(const char* name)
{
    return FindFirst(GetUserFunctions(), name,
                     [](const CUserFunction* f) { return f->GetName().GetString(); });
}

bool UserFunctionExists(const char* name) { return FindUserFunction(name) >= 0; }

int GetUserFunctionCount() { return int(GetUserFunctions().size()); }

void DeleteUserFunction(int i)
{
    auto& list = GetUserFunctions();
    if (!InRange(list, i))
        return;
    delete list[std::size_t(i)];
    list.erase(list.begin() + i);
}

CString GetUserFunctionName(int i)
{
    return InRange(GetUserFunctions(), i) ? GetUserFunctions()[std::size_t(i)]->m_strName
                                          : CString();
}

CString GetUserFunctionDescription(int i)
{
    return InRange(GetUserFunctions(), i) ? GetUserFunctions()[std::size_t(i)]->m_strDescription
                                          : CString();
}

CString GetUserFunctionDefinition(int i)
{
    return InRange(GetUserFunctions(), i) ? GetUserFunctions()[std::size_t(i)]->m_strDefinition
                                          : CString();
}

CString GetUserFunctionParameters(int i)
{
    if (!InRange(GetUserFunctions(), i))
        return CString();
    const CUserFunction* f = GetUserFunctions()[std::size_t(i)];
    CString text;
    for (int p = 0; p < f->GetVariableCount(); ++p) {
        if (p)
            text += GetLocaleSeparators().chList;
        text += f->GetVariableName(p);
    }
    return text;
}

void SetUserFunctionDescription(int i, const char* text)
{
    if (InRange(GetUserFunctions(), i))
        GetUserFunctions()[std::size_t(i)]->m_strDescription = text;
}

int FindUserConstant(const char* name)
{
    if (!name || !*name)
        return -1;
    return FindFirst(GetUserConstants(), name,
                     [](const UserConstantRecord& r) { return r.strSymbol.GetString(); });
}

bool UserConstantExists(const char* name) { return FindUserConstant(name) >= 0; }

int GetUserConstantCount() { return int(GetUserConstants().size()); }

int AddUserConstant(const char* description, const char* unit, const char* symbol, double value)
{
    if (symbol && *symbol) {
        if (UserConstantExists(symbol))
            return ErrNameExists;
        // No engine: the constant is checked against the program-wide tables only.
        CCalcEngine scratch;
        int code = scratch.CheckUserConstantName(symbol);
        if (code)
            return code;
    }
    GetUserConstants().push_back(
        {CString(description), CString(unit), CString(symbol), value, 0, NewRecordIdentity()});
    return 0;
}

int RenameUserConstant(int i, const char* symbol)
{
    CCalcEngine scratch;
    int code = scratch.CheckUserConstantName(symbol);
    if (code)
        return code;
    int found = FindUserConstant(symbol);
    if (found == i)
        return 0;
    if (found >= 0)
        return ErrNameExists;
    if (InRange(GetUserConstants(), i))
        GetUserConstants()[std::size_t(i)].strSymbol = symbol;
    return 0;
}

void SetUserConstantRecord(int i, const char* description, const char* unit, const char* symbol,
                           double value)
{
    if (!InRange(GetUserConstants(), i))
        return;
    UserConstantRecord& r = GetUserConstants()[std::size_t(i)];
    r.strDescription = description;
    r.strUnit = unit;
    r.strSymbol = symbol;
    r.dValue = value;
}

void DeleteUserConstant(int i)
{
    auto& table = GetUserConstants();
    if (InRange(table, i))
        table.erase(table.begin() + i);
}

CString GetUserConstantDescription(int i)
{
    return InRange(GetUserConstants(), i) ? GetUserConstants()[std::size_t(i)].strDescription
                                          : CString();
}

CString GetUserConstantUnit(int i)
{
    return InRange(GetUserConstants(), i) ? GetUserConstants()[std::size_t(i)].strUnit : CString();
}

bool IsValidName(const char* name)
{
    if (!name || !*name)
        return false;
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (!letter(name[0]) && name[0] != '_')
        return false;
    for (const char* p = name + 1; *p; ++p)
        if (!letter(*p) && !(*p >= '0' && *p <= '9') && *p != '_')
            return false;
    return true;
}

bool IsReservedName(const char* name)
{
    // RAND and RND are read before any table, so a name so called could never be used.
    if (ascii::EqualNoCase(name, "RAND") || ascii::EqualNoCase(name, "RND"))
        return true;
    return FindIndependentVariable(name) >= 0 || IsFunctionName(name);
}

int CheckNameSyntax(const char* name)
{
    if (!IsValidName(name))
        return ErrInvalidName;
    if (IsReservedName(name))
        return ErrPredefinedName;
    return 0;
}

void FreeGlobalSymbolTables()
{
    GetPredefinedNames().clear();
    for (CUserFunction* f : GetUserFunctions())
        delete f;
    GetUserFunctions().clear();
    GetUserConstants().clear();
    ClearUnitRegistry();
}
