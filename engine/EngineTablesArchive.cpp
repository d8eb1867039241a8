// Stored forms of the engine's tables: the document engine's variables and expression variables
// (project file) and the program-wide user functions, constants and conversions (user data).
// Every section starts with the decimal-point flag and a record count. Reading validates counts
// against the bytes left and replaces a table only when its whole section has been read.
#include "engine/EngineTablesArchive.h"
#include "engine/CalcEngine.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"
#include "engine/RecordIdentity.h"
#include "engine/ReencodeExpression.h"
#include "engine/UnitRegistry.h"
#include "engine/UserFunction.h"
#include "framework/core/AsciiText.h"
#include "framework/core/CArchive.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace {

// Fewest bytes one record of each section takes in the file (empty texts).
constexpr int kVariableRecordBytes = 1 + 8;
constexpr int kExprVariableRecordBytes = 1 + 1;
constexpr int kUserFunctionRecordBytes = 1 + 1 + 1 + 4;
constexpr int kUserConstantRecordBytes = 1 + 1 + 1 + 8 + 8;
constexpr int kUserUnitRecordBytes = 1 + 1 + 8;

std::vector<UnloadedUserFunction> g_UnloadedUserFunctions;

void WriteHeader(CArchive& ar, int count)
{
    ar << std::int32_t(GetDecimalPointFlag()) << std::int32_t(count);
}

// Flag and count of a section being read; the count is checked against the bytes left.
int ReadHeader(CArchive& ar, int recordBytes, int& flag)
{
    std::int32_t storedFlag = 0, count = 0;
    ar >> storedFlag >> count;
    if (count < 0)
        throw CArchiveException(CArchiveException::genericException);
    ar.CheckCount(ULONGLONG(count), ULONGLONG(recordBytes));
    flag = storedFlag;
    return count;
}

void WriteUserFunction(CArchive& ar, const CString& name, const CString& body,
                       const CString& description, const std::vector<CString>& params)
{
    ar << name << body << description << std::int32_t(params.size());
    for (const CString& param : params)
        ar << param;
}

UnloadedUserFunction ReadUserFunction(CArchive& ar)
{
    UnloadedUserFunction stored;
    std::int32_t count = 0;
    ar >> stored.strName >> stored.strBody >> stored.strDescription >> count;
    if (count < 0)
        throw CArchiveException(CArchiveException::genericException);
    ar.CheckCount(ULONGLONG(count), 1);
    stored.params.resize(std::size_t(count));
    for (CString& param : stored.params)
        ar >> param;
    return stored;
}

std::vector<CString> ParameterNames(const CUserFunction& function)
{
    std::vector<CString> params;
    for (const VariableRecord& record : function.m_Variables)
        params.push_back(record.strName);
    return params;
}

bool HasNul(const CString& text) { return std::strlen(text) != std::size_t(text.GetLength()); }

// The stored name and parameters pass the checks of a typed definition one by one. Joined into
// a definition text unchecked, a parameter "a,b" would read as two and a blank or control
// character would be trimmed away, defining some other function than the one stored.
int CheckStoredNames(const UnloadedUserFunction& stored)
{
    if (HasNul(stored.strName) || HasNul(stored.strBody) || !IsValidName(stored.strName))
        return ErrInvalidName;
    CCalcEngine scratch;
    if (const int code = scratch.CheckUserFunctionName(stored.strName))
        return code;
    for (const CString& param : stored.params) {
        if (HasNul(param) || !IsValidName(param))
            return ErrInvalidName;
        if (ascii::EqualNoCase(param, stored.strName))
            return ErrInvalidVariable;
    }
    return 0;
}

// True when the function defined is the one stored: same name, same parameters in order.
bool DefinesStoredFunction(const CUserFunction& function, const UnloadedUserFunction& stored)
{
    if (function.GetName() != stored.strName ||
        function.GetVariableCount() != int(stored.params.size()))
        return false;
    for (int i = 0; i < function.GetVariableCount(); ++i)
        if (function.GetVariableName(i) != stored.params[std::size_t(i)])
            return false;
    return true;
}

// A user function built from its stored form as the definition would build it; 0 or the code
// of the check that failed (the function is then not created).
int DefineStoredFunction(const UnloadedUserFunction& stored,
                         std::unique_ptr<CUserFunction>& function)
{
    if (const int code = CheckStoredNames(stored))
        return code;
    auto candidate = std::make_unique<CUserFunction>();
    candidate->SetName(stored.strName);
    candidate->m_strDescription = stored.strDescription;
    candidate->SetExpression(stored.strBody);
    candidate->SetVariableCount(int(stored.params.size()));
    for (int i = 0; i < int(stored.params.size()); ++i)
        candidate->SetVariable(i, stored.params[std::size_t(i)], 0.0);
    candidate->Describe();
    int code = candidate->Define();
    if (code == 0 && !DefinesStoredFunction(*candidate, stored))
        code = ErrInvalidName;
    // Two stored functions of one name: the first one keeps it.
    if (code == 0 && FindUserFunction(candidate->GetName()) >= 0)
        code = ErrNameExists;
    if (code == 0)
        function = std::move(candidate);
    return code;
}

} // namespace

const std::vector<UnloadedUserFunction>& GetUnloadedUserFunctions()
{
    return g_UnloadedUserFunctions;
}

