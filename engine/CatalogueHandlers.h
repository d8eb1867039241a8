#pragma once

class CExprNode;

// The catalogue's own form of a built-in function: the row's arguments as doubles in the order
// of its argument template (omitted optional ones passed as 0), the value returned. Integer
// arguments are truncated toward zero and saturated to 32 bits; trigonometric ones in radians.
// Failures are reported the numerical library's way, in errno.
typedef double (*CatalogueHandlerFunction)(const double* args);

// The handler of the catalogue row with this name (no case), or null for the rows that only the
// evaluator can serve (constants, statistics, lists, conversions, plots, FSUM, and the solver
// rows, whose first argument is an expression: see below).
CatalogueHandlerFunction FindCatalogueHandler(const char* name);

// Transforms of the linear curve fit.
double HandleExp(const double* args);
double HandleLn(const double* args);
double HandleSqr(const double* args);

// The solver rows take the expression node of their first argument. Each leaves its error code
// (0 on success) in GetLastHandlerError and returns 0 on failure.
// Definite integral of f over [a, b].
double HandleFInt(CExprNode& f, double a, double b);
// Numerical derivative of f at x, to the relative accuracy 1e-5.
double HandleFDiff(CExprNode& f, double x);
// A zero of f in [a, b], to the tolerance 1e-5.
double HandleFZero(CExprNode& f, double a, double b);
int GetLastHandlerError();

// x truncated toward zero into a 32-bit int, saturated at the ends of the range; NaN gives 0.
int TruncateToInt32(double x);
