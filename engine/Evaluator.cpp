// Evaluation of a parsed expression tree: leaves read the engine's tables, operator nodes
// collect their arguments and apply their operation, then map floating-point trouble to codes.
#include "engine/CalcEngine.h"
#include "engine/EvaluatorOperations.h"
#include "engine/UserFunction.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <memory>
#include <vector>

long long EvaluationWorkLimit = MaxEvaluationWork;

namespace {

// Argument values of one operator node; small lists stay on the stack.
class ArgumentArray {
public:
    ArgumentArray() = default;
    ArgumentArray(const ArgumentArray&) = delete;
    ArgumentArray& operator=(const ArgumentArray&) = delete;

    void Push(double v)
    {
        if (m_count == m_capacity)
            Grow();
        m_data[m_count++] = v;
    }
    double* Data() { return m_data; }
    int Count() const { return m_count; }

private:
    void Grow()
    {
        auto bigger = std::make_unique<double[]>(size_t(m_capacity) * 2);
        std::copy(m_data, m_data + m_count, bigger.get());
        m_heap = std::move(bigger);
        m_data = m_heap.get();
        m_capacity *= 2;
    }

    static constexpr int kInline = 16;
    double m_inline[kInline];
    std::unique_ptr<double[]> m_heap;
    double* m_data = m_inline;
    int m_count = 0;
    int m_capacity = kInline;
};

constexpr int kFamilyTableSize = 256;

// Which Apply function serves each op id.
constexpr std::array<OperationFamily, kFamilyTableSize> kFamilies = [] {
    std::array<OperationFamily, kFamilyTableSize> f{};
    auto set = [&f](int first, int last, OperationFamily family) {
        for (int op = first; op <= last; ++op)
            f[size_t(op)] = family;
    };
    set(OpAdd, OpLog, OperationFamily::Arithmetic);
    set(OpSin, OpCot, OperationFamily::Trigonometric);
    set(OpAbs, OpRad, OperationFamily::Arithmetic);
    set(OpAsin, OpAcoth, OperationFamily::Trigonometric);
    set(OpLogN, OpMod, OperationFamily::Arithmetic);
    set(OpPV, OpNPER, OperationFamily::Financial);
    set(OpRate, OpRate, OperationFamily::Financial);
    set(OpEffectiveRate, OpNominalRate, OperationFamily::Financial);
    set(OpAiryAi, OpChi, OperationFamily::Special);
    set(OpDebye1, OpDebye4, OperationFamily::None);
    set(OpExpIntEn, OpExpIntEn, OperationFamily::None);
    set(OpConvert, OpFZero, OperationFamily::Node);
    set(OpFSum, OpFSum, OperationFamily::Node);
    set(OpSum, OpMax, OperationFamily::Statistics);
    set(OpAnd, OpRShift, OperationFamily::Bitwise);
    set(OpUserFunction, OpUserFunction, OperationFamily::Node);
    set(OpBetaDist, OpBetaDist, OperationFamily::Node);
    set(OpNormDist, OpNormDist, OperationFamily::Node);
    set(OpTDist, OpTInv, OperationFamily::Node);
    set(OpPlot, OpPlot, OperationFamily::Node);
    return f;
}();

int EvaluateOperator(CExprNode& node);

// An operator child's Evaluate, inside the evaluation that reads it: the work budget's nesting
// is entered already.
int NestedOperatorValue(CExprNode& node, double& v)
{
    if (!EvaluationWork::Charge()) {
        v = node.m_dValue;
        return node.m_nErrorCode = ErrMaxIterations;
    }
    node.m_nErrorCode = 0;
    node.m_nErrorCode = EvaluateOperator(node);
    v = node.m_dValue;
    return node.m_nErrorCode;
}

// A child's value; numbers and x, y, z, t are read without a call, as they cannot fail.
inline int ChildValue(CExprNode* child, double& v)
{
    if (child->m_nKind == NodeOperator)
        return NestedOperatorValue(*child, v);
    if (child->m_nKind == NodeNumber) {
        v = child->m_dValue;
        return 0;
    }
    if (child->m_nKind == NodeIndependent &&
        unsigned(child->m_nIndex) < unsigned(IndependentVariableCount)) {
        v = child->m_dValue = g_IndependentVariables[child->m_nIndex].dValue;
        return 0;
    }
    if (child->m_nKind == NodeVariable && child->m_pOwner &&
        unsigned(child->m_nIndex) < unsigned(child->m_pOwner->GetVariableCount())) {
        v = child->m_dValue = child->m_pOwner->m_Variables[size_t(child->m_nIndex)].dValue;
        child->m_nErrorCode = 0;
        return 0;
    }
    return child->Evaluate(v);
}

int EvaluateChild(CExprNode* child, ArgumentArray& args)
{
    double v = 0;
    if (const int code = ChildValue(child, v))
        return code;
    args.Push(v);
    return 0;
}

// Step 1 of an operator node: the argument values in order, the first error stops.
int CollectArguments(CExprNode& node, ArgumentArray& args)
{
    const int op = node.m_nOpId;
    CExprNode* left = node.m_pLeft;
    int code = 0;
    if (left && left->m_nKind == NodeList) {
        bool skip = TakesFunctionArgument(op);
        CExprNode* list = left;
        for (; code == 0 && list && list->m_nKind == NodeList; list = list->m_pRight) {
            if (list->m_pLeft && !skip)
                code = EvaluateChild(list->m_pLeft, args);
            skip = false;
        }
        if (code == 0 && list)
            code = EvaluateChild(list, args);
    } else if (op != OpTextResult) {
        if (left && !TakesFunctionArgument(op))
            code = EvaluateChild(left, args);
        if (code == 0 && node.m_pRight)
            code = EvaluateChild(node.m_pRight, args);
    }
    if (code == 0 && !TakesAnyArgumentCount(op))
        for (int i = 0; i < 5; ++i)
            args.Push(0.0);
    return code;
}

int AngleModeOf(const CExprNode& node)
{
    return node.m_pOwner ? node.m_pOwner->m_nAngleMode : AngleRadians;
}

// ApplyValueOperation for the ops of one family.
template <OperationFamily Family>
int FamilyValue(int op, int angleMode, double* a, int count, double& value)
{
    MathStatus status;
    bool handled = true;
    int code = 0; // no operation: the value stays as it was
    if constexpr (Family == OperationFamily::Arithmetic)
        code = ApplyArithmetic(op, a, value, status, handled);
    else if constexpr (Family == OperationFamily::Trigonometric)
        code = ApplyTrigonometric(op, angleMode, a, value, status, handled);
    else if constexpr (Family == OperationFamily::Financial)
        code = ApplyFinancial(op, a, value, handled);
    else if constexpr (Family == OperationFamily::Statistics)
        code = ApplyStatistics(op, a, count, value, handled);
    else if constexpr (Family == OperationFamily::Bitwise)
        code = ApplyBitwise(op, a, value, handled);
    return FinishOperation(op, code, status, value);
}

// The four arithmetic operators and ^ over the values of the two operands.
int ApplyBinaryOperator(CExprNode& node, double a, double b)
{
    double value = node.m_dValue;
    int code = 0;
    switch (node.m_nOpId) {
    case OpAdd:
        code = OperatorValue<OpAdd>(a, b, value);
        break;
    case OpSubtract:
        code = OperatorValue<OpSubtract>(a, b, value);
        break;
    case OpMultiply:
        code = OperatorValue<OpMultiply>(a, b, value);
        break;
    case OpDivide:
        code = OperatorValue<OpDivide>(a, b, value);
        break;
    default:
        code = OperatorValue<OpPower>(a, b, value);
        break;
    }
    node.m_dValue = value;
    return code;
}

bool IsBinaryLink(const CExprNode* node)
{
    return node->m_nKind == NodeOperator && node->m_nOpId >= OpAdd && node->m_nOpId <= OpPower &&
           node->m_pLeft && node->m_pRight;
}

// The links of a chain from the top down, the innermost last, evaluated from the innermost
// outwards: a link that fails leaves its code in every link above it, as their own evaluations
// would.
int EvaluateLinks(CExprNode* const* links, int count)
{
    double a = 0;
    int code = ChildValue(links[count - 1]->m_pLeft, a);
    for (int i = count - 1; i >= 0; --i) {
        CExprNode& link = *links[i];
        // Each link below the top counts as an evaluation of its own, as the top one does.
        if (code == 0 && i > 0 && !EvaluationWork::Charge())
            code = ErrMaxIterations;
        else if (code == 0) {
            double b = 0;
            code = ChildValue(link.m_pRight, b);
            if (code == 0)
                code = ApplyBinaryOperator(link, a, b);
            a = link.m_dValue;
        }
        if (i > 0)
            link.m_nErrorCode = code;
    }
    return code;
}

// A chain too long for the stack's list of links.
[[gnu::noinline]] int EvaluateLongChain(CExprNode& top)
{
    std::vector<CExprNode*> links;
    for (CExprNode* link = &top; IsBinaryLink(link); link = link->m_pLeft)
        links.push_back(link);
    return EvaluateLinks(links.data(), int(links.size()));
}

// A binary operator and those down its left side (a chain such as a+b-c+... at one level), the
// bulk of every plotted expression, in a loop rather than by recursion; the links are gathered
// in one walk down.
int EvaluateBinaryOperator(CExprNode& top)
{
    CExprNode* below = top.m_pLeft;
    if (!IsBinaryLink(below)) {
        double a = 0, b = 0;
        if (int code = ChildValue(below, a); code || (code = ChildValue(top.m_pRight, b)))
            return code;
        return ApplyBinaryOperator(top, a, b);
    }
    constexpr int kInlineLinks = 8;
    CExprNode* links[kInlineLinks];
    links[0] = &top;
    int count = 1;
    for (; IsBinaryLink(below); below = below->m_pLeft) {
        if (count == kInlineLinks)
            return EvaluateLongChain(top);
        links[count++] = below;
    }
    return EvaluateLinks(links, count);
}

// A call with one plain argument (most functions in a plotted expression): no list to walk.
int EvaluateSingleArgument(CExprNode& node)
{
    double a[6] = {0, 0, 0, 0, 0, 0}; // the argument, then the five zeros of omitted options
    if (const int code = ChildValue(node.m_pLeft, a[0]))
        return code;
    return CompleteOperation(node, a, 1);
}

int EvaluateOperator(CExprNode& node)
{
    const int op = node.m_nOpId;
    CExprNode* left = node.m_pLeft;
    if (left && node.m_pRight && op >= OpAdd && op <= OpPower)
        return EvaluateBinaryOperator(node);
    if (left && !node.m_pRight && left->m_nKind != NodeList && !TakesFunctionArgument(op))
        return EvaluateSingleArgument(node);
    ArgumentArray args;
    if (const int code = CollectArguments(node, args))
        return code;
    return CompleteOperation(node, args.Data(), args.Count());
}

} // namespace

