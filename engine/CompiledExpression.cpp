// Running a compiled expression: one loop over the instructions with a value stack, the work
// budget charged in one step where it cannot run out, and the tree walk's failure rules.
#include "engine/CompiledExpression.h"

#include "engine/CompiledProgram.h"
#include "engine/EngineNames.h"
#include "engine/EvaluatorOperations.h"
#include "engine/EvaluatorRounding.h"
#include "engine/UserFunction.h"

#include <memory>
#include <utility>

namespace compiled {
namespace {

// The loop relies on GCC's and Clang's extensions, as the builds do: labels as values, and
// control of inlining.
#define ZIVRA_ALWAYS_INLINE [[gnu::always_inline]] inline
#define ZIVRA_NOINLINE [[gnu::noinline]]
// The dispatcher keeps its label table in a static where the compiler can be told never to
// copy the function (GCC's noclone); Clang, which cannot, gets a table of its own per run.
#if defined(__clang__)
#define ZIVRA_DISPATCHER [[gnu::noinline, gnu::flatten]]
#define ZIVRA_TARGET_TABLE const void* const
#else
#define ZIVRA_DISPATCHER [[gnu::noinline, gnu::noclone, gnu::flatten]]
#define ZIVRA_TARGET_TABLE static const void* const
#endif

// Record i of a table of names with values, null when the table has no such record.
template <class Table> const double* ValueAt(const Table& table, int i)
{
    return unsigned(i) < table.size() ? &table[size_t(i)].dValue : nullptr;
}

// The node evaluations charged before the run and the limit they may reach.
struct Budget {
    long long base = 0;
    long long limit = 0;
};

// The value stack of a run, its top held apart so that it can stay in a register: below
// points one past the values under the top, which start at stack[1] (stack[0] takes the
// empty top spilled by the first push).
struct ValueStack {
    double* below;
    double top;

