#pragma once
#include "framework/core/CString.h"

// The engine's start-up, run once by the document's initialisation: separators, pre-defined
// names, unit registry, independent variables and the special-function error handler.
void InitCalcEngine();

// Syntax checks of graph expressions; both leave x, y, z, t enabled and 0 afterwards.
int ValidateCurveExpression(int kind, const CString& expr1, const CString& expr2);
int ValidateSurfaceExpression(const CString& expr);
