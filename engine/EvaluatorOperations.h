#pragma once
// Operations of the evaluator, grouped by family; shared by the evaluator's source files only.

class CExprNode;

// Floating-point trouble of one operation, in the C runtime's terms: 0, EDOM, ERANGE, or any
// other number (a numerical-library or special-function failure).
struct MathStatus {
    int error = 0;
};

// Each Apply function computes the operation of op over the argument array a (at least count
// values, followed by five zeros where the evaluator appends them) into value. It returns an
// engine error code reported directly (13, 38, 39, 40, 41, ...), 0 otherwise, and records
// floating-point trouble in status. `handled` is false when op is not of its family.
int ApplyArithmetic(int op, const double* a, double& value, MathStatus& status, bool& handled);
int ApplyTrigonometric(int op, int angleMode, double* a, double& value, MathStatus& status,
                       bool& handled);
int ApplyFinancial(int op, const double* a, double& value, bool& handled);
int ApplySpecialFunction(int op, const double* a, double& value, MathStatus& status, bool& handled);
int ApplyBitwise(int op, const double* a, double& value, bool& handled);
int ApplyStatistics(int op, const double* a, int count, double& value, bool& handled);

// a^b as the ^ operator computes it.
double Power(double x, double y);
// Sum, arithmetic mean, smallest and largest of a[0..count-1] (count >= 1).
double SumValues(const double* a, int count);
double AverageValues(const double* a, int count);
double MinValue(const double* a, int count);
double MaxValue(const double* a, int count);
// int(v): truncation toward zero to a signed 32-bit integer; false for NaN or a value outside
// the 32-bit range (the caller reports 13 "Bad argument").
bool TruncateToInt32(double v, int& n);
// n! for n = int(v) as the evaluator computes it: EDOM for n < 0, ERANGE for n >= 171.
double Factorial(int n, MathStatus& status);
// The next value of the program's own 15-bit generator (0..32767), the same on every runtime.
int NextRandom15();
// Restarts the generator from its start-up seed.
void ResetRandomGenerator();
// v written in base 2..36 (lower-case letters): a minus sign for negative values in base 10,
// the unsigned 32-bit pattern in the other bases.
void FormatInBase(int v, int base, char* text);

// Operations that work on the node itself rather than on values alone: unit and base
// conversion, the calculus functions, FSUM, user functions, and the unsupported ids.
int ApplyNodeOperation(CExprNode& node, const double* a, double& value, bool& handled);