    void Push(double v)
    {
        *below++ = top;
        top = v;
    }
    // The top n values in memory, in order.
    double* Spill(int n)
    {
        *below = top;
        return below - n + 1;
    }
    // The same, followed by the five zeros of omitted options.
    double* Arguments(int n)
    {
        for (int i = 1; i <= 5; ++i)
            below[i] = 0.0;
        return Spill(n);
    }
    // After an operation over Arguments(n): its value in their place, or (Drop) none.
    void Replace(double* arguments, double v)
    {
        below = arguments;
        top = v;
    }
    void Drop(double* arguments)
    {
        below = arguments - 1;
        top = *below;
    }
};

template <int Op, int Form>
ZIVRA_ALWAYS_INLINE int BinaryStep(const Instruction& in, ValueStack& stack, double& v)
{
    double a = 0, b = 0;
    if constexpr (Form == FormSS) {
        a = stack.below[-1];
        b = stack.top;
    } else if constexpr (Form == FormSK) {
        a = stack.top;
        b = in.k;
    } else if constexpr (Form == FormKS) {
        a = in.k;
        b = stack.top;
    } else if constexpr (Form == FormSX) {
        a = stack.top;
        b = *in.x;
    } else if constexpr (Form == FormXS) {
        a = *in.x;
        b = stack.top;
    } else if constexpr (Form == FormXK) {
        a = *in.x;
        b = in.k;
    } else if constexpr (Form == FormKX) {
        a = in.k;
        b = *in.x;
    } else {
        a = *in.x;
        b = *in.y;
    }
    const int code = OperatorValue<Op>(a, b, v);
    if constexpr (Form == FormSS) {
        --stack.below;
        stack.top = v;
    } else if constexpr (Form >= FormXK) {
        stack.Push(v);
    } else {
        stack.top = v;
    }
    return code;
}

// x^k for the small whole k of a PowerWhole instruction.
ZIVRA_ALWAYS_INLINE int PowerWholeStep(const Instruction& in, ValueStack& stack, bool fromMemory,
                                       double& v)
{
    const double x = fromMemory ? *in.x : stack.top;
    const int code = SmallWholePowerValue(x, unsigned(in.count), in.m != 0, v);
    if (fromMemory)
        stack.Push(v);
    else
        stack.top = v;
    return code;
}

// x^N or x^-N for the N of a fixed power's instruction. A program never runs rounded up or
// down (Run hands such evaluations to the tree walk), so the power is the nearest double.
template <unsigned N> ZIVRA_ALWAYS_INLINE double FixedPower(double x, bool negative)
{
    if (N == 2 && !negative)
        return x * x;
    return NearestWholePowerOf<N>(x, negative);
}

template <unsigned N>
ZIVRA_ALWAYS_INLINE int PowerFixedStep(const Instruction& in, ValueStack& stack, bool fromMemory,
                                       double& v)
{
    v = FixedPower<N>(fromMemory ? *in.x : stack.top, in.m != 0);
    const int code = FinishOperation(OpPower, 0, MathStatus{}, v);
    if (fromMemory)
        stack.Push(v);
    else
        stack.top = v;
    return code;
}

// The steps' value v is written only through copies where a call takes it by reference, so that
// its address stays unknown outside the run and it can stay in a register.

// An operation of a values family on one or two values in memory, in scratch room a.
ZIVRA_ALWAYS_INLINE int ApplyToMemory(const Instruction& in, double* a, double& v)
{
    a[0] = *in.x;
    a[1] = in.pops > 1 ? *in.y : 0.0;
    for (int i = 2; i < 7; ++i)
        a[i] = 0.0;
    double value = 0;
    const int code = in.apply(in.n, in.m, a, in.count, value);
    v = value;
    return code;
}

ZIVRA_ALWAYS_INLINE int ApplyOnMemoryStep(const Instruction& in, ValueStack& stack, double& v)
{
    const int code = ApplyToMemory(in, stack.below + 1, v);
    stack.Push(v);
    return code;
}

template <int Op>
ZIVRA_ALWAYS_INLINE int SingleStep(const Instruction& in, ValueStack& stack, bool fromMemory,
                                   double& v)
{
    double x = fromMemory ? *in.x : stack.top;
    MathStatus status;
    int code = 0;
    if constexpr ((Op >= OpSin && Op <= OpCot) || (Op >= OpAsin && Op <= OpAcoth))
        v = TrigonometricValue<Op>(in.m, x);
    else
        code = ArithmeticValue<Op>(&x, v, status);
    code = FinishOperation(Op, code, status, v);
    if (fromMemory)
        stack.Push(v);
    else
        stack.top = v;
    return code;
}

ZIVRA_ALWAYS_INLINE int OrderedOnMemoryStep(const Instruction& in, ValueStack& stack, double& v)
{
    int code = 0;
    v = in.ordered(in.n, *in.x, code);
    stack.Push(v);
    return code;
}

// Operations that evaluate further nodes see the charges of the tree walk's order, and the
// budget left after them is what they spent.
struct EvaluatingStep {
    EvaluatingStep(Budget* budget, int charges) : m_budget(budget), m_charges(charges)
    {
        if (m_budget)
            EvaluationWork::SetDone(m_budget->base + charges);
    }
    ~EvaluatingStep()
    {
        if (m_budget) {
            m_budget->base = EvaluationWork::Done() - m_charges;
            m_budget->limit = EvaluationWork::Limit();
        }
    }
    EvaluatingStep(const EvaluatingStep&) = delete;
    EvaluatingStep& operator=(const EvaluatingStep&) = delete;