OperationFamily FamilyOf(int op)
{
    return (op >= 0 && op < kFamilyTableSize) ? kFamilies[size_t(op)] : OperationFamily::None;
}

bool TakesFunctionArgument(int op)
{
    return op == OpFInt || op == OpFDiff || op == OpFZero || op == OpFSum || op == OpFMin ||
           op == OpTextResult;
}

bool TakesAnyArgumentCount(int op)
{
    return op == OpSum || op == OpAve || op == OpMin || op == OpMax || op == OpTextResult;
}

ValueOperation ValueOperationOf(int op)
{
    switch (FamilyOf(op)) {
    case OperationFamily::Arithmetic:
        return FamilyValue<OperationFamily::Arithmetic>;
    case OperationFamily::Trigonometric:
        return FamilyValue<OperationFamily::Trigonometric>;
    case OperationFamily::Financial:
        return FamilyValue<OperationFamily::Financial>;
    case OperationFamily::Special:
        return SpecialFunctionValue;
    case OperationFamily::Statistics:
        return FamilyValue<OperationFamily::Statistics>;
    case OperationFamily::Bitwise:
        return FamilyValue<OperationFamily::Bitwise>;
    default:
        return FamilyValue<OperationFamily::None>;
    }
}

int ApplyValueOperation(int op, int angleMode, double* a, int count, double& value)
{
    return ValueOperationOf(op)(op, angleMode, a, count, value);
}

