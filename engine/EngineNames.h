#pragma once
#include "framework/core/CString.h"

#include <vector>

class CUserFunction;

// Records of the name tables. Indices are positions; removal shifts later records down.
struct VariableRecord {
    CString strName;
    double dValue = 0;
};

struct ExprVariableRecord {
    CString strName;
    CString strText;
    double dCachedValue = 0;
    int bEvaluated = 0;
};

struct IndependentVariableSlot {
    CString strName;
    double dValue = 0;
};

struct PredefinedNameRecord {
    CString strName;
    double dValue = 0;
};

struct UserConstantRecord {
    CString strDescription;
    CString strUnit;
    CString strSymbol;
    double dValue = 0;
    double dUncertainty = 0;
    // Which constant of the run this is (NewRecordIdentity), kept through edits; 0 for none.
    unsigned nIdentity = 0;
};

// --- program-wide tables, shared by every engine ------------------------------------------

// The four slots x, y, z, t in this order; a slot named "*" is switched off.
constexpr int IndependentVariableCount = 4;
extern IndependentVariableSlot g_IndependentVariables[IndependentVariableCount];
// Pre-defined names (physical constant symbols), filled at start-up.
std::vector<PredefinedNameRecord>& GetPredefinedNames();
// User constants.
std::vector<UserConstantRecord>& GetUserConstants();
// User functions; the list owns them (FreeGlobalSymbolTables and DeleteUserFunction delete).
std::vector<CUserFunction*>& GetUserFunctions();

// Slot 0..3 whose current name equals name (no case), else -1.
int FindIndependentVariable(const char* name);
// Names the slots x, y, z, t again and sets their values to 0.
void ResetIndependentVariables();
// Switches off x, y and z (t stays).
void EnableOnlyT();
// Switches off y, z and t (x stays).
void EnableOnlyX();

// First pre-defined name equal to name (no case), else -1.
int FindPredefinedName(const char* name);
bool PredefinedNameExists(const char* name);
// Appends one pre-defined name.
void AddPredefinedName(const char* name, double value);

// First user function with this name (no case), else -1.
int FindUserFunction(const char* name);
bool UserFunctionExists(const char* name);
int GetUserFunctionCount();
// Deletes function i and removes its slot; an index out of range is ignored.
void DeleteUserFunction(int i);
CString GetUserFunctionName(int i);
CString GetUserFunctionDescription(int i);
// The display text name(params) = body.
CString GetUserFunctionDefinition(int i);
// The parameter list text, joined by the list separator.
CString GetUserFunctionParameters(int i);
void SetUserFunctionDescription(int i, const char* text);

// First user constant whose symbol equals name (no case); an empty name is never found.
int FindUserConstant(const char* name);
bool UserConstantExists(const char* name);
int GetUserConstantCount();
// Appends a constant with an identity of its own: 22 when the symbol is taken, a name-check
// code, else 0. An empty symbol skips every check.
int AddUserConstant(const char* description, const char* unit, const char* symbol, double value);
// New symbol for constant i: name check (empty gives 20), 22 when taken by another.
int RenameUserConstant(int i, const char* symbol);
// Overwrites the texts and value of constant i; the uncertainty and the identity stay.
void SetUserConstantRecord(int i, const char* description, const char* unit, const char* symbol,
                           double value);
// Removes constant i; later ones move down.
void DeleteUserConstant(int i);
CString GetUserConstantDescription(int i);
CString GetUserConstantUnit(int i);

// --- name checks -------------------------------------------------------------------------

// Not empty, a letter or "_" first, then letters, digits and "_" (ASCII).
bool IsValidName(const char* name);
// A current independent-variable name or (trimmed) a catalogue name.
bool IsReservedName(const char* name);
// 20 "Invalid name", 21 "Cannot use predefined name" or 0.
int CheckNameSyntax(const char* name);

// Empties the pre-defined names, the user functions (deleted), the user constants and the
// unit registry, built-in units included.
void FreeGlobalSymbolTables();