    Budget* m_budget;
    int m_charges;
};

// A variable, pre-defined name or user constant; null when its table has no such record.
ZIVRA_ALWAYS_INLINE const double* NamedValue(const Instruction& in)
{
    if (in.code == PushVariable)
        return ValueAt(static_cast<const CCalcEngine*>(in.p)->m_Variables, in.n);
    return in.code == PushPredefined ? ValueAt(GetPredefinedNames(), in.n)
                                     : ValueAt(GetUserConstants(), in.n);
}

ZIVRA_ALWAYS_INLINE int ApplyValuesStep(const Instruction& in, ValueStack& stack, double& v)
{
    double* a = stack.Arguments(in.pops);
    double value = 0;
    const int code = in.apply(in.n, in.m, a, in.count, value);
    v = value;
    stack.Replace(a, v);
    return code;
}

// An operation on its node, which may evaluate further nodes (budget in a checked run).
ZIVRA_ALWAYS_INLINE int NodeStep(const Instruction& in, ValueStack& stack, Budget* budget,
                                 int charges, double& v)
{
    auto& node = *static_cast<CExprNode*>(in.p);
    double* a = stack.Arguments(in.pops);
    int code = 0;
    {
        const EvaluatingStep step(budget, charges);
        code = CompleteOperation(node, a, in.count);
    }
    v = node.m_dValue;
    stack.Replace(a, v);
    return code;
}

ZIVRA_ALWAYS_INLINE int TreeWalkStep(const Instruction& in, ValueStack& stack, Budget* budget,
                                     int charges, double& v)
{
    int code = 0;
    double value = 0;
    {
        const EvaluatingStep step(budget, charges);
        code = static_cast<CExprNode*>(in.p)->Evaluate(value);
    }
    v = value;
    stack.Push(v);
    return code;
}

ZIVRA_ALWAYS_INLINE void StoreArgumentsStep(const Instruction& in, ValueStack& stack)
{
    auto& parameters = static_cast<CUserFunction*>(in.p)->m_Variables;
    double* a = stack.Spill(in.pops);
    for (int i = 0; i < in.pops; ++i)
        parameters[size_t(i)].dValue = a[i];
    stack.Drop(a);
}

ZIVRA_ALWAYS_INLINE void StoreFromMemoryStep(const Instruction& in)
{
    auto& parameters = static_cast<CUserFunction*>(in.p)->m_Variables;
    parameters[0].dValue = *in.x;
    if (in.pops > 1)
        parameters[1].dValue = *in.y;
}

// The body's root takes its value and code as its Evaluate leaves them; the call's tail follows.
ZIVRA_ALWAYS_INLINE int ReturnStep(const Instruction& in, ValueStack& stack, double& v)
{
    auto& body = *static_cast<CExprNode*>(in.p);
    v = stack.top;
    body.m_dValue = v;
    body.m_nErrorCode = 0;
    const int code = FinishOperation(OpUserFunction, 0, MathStatus{}, v);
    stack.top = v;
    return code;
}

// The loop dispatches by the labels-as-values extension of GCC and Clang: each instruction's
// code ends with its own jump to the next, which the processor predicts far better than one
// shared jump. kTargets lists one label per opcode, in opcode order.
#define ZIVRA_BINARY_TARGETS(op)                                                                   \
    &&binary_##op##_0, &&binary_##op##_1, &&binary_##op##_2, &&binary_##op##_3, &&binary_##op##_4, \
        &&binary_##op##_5, &&binary_##op##_6, &&binary_##op##_7
#define ZIVRA_SINGLE_TARGETS(op) &&single_##op##_0, &&single_##op##_1
#define ZIVRA_POWER_TARGETS(n) &&power_##n##_0, &&power_##n##_1
#define ZIVRA_BINARY_STEP(op, form)                                                                \
    binary_##op##_##form : if ((code = BinaryStep<op, form>(*next, stack, v)) != 0) goto failed;   \
    ZIVRA_NEXT;
#define ZIVRA_BINARY_STEPS(op)                                                                     \
    ZIVRA_BINARY_STEP(op, 0)                                                                       \
    ZIVRA_BINARY_STEP(op, 1)                                                                       \
    ZIVRA_BINARY_STEP(op, 2)                                                                       \
    ZIVRA_BINARY_STEP(op, 3)                                                                       \
    ZIVRA_BINARY_STEP(op, 4)                                                                       \
    ZIVRA_BINARY_STEP(op, 5)                                                                       \
    ZIVRA_BINARY_STEP(op, 6)                                                                       \
    ZIVRA_BINARY_STEP(op, 7)
#define ZIVRA_SINGLE_STEPS(op)                                                                     \
    single_##op##_0 : if ((code = SingleStep<op>(*next, stack, false, v)) != 0) goto failed;       \
    ZIVRA_NEXT;                                                                                    \
    single_##op##_1 : if ((code = SingleStep<op>(*next, stack, true, v)) != 0) goto failed;        \
    ZIVRA_NEXT;
#define ZIVRA_POWER_STEPS(n)                                                                       \
    power_##n##_0 : if ((code = PowerFixedStep<n>(*next, stack, false, v)) != 0) goto failed;      \
    ZIVRA_NEXT;                                                                                    \
    power_##n##_1 : if ((code = PowerFixedStep<n>(*next, stack, true, v)) != 0) goto failed;       \
    ZIVRA_NEXT;
// To instruction `next`, or out at the end; a checked run tests the budget first.
#define ZIVRA_GO                                                                                   \
    do {                                                                                           \
        if (next == last)                                                                          \
            goto finished;                                                                         \
        if (Checked && budget->base + program.sites[size_t(next - first)].charges > budget->limit) \
            goto spent;                                                                            \
        goto* kTargets[next->code];                                                                \
    } while (false)
#define ZIVRA_NEXT                                                                                 \
    do {                                                                                           \
        ++next;                                                                                    \
        ZIVRA_GO;                                                                                  \
    } while (false)

// Runs instructions [begin, end). Checked: the budget is tested before each instruction and
// synchronised around those that evaluate further nodes; otherwise the caller has made sure it
// cannot run out. Never inlined or cloned: its table holds addresses of its own labels.
template <bool Checked>
ZIVRA_DISPATCHER bool Run(const Program& program, int begin, int end, double* memory,
                          Budget* budget, Failure& failure, double& result)
{
    ZIVRA_TARGET_TABLE kTargets[] = {
        &&push_constant,
        &&push_memory,
        &&push_named,
        &&push_named,
        &&push_named,
        &&power_whole_stack,
        &&power_whole_memory,
        &&apply_values,
        &&apply_on_memory,
        &&apply_node,
        &&tree_walk,
        &&store_arguments,
        &&store_from_memory,
        &&return_from_body,
        &&ordered_on_memory,
        ZIVRA_BINARY_TARGETS(OpAdd),
        ZIVRA_BINARY_TARGETS(OpSubtract),
        ZIVRA_BINARY_TARGETS(OpMultiply),
        ZIVRA_BINARY_TARGETS(OpDivide),
        ZIVRA_BINARY_TARGETS(OpPower),
        ZIVRA_SINGLE_TARGETS(OpExp),
        ZIVRA_SINGLE_TARGETS(OpLn),
        ZIVRA_SINGLE_TARGETS(OpLog),
        ZIVRA_SINGLE_TARGETS(OpSqrt),
        ZIVRA_SINGLE_TARGETS(OpAbs),
        ZIVRA_SINGLE_TARGETS(OpSqr),
        ZIVRA_SINGLE_TARGETS(OpSin),
        ZIVRA_SINGLE_TARGETS(OpCos),
        ZIVRA_SINGLE_TARGETS(OpTan),
        ZIVRA_SINGLE_TARGETS(OpAtan),
        ZIVRA_SINGLE_TARGETS(OpTanh),
        ZIVRA_POWER_TARGETS(2),
        ZIVRA_POWER_TARGETS(3),
        ZIVRA_POWER_TARGETS(4),
        ZIVRA_POWER_TARGETS(5),
        ZIVRA_POWER_TARGETS(6),
        ZIVRA_POWER_TARGETS(7),
        ZIVRA_POWER_TARGETS(8),
        ZIVRA_POWER_TARGETS(9),
        ZIVRA_POWER_TARGETS(10),
        ZIVRA_POWER_TARGETS(11),
        ZIVRA_POWER_TARGETS(12),
        ZIVRA_POWER_TARGETS(13),
        ZIVRA_POWER_TARGETS(14),
        ZIVRA_POWER_TARGETS(15),
        ZIVRA_POWER_TARGETS(16),
    };
    static_assert(sizeof kTargets / sizeof kTargets[0] == OpcodeEnd);
    const Instruction* const first = program.code.data();
    const Instruction* const last = first + end;
    ValueStack stack{memory, 0.0};
    double v = 0;
    int code = 0;
    int extra = 0;
    const Instruction* next = first + begin;
    ZIVRA_GO;

push_constant:
    stack.Push(next->k);
    ZIVRA_NEXT;
push_memory:
    stack.Push(*next->x);
    ZIVRA_NEXT;
push_named:
    if (const double* value = NamedValue(*next)) {
        stack.Push(*value);
        ZIVRA_NEXT;
    }
    code = ErrInvalidName;
    extra = next->m;
    goto failed;
power_whole_stack:
    if ((code = PowerWholeStep(*next, stack, false, v)) != 0)
        goto failed;
    ZIVRA_NEXT;
power_whole_memory:
    if ((code = PowerWholeStep(*next, stack, true, v)) != 0)
        goto failed;
    ZIVRA_NEXT;
    ZIVRA_BINARY_STEPS(OpAdd)
    ZIVRA_BINARY_STEPS(OpSubtract)
    ZIVRA_BINARY_STEPS(OpMultiply)
    ZIVRA_BINARY_STEPS(OpDivide)
    ZIVRA_BINARY_STEPS(OpPower)
    ZIVRA_SINGLE_STEPS(OpExp)
    ZIVRA_SINGLE_STEPS(OpLn)
    ZIVRA_SINGLE_STEPS(OpLog)
    ZIVRA_SINGLE_STEPS(OpSqrt)
    ZIVRA_SINGLE_STEPS(OpAbs)
    ZIVRA_SINGLE_STEPS(OpSqr)
    ZIVRA_SINGLE_STEPS(OpSin)
    ZIVRA_SINGLE_STEPS(OpCos)
    ZIVRA_SINGLE_STEPS(OpTan)
    ZIVRA_SINGLE_STEPS(OpAtan)
    ZIVRA_SINGLE_STEPS(OpTanh)
    ZIVRA_POWER_STEPS(2)
    ZIVRA_POWER_STEPS(3)
    ZIVRA_POWER_STEPS(4)
    ZIVRA_POWER_STEPS(5)
    ZIVRA_POWER_STEPS(6)
    ZIVRA_POWER_STEPS(7)
    ZIVRA_POWER_STEPS(8)
    ZIVRA_POWER_STEPS(9)
    ZIVRA_POWER_STEPS(10)
    ZIVRA_POWER_STEPS(11)
    ZIVRA_POWER_STEPS(12)
    ZIVRA_POWER_STEPS(13)
    ZIVRA_POWER_STEPS(14)
    ZIVRA_POWER_STEPS(15)
    ZIVRA_POWER_STEPS(16)
apply_on_memory:
    if ((code = ApplyOnMemoryStep(*next, stack, v)) != 0)
        goto failed;
    ZIVRA_NEXT;
apply_values:
    if ((code = ApplyValuesStep(*next, stack, v)) != 0)
        goto failed;
    ZIVRA_NEXT;
ordered_on_memory:
    if ((code = OrderedOnMemoryStep(*next, stack, v)) != 0)
        goto failed;
    ZIVRA_NEXT;
apply_node:
    if ((code = NodeStep(*next, stack, Checked ? budget : nullptr,
                         program.sites[size_t(next - first)].charges, v)) != 0)
        goto failed;
    ZIVRA_NEXT;
tree_walk:
    if ((code = TreeWalkStep(*next, stack, Checked ? budget : nullptr,
                             program.sites[size_t(next - first)].charges, v)) != 0)
        goto failed;
    ZIVRA_NEXT;
store_arguments:
    StoreArgumentsStep(*next, stack);
    ZIVRA_NEXT;
store_from_memory:
    StoreFromMemoryStep(*next);
    ZIVRA_NEXT;
return_from_body:
    if ((code = ReturnStep(*next, stack, v)) != 0)
        goto failed;
    ZIVRA_NEXT;

finished:
    result = stack.top;
    return true;
spent:
    // Past the budget's limit: the clock is read, and unless the count or the time is spent
    // the run goes on with a new limit.
    if (EvaluationWork::Extend(budget->base + program.sites[size_t(next - first)].charges)) {
        budget->limit = EvaluationWork::Limit();
        goto* kTargets[next->code];
    }
    failure.at = int(next - first);
    failure.code = ErrMaxIterations;
    failure.value = 0;
    failure.extraCharges = 0;
    failure.budget = true;
    return false;
failed:
    failure.at = int(next - first);
    failure.code = code;
    failure.value = v;
    failure.extraCharges = extra;
    failure.budget = false;
    return false;
}

#undef ZIVRA_NEXT
#undef ZIVRA_GO
#undef ZIVRA_POWER_STEPS
#undef ZIVRA_SINGLE_STEPS
#undef ZIVRA_BINARY_STEPS
#undef ZIVRA_BINARY_STEP
#undef ZIVRA_POWER_TARGETS
#undef ZIVRA_SINGLE_TARGETS
#undef ZIVRA_BINARY_TARGETS

// The tree walk's state after the failure: the code in the root of every frame the failure
// passes, the value where the failing operation computed a frame root, the work charged.
ZIVRA_NOINLINE double Failed(const Program& program, const Failure& failure, const Budget& budget)
{
    const Site& site = program.sites[size_t(failure.at)];
    int code = failure.code;
    bool keepsValue = false;
    if (failure.budget) {
        EvaluationWork::SetDone(EvaluationWorkLimit + 1);
    } else {
        const long long done = budget.base + site.charges + failure.extraCharges;
        // A failed read charged as an evaluation may be the one past the budget.
        if (failure.extraCharges != 0 && done > budget.limit && !EvaluationWork::Extend(done))
            code = ErrMaxIterations;
        keepsValue = code == failure.code && OperationKeepsValue(code);
        EvaluationWork::SetDone(done);
    }
    for (int frame = site.frame; frame >= 0; frame = program.frames[size_t(frame)].parent) {
        CExprNode& root = *program.frames[size_t(frame)].root;
        if (frame == site.frame && site.frameRoot && keepsValue)
            root.m_dValue = failure.value;
        root.m_nErrorCode = code;
    }
    return program.root->m_dValue;
}

double Succeeded(const Program& program, const Budget& budget, double result)
{
    EvaluationWork::SetDone(budget.base + program.charges);
    CExprNode& root = *program.root;
    root.m_dValue = result;
    root.m_nErrorCode = 0;
    return result;
}

// A run with the budget tested at each instruction. An instruction that evaluates further nodes
// may, through them, run this program again: that run takes a stack of its own.
ZIVRA_NOINLINE double RunChecked(Program& program)
{
    const EvaluationWork work;
    Budget budget{EvaluationWork::Done(), EvaluationWork::Limit()};
    std::vector<double> ownStack;
    double* stack = program.stack.data();
    if (program.running) {
        ownStack.resize(program.stack.size());
        stack = ownStack.data();
    }
    const bool wasRunning = program.running;
    program.running = true;
    Failure failure;
    double result = 0;
    const bool done =
        Run<true>(program, 0, int(program.code.size()), stack, &budget, failure, result);
    program.running = wasRunning;
    return done ? Succeeded(program, budget, result) : Failed(program, failure, budget);
}

// A run that cannot run out of budget.
double RunFast(Program& program, const Budget& budget)
{
    Failure failure;
    double result = 0;
    Budget unused = budget;
    if (!Run<false>(program, 0, int(program.code.size()), program.stack.data(), &unused, failure,
                    result))
        return Failed(program, failure, budget);
    return Succeeded(program, budget, result);
}

// Programs of one instruction that reads no stack, run without the loop.
template <int Op, int Form> double LoneBinary(const Instruction& in, int& code)
{
    double memory[2];
    ValueStack stack{memory, 0.0};
    double v = 0;
    code = BinaryStep<Op, Form>(in, stack, v);
    return v;
}

// The value of one instruction that reads its operand from memory, by its step.
template <class Step> double LoneRun(Step step, int& code)
{
    double memory[2];
    ValueStack stack{memory, 0.0};
    double v = 0;
    code = step(stack, v);
    return v;
}

template <int Op> double LoneSingle(const Instruction& in, int& code)
{
    return LoneRun([&](ValueStack& s, double& v) { return SingleStep<Op>(in, s, true, v); }, code);
}

double LonePower(const Instruction& in, int& code)
{
    return LoneRun([&](ValueStack& s, double& v) { return PowerWholeStep(in, s, true, v); }, code);
}

template <unsigned N> double LonePowerFixed(const Instruction& in, int& code)
{
    return LoneRun([&](ValueStack& s, double& v) { return PowerFixedStep<N>(in, s, true, v); },
                   code);
}

template <unsigned... N> void SetLonePowers(LoneStep* table, std::integer_sequence<unsigned, N...>)
{
    ((table[PowerFixedOpcode(int(N) + kFirstFixedPower, true)] =
          LonePowerFixed<N + kFirstFixedPower>),
     ...);
}

double LoneApply(const Instruction& in, int& code)
{
    double a[7];
    double v = 0;
    code = ApplyToMemory(in, a, v);
    return v;
}

double LoneOrdered(const Instruction& in, int& code) { return in.ordered(in.n, *in.x, code); }

double LonePush(const Instruction& in, int& code)
{
    code = 0;
    return in.code == PushConstant ? in.k : *in.x;
}

template <int Op> void SetLoneBinary(LoneStep* table)
{
    table[BinaryOpcode(Op, FormXK)] = LoneBinary<Op, FormXK>;
    table[BinaryOpcode(Op, FormKX)] = LoneBinary<Op, FormKX>;
    table[BinaryOpcode(Op, FormXX)] = LoneBinary<Op, FormXX>;
}

template <int... Ops> void SetLoneSingles(LoneStep* table)
{
    ((table[SingleOpcode(Ops, true)] = LoneSingle<Ops>), ...);
}

} // namespace

LoneStep LoneStepFor(int opcode)
{
    static const std::vector<LoneStep> table = [] {
        std::vector<LoneStep> t(OpcodeEnd, nullptr);
        t[PushConstant] = t[PushMemory] = LonePush;
        t[PowerWholeX] = LonePower;
        t[ApplyOnMemory] = LoneApply;
        t[OrderedOnMemory] = LoneOrdered;
        SetLoneBinary<OpAdd>(t.data());
        SetLoneBinary<OpSubtract>(t.data());
        SetLoneBinary<OpMultiply>(t.data());
        SetLoneBinary<OpDivide>(t.data());
        SetLoneBinary<OpPower>(t.data());
        SetLonePowers(
            t.data(),
            std::make_integer_sequence<unsigned, kLastFixedPower - kFirstFixedPower + 1>());
        SetLoneSingles<OpExp, OpLn, OpLog, OpSqrt, OpAbs, OpSqr, OpSin, OpCos, OpTan, OpAtan,
                       OpTanh>(t.data());
        return t;
    }();
    return opcode >= 0 && opcode < OpcodeEnd ? table[size_t(opcode)] : nullptr;
}

bool RunConstantPart(const Program& program, int begin, int end, double& value)
{
    std::vector<double> stack(size_t(program.stackDepth + kStackSpare));
    Failure failure;
    return Run<false>(program, begin, end, stack.data(), nullptr, failure, value);
}

} // namespace compiled