int CompleteOperation(CExprNode& node, double* a, int count)
{
    const int op = node.m_nOpId;
    double value = node.m_dValue;
    int code = 0;
    if (FamilyOf(op) == OperationFamily::Node) {
        bool handled = true;
        MathStatus status;
        code = FinishOperation(op, ApplyNodeOperation(node, a, value, handled), status, value);
    } else {
        // Only the trigonometric family reads the owner's angle mode: a copied tree may
        // outlive its engine.
        const bool angles = FamilyOf(op) == OperationFamily::Trigonometric;
        code = ApplyValueOperation(op, angles ? AngleModeOf(node) : AngleRadians, a, count, value);
    }
    if (OperationKeepsValue(code))
        node.m_dValue = value;
    return code;
}

int CExprNode::Evaluate(double& value)
{
    const EvaluationWork work;
    if (!EvaluationWork::Charge()) {
        value = m_dValue;
        return m_nErrorCode = ErrMaxIterations;
    }
    m_nErrorCode = 0;
    switch (m_nKind) {
    case NodeVariable:
        if (!m_pOwner || m_nIndex < 0 || m_nIndex >= m_pOwner->GetVariableCount())
            m_nErrorCode = ErrInvalidName;
        else
            m_dValue = m_pOwner->m_Variables[size_t(m_nIndex)].dValue;
        break;
    case NodeIndependent:
        if (m_nIndex < 0 || m_nIndex >= IndependentVariableCount)
            m_nErrorCode = ErrInvalidName;
        else
            m_dValue = g_IndependentVariables[m_nIndex].dValue;
        break;
    case NodePredefined:
        if (m_nIndex < 0 || m_nIndex >= int(GetPredefinedNames().size()))
            m_nErrorCode = ErrInvalidName;
        else
            m_dValue = GetPredefinedNames()[size_t(m_nIndex)].dValue;
        break;
    case NodeUserConstant:
        if (m_nIndex < 0 || m_nIndex >= int(GetUserConstants().size()))
            m_nErrorCode = ErrInvalidName;
        else
            m_dValue = GetUserConstants()[size_t(m_nIndex)].dValue;
        break;
    case NodeOperator:
        m_nErrorCode = EvaluateOperator(*this);
        break;
    default:
        break;
    }
    value = m_dValue;
    return m_nErrorCode;
}

double CExprNode::EvaluateAt(double x)
{
    g_IndependentVariables[0].dValue = x;
    double value = 0;
    Evaluate(value);
    return value;
}
