#pragma once
#include "framework/core/CString.h"
#include "framework/core/Collections.h"

// Handler of a catalogue row over an argument array (filled where a wrapper exists).
typedef double (*CatalogueHandler)(const double* args);

// One row of the built-in function catalogue.
struct FunctionTableEntry {
    CatalogueHandler handler;
    unsigned char minArguments; // 255 in both counts: any number of arguments
    unsigned char maxArguments;
    int opId; // ExprOpId of a call
    char category[30];
    char name[20];             // upper case
    char argumentTemplate[50]; // shown between the parentheses; empty for constants
    char description[100];
};

// Argument count marking a function that takes any number (at least one) of arguments.
constexpr int AnyArgumentCount = 255;

// The rows in table (category) order.
int GetFunctionTableSize();
const FunctionTableEntry& GetFunctionEntry(int row);
// Category names in order, as the insert-function dialog lists them.
constexpr int FunctionCategoryCount = 13;
extern const char FunctionCategoryNames[FunctionCategoryCount][20];
int GetFunctionCategoryCount();
const char* GetFunctionCategoryName(int i);
// First row whose name equals name without regard to case, else -1.
int FindFunctionEntry(const char* name);
// The name, trimmed and not empty, is a catalogue name.
bool IsFunctionName(const char* name);

// Display order: a stable sort of the rows by name (no case). Row i of the display order.
void SortFunctionTable();
int GetSortedFunctionRow(int i);

// Splits "name(arg, arg, ...)" into the name and the trimmed argument texts; separator 0
// means the list separator. False when the text is no call (name() is none) or unbalanced.
bool SplitFunctionCall(const CString& text, CString& name, CStringArray& arguments, char separator);
