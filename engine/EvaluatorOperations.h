#pragma once
// Operations of the evaluator, grouped by family; shared by the evaluator's source files (the
// tree walk and the compiled form) only.
#include "engine/EvaluationWork.h"
#include "engine/EvaluatorKernels.h"

class CExprNode;
class CUserFunction;

// Each Apply function computes the operation of op over the argument array a (at least count
// values, followed by five zeros where the evaluator appends them) into value. It returns an
// engine error code reported directly (13, 38, 39, 40, 41, ...), 0 otherwise, and records
// floating-point trouble in status. `handled` is false when op is not of its family.
int ApplyArithmetic(int op, const double* a, double& value, MathStatus& status, bool& handled);
int ApplyTrigonometric(int op, int angleMode, double* a, double& value, MathStatus& status,
                       bool& handled);
int ApplyFinancial(int op, const double* a, double& value, bool& handled);
int ApplyBitwise(int op, const double* a, double& value, bool& handled);
int ApplyStatistics(int op, const double* a, int count, double& value, bool& handled);

// Sum, arithmetic mean, smallest and largest of a[0..count-1] (count >= 1).
double SumValues(const double* a, int count);
double AverageValues(const double* a, int count);
double MinValue(const double* a, int count);
double MaxValue(const double* a, int count);
// Restarts the generator from its start-up seed.
void ResetRandomGenerator();
// v written in base 2..36 (lower-case letters): a minus sign for negative values in base 10,
// the unsigned 32-bit pattern in the other bases.
void FormatInBase(int v, int base, char* text);

// Operations that work on the node itself rather than on values alone: unit and base
// conversion, the calculus functions, FSUM, user functions, and the unsupported ids.
int ApplyNodeOperation(CExprNode& node, const double* a, double& value, bool& handled);
// Number of argument nodes of a call.
int ArgumentNodeCount(CExprNode& node);
// The user function a call node names as it stands (its index and its name agree), else null.
CUserFunction* BoundUserFunction(const CExprNode& node);

// Which Apply function serves an op id. Values only: the operation depends on its arguments
// and the angle mode alone. Node: it needs the node (Node). None: no operation, the node's
// value stays as it was.
enum class OperationFamily : unsigned char {
    None,
    Arithmetic,
    Trigonometric,
    Financial,
    Special,
    Statistics,
    Bitwise,
    Node
};
OperationFamily FamilyOf(int op);
// Ids whose first argument is an expression in x, evaluated by the operation itself.
bool TakesFunctionArgument(int op);
// Ids that take any number of arguments: no zeros are appended for omitted options.
bool TakesAnyArgumentCount(int op);

// The operation of a values-only family over a (count values and the zeros), tail included:
// 0 with value set, or the code; value keeps its previous content where the tree walk's node
// would.
int ApplyValueOperation(int op, int angleMode, double* a, int count, double& value);
// The same, as the function that serves op's family, for callers that find it once.
using ValueOperation = int (*)(int op, int angleMode, double* a, int count, double& value);
ValueOperation ValueOperationOf(int op);
// The ValueOperation of the special functions.
int SpecialFunctionValue(int op, int angleMode, double* a, int count, double& value);
// The special functions with a whole order first (the Bessel functions of integer order and
// PSIN) at the order n taken from the first argument and at x: as SpecialFunctionValue, the
// value returned and 0 or the code in code.
using OrderedSpecialFunction = double (*)(int n, double x, int& code);
// The function that serves op; null when op takes no such order.
OrderedSpecialFunction OrderedSpecialFunctionOf(int op);
// Step 2 and 3 of an operator node over its collected arguments: the operation, the tail, and
// the value kept in the node where it counts. Returns the node's code.
int CompleteOperation(CExprNode& node, double* a, int count);
