#pragma once
// The flat program behind CCompiledExpression, shared by its builder (ExpressionCompiler.cpp)
// and its runner (CompiledExpression.cpp) only.
#include "engine/EvaluatorOperations.h"
#include "engine/ExprNode.h"

#include <cstdint>
#include <deque>
#include <vector>

class CCalcEngine;
class CUserFunction;

namespace compiled {

// Where the two operands of a binary operator come from: the value stack (S), a constant of
// the instruction (K) or a double in memory that cannot fail to be read (X: x, y, z, t, or a
// parameter of a user function taken into the program). Forms that read no stack push.
enum OperandForm : int {
    FormSS,
    FormSK,
    FormKS,
    FormSX,
    FormXS,
    FormXK,
    FormKX,
    FormXX,
    FormCount
};

// Functions of one argument with an instruction of their own, on the stack top (S) or a double
// in memory (X); the rest go through ApplyValues.
constexpr int kSingleOps[] = {OpExp, OpLn,  OpLog, OpSqrt, OpAbs, OpSqr,
                              OpSin, OpCos, OpTan, OpAtan, OpTanh};
constexpr int kSingleOpCount = int(sizeof kSingleOps / sizeof kSingleOps[0]);

constexpr int SingleOpIndex(int op)
{
    for (int i = 0; i < kSingleOpCount; ++i)
        if (kSingleOps[i] == op)
            return i;
    return -1;
}

// The whole exponents from 2 up to this one have an instruction each, which multiplies out
// its own fixed sequence (the square: one product).
constexpr int kFirstFixedPower = 2;
constexpr int kLastFixedPower = 16;

enum Opcode : std::uint16_t {
    PushConstant,     // k
    PushMemory,       // *x
    PushVariable,     // engine p, index n; m = 1 when a failed read is charged as an evaluation
    PushPredefined,   // index n
    PushUserConstant, // index n
    PowerWholeS,      // stack top ^ k, k a small whole number: |k| in count, m = 1 below 0
    PowerWholeX,      // push *x ^ k
    ApplyValues,      // op n, angle mode m, `pops` arguments, `count` passed
    ApplyOnMemory,    // ApplyValues on the `pops` (1 or 2) values *x, *y; pops nothing
    CallNode,         // CompleteOperation on node p, which may evaluate further nodes
    TreeWalk,         // push node p's own Evaluate
    StoreArguments,   // user function p takes `pops` arguments into its parameters
    StoreFromMemory,  // the same from the `pops` (1 or 2) values *x, *y; pops nothing
    ReturnFromBody,   // the body root p takes the stack top; the call's tail
    OrderedOnMemory,  // push `ordered` at the whole order n of *x
    BinaryFirst,      // + BinaryOpIndex * FormCount + form: op on two operands
    SingleFirst = BinaryFirst + 5 * FormCount, // + 2 * SingleOpIndex + (0 stack, 1 *x)
    // + 2 * (k - 2) + (0 stack, 1 *x): the PowerWhole instructions of each k from 2 to 16
    PowerFixedFirst = SingleFirst + 2 * kSingleOpCount,
    OpcodeEnd = PowerFixedFirst + 2 * (kLastFixedPower - kFirstFixedPower + 1)
};

// + - * / ^ in op id order.
constexpr int BinaryOpcode(int op, int form)
{
    return BinaryFirst + (op - OpAdd) * FormCount + form;
}
constexpr int SingleOpcode(int op, bool fromMemory)
{
    return SingleFirst + 2 * SingleOpIndex(op) + (fromMemory ? 1 : 0);
}
constexpr int PowerFixedOpcode(int k, bool fromMemory)
{
    return PowerFixedFirst + 2 * (k - kFirstFixedPower) + (fromMemory ? 1 : 0);
}

struct Instruction {
    std::uint16_t code = PushConstant;
    std::int32_t pops = 0;
    std::int32_t n = 0;
    std::int32_t m = 0;
    std::int32_t count = 0;
    double k = 0;
    void* p = nullptr;
    const double* x = nullptr; // memory operands
    const double* y = nullptr;
    union {
        ValueOperation apply = nullptr; // of ApplyValues and ApplyOnMemory
        OrderedSpecialFunction ordered; // of OrderedOnMemory
    };
};

// The tree whose root an instruction's failure reaches first: the program's root (frame 0) or
// the body of a user function taken into the program.
struct Frame {
    CExprNode* root = nullptr;
    int parent = -1;
};

// What the tree walk would know about an instruction when it fails: the node evaluations
// charged before it, its frame, and whether it computes that frame's root.
struct Site {
    int charges = 0;
    int frame = 0;
    bool frameRoot = false;
};

// The value of a program of one instruction that reads no stack; code receives 0 or the code.
using LoneStep = double (*)(const Instruction& in, int& code);

struct Program {
    CExprNode* root = nullptr;
    LoneStep lone = nullptr; // set for such a program
    std::vector<Instruction> code;
    std::vector<Site> sites; // one per instruction
    std::vector<Frame> frames;
    int charges = 0;            // node evaluations of a whole run without error
    int stackDepth = 0;         // values on the stack at most
    bool evaluatesMore = false; // an instruction evaluates further nodes (CallNode, TreeWalk)
    int treeWalks = 0;
    // The value stack of a run: stackDepth values and the spare ones. A run of a program that
    // evaluates further nodes holds it (`running`); a program run again meanwhile gets its own.
    std::vector<double> stack;
    bool running = false;
    // Numbers that instructions read through a pointer; a deque does not move them.
    std::deque<double> constants;
};

// Where and why a run stopped; all fields are written when it does.
struct Failure {
    int at;
    int code;
    double value;
    int extraCharges; // evaluations charged by the failing instruction itself
    bool budget;      // the work budget ran out before instruction `at`
};

// Spare stack values above the deepest point: the spilled top, two arguments read from memory
// and the five zeros of omitted options.
constexpr int kStackSpare = 8;

LoneStep LoneStepFor(int opcode);

// Runs instructions [begin, end) of a program without budget checks and without instructions
// that evaluate nodes; true with the value on top, else the failure. For folding constants.
bool RunConstantPart(const Program& program, int begin, int end, double& value);

} // namespace compiled