using namespace compiled;

CCompiledExpression::CCompiledExpression() = default;

CCompiledExpression::CCompiledExpression(CExprNode& root) { Compile(root); }

CCompiledExpression::~CCompiledExpression() = default;

double CCompiledExpression::Run()
{
    // The constant parts were computed once, to nearest: rounded up or down, they are computed
    // again, as the tree walk does, so that a rounding noise is the tree walk's too.
    if (g_bDirectedRounding) [[unlikely]] {
        double value = 0.0;
        m_pRoot->Evaluate(value);
        return value;
    }
    Program& program = *m_pProgram;
    // Most programs evaluate nothing further and fit the budget left: they run without checks,
    // and as nothing runs within them, without entering the budget's nesting either.
    const Budget budget{EvaluationWork::DoneBefore(), EvaluationWork::Limit()};
    if (program.evaluatesMore || budget.base + program.charges > budget.limit)
        return RunChecked(program);
    EvaluationWork::ChargeUnnested(program.charges);
    if (!program.lone)
        return RunFast(program, budget);
    int code = 0;
    const double result = program.lone(program.code[0], code);
    if (code != 0)
        return Failed(program, Failure{0, code, result, 0, false}, budget);
    return Succeeded(program, budget, result);
}

int CCompiledExpression::GetTreeWalkCount() const { return m_pProgram ? m_pProgram->treeWalks : 0; }

CalculusFunction FunctionOfX(CCompiledExpression& program)
{
    return [&program](double x, double& y) { return program.EvaluateAt(x, y); };
}