void ClearUnloadedUserFunctions() { g_UnloadedUserFunctions.clear(); }

CString DescribeUnloadedUserFunction(const UnloadedUserFunction& function)
{
    CString params;
    for (std::size_t i = 0; i < function.params.size(); ++i) {
        if (i > 0)
            params += GetLocaleSeparators().chList;
        params += function.params[i];
    }
    return function.strName + "(" + params + ") = " + function.strBody;
}

void CCalcEngine::SerializeVariables(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteHeader(ar, GetVariableCount());
        for (const VariableRecord& record : m_Variables)
            ar << record.strName << record.dValue;
        return;
    }
    int flag = 0;
    const int count = ReadHeader(ar, kVariableRecordBytes, flag);
    std::vector<VariableRecord> records(static_cast<std::size_t>(count));
    for (VariableRecord& record : records)
        ar >> record.strName >> record.dValue;
    m_Variables = std::move(records);
}

void CCalcEngine::SerializeExpressionVariables(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteHeader(ar, GetExpressionVariableCount());
        for (const ExprVariableRecord& record : m_ExprVariables)
            ar << record.strName << record.strText;
        return;
    }
    int flag = 0;
    const int count = ReadHeader(ar, kExprVariableRecordBytes, flag);
    std::vector<ExprVariableRecord> records(static_cast<std::size_t>(count));
    for (ExprVariableRecord& record : records)
        ar >> record.strName >> record.strText;
    // Texts written under the other decimal convention are rewritten; each is evaluated anew.
    for (ExprVariableRecord& record : records)
        record.strText = ReencodeExpression(record.strText, flag);
    m_ExprVariables = std::move(records);
}

void CCalcEngine::SerializeUserFunctions(CArchive& ar)
{
    std::vector<CUserFunction*>& functions = GetUserFunctions();
    if (ar.IsStoring()) {
        // Unloaded functions go back into the file unless a defined one has taken their name.
        std::vector<const UnloadedUserFunction*> kept;
        for (const UnloadedUserFunction& stored : g_UnloadedUserFunctions)
            if (FindUserFunction(stored.strName) < 0)
                kept.push_back(&stored);
        WriteHeader(ar, int(functions.size() + kept.size()));
        for (CUserFunction* function : functions)
            WriteUserFunction(ar, function->GetName(), function->GetExpressionText(),
                              function->m_strDescription, ParameterNames(*function));
        for (const UnloadedUserFunction* stored : kept)
            WriteUserFunction(ar, stored->strName, stored->strBody, stored->strDescription,
                              stored->params);
        return;
    }
    int flag = 0;
    const int count = ReadHeader(ar, kUserFunctionRecordBytes, flag);
    std::vector<UnloadedUserFunction> stored(static_cast<std::size_t>(count));
    for (UnloadedUserFunction& record : stored)
        record = ReadUserFunction(ar);

    while (GetUserFunctionCount() > 0)
        DeleteUserFunction(GetUserFunctionCount() - 1);
    g_UnloadedUserFunctions.clear();
    for (UnloadedUserFunction& record : stored) {
        // Kept in the current convention, so a function that fails is written back readable.
        record.strBody = ReencodeExpression(record.strBody, flag);
        std::unique_ptr<CUserFunction> function;
        record.nErrorCode = DefineStoredFunction(record, function);
        if (record.nErrorCode == 0)
            functions.push_back(function.release());
        else
            g_UnloadedUserFunctions.push_back(record);
    }
}

void CCalcEngine::SerializeUserConstants(CArchive& ar)
{
    std::vector<UserConstantRecord>& constants = GetUserConstants();
    if (ar.IsStoring()) {
        WriteHeader(ar, int(constants.size()));
        // In the file the symbol comes before the unit.
        for (const UserConstantRecord& record : constants)
            ar << record.strDescription << record.strSymbol << record.strUnit << record.dValue
               << record.dUncertainty;
        return;
    }
    int flag = 0;
    const int count = ReadHeader(ar, kUserConstantRecordBytes, flag);
    std::vector<UserConstantRecord> records(static_cast<std::size_t>(count));
    for (UserConstantRecord& record : records) {
        ar >> record.strDescription >> record.strSymbol >> record.strUnit >> record.dValue >>
            record.dUncertainty;
        record.nIdentity = NewRecordIdentity();
    }
    constants = std::move(records);
}

void CCalcEngine::SerializeUserUnits(CArchive& ar)
{
    if (ar.IsStoring()) {
        const int count = GetUserUnitCount();
        WriteHeader(ar, count);
        for (int i = 0; i < count; ++i) {
            const UnitRecord record = GetUserUnit(i);
            ar << CString(record.name.c_str()) << CString(record.base.c_str()) << record.factor;
        }
        return;
    }
    int flag = 0;
    const int count = ReadHeader(ar, kUserUnitRecordBytes, flag);
    std::vector<UnitRecord> records(static_cast<std::size_t>(count));
    for (UnitRecord& record : records) {
        CString name, base;
        ar >> name >> base >> record.factor;
        record.name = name.GetString();
        record.base = base.GetString();
    }
    ResetUnitRegistry();
    // A factor the registry refuses (0, not finite) cannot convert anything and is left out.
    for (const UnitRecord& record : records)
        AddUserUnit(record);
}
