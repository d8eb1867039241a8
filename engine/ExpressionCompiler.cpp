// Building a compiled expression: the tree is walked once in the order its own evaluation
// takes, counting the node evaluations that evaluation would charge, and each operation becomes
// one instruction. Numbers and x, y, z, t are read by the instruction that uses them; constant
// parts are run once here and become numbers. A user function's body is taken in where it can
// be; what the program cannot do itself, the tree walk does for it.
#include "engine/CompiledExpression.h"

#include "engine/CalcEngine.h"
#include "engine/CompiledProgram.h"
#include "engine/EngineNames.h"
#include "engine/EvaluatorOperations.h"
#include "engine/UserFunction.h"
#include "numeric/UnderflowFlag.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace compiled {
namespace {

// A value the next instruction reads: already on the stack, or a constant or a double in
// memory that no instruction has pushed yet. Memory read late is safe: between a read's place
// in the tree walk and the instruction that uses it, nothing writes x, y, z, t or a parameter
// (calculus functions put x back before they return).
struct Operand {
    enum Kind { Stack, Constant, Memory } kind = Stack;
    double value = 0;
    const double* memory = nullptr;

    static Operand OnStack() { return Operand{}; }
    static Operand Number(double v) { return Operand{Constant, v, nullptr}; }
    static Operand At(const double* p) { return Operand{Memory, 0, p}; }
};

// User-function bodies taken into a program within one another.
constexpr int kMaxBodyDepth = 4;

bool g_treeWalkOnly = false;

// The angle mode of a trigonometric operation's engine; other operations do not read it (a
// copied tree may outlive its engine).
int AngleModeOf(const CExprNode& node)
{
    const bool angles = FamilyOf(node.m_nOpId) == OperationFamily::Trigonometric;
    return angles && node.m_pOwner ? node.m_pOwner->m_nAngleMode : AngleRadians;
}

bool IsBinaryLink(const CExprNode* node)
{
    return node->m_nKind == NodeOperator && node->m_nOpId >= OpAdd && node->m_nOpId <= OpPower &&
           node->m_pLeft && node->m_pRight;
}

// A power of two whose reciprocal is a finite double that is not zero.
bool IsPowerOfTwo(double v)
{
    int exponent = 0;
    const double reciprocal = 1.0 / v;
    return std::fabs(std::frexp(v, &exponent)) == 0.5 && std::isfinite(reciprocal) &&
           reciprocal != 0.0;
}

bool IsValuesFamily(OperationFamily family)
{
    return family != OperationFamily::None && family != OperationFamily::Node;
}

// The program as it is written: each instruction with the node evaluations the tree walk has
// charged before it and the frame it belongs to, the depth of the value stack, and the rewrites
// of what was just written (constant parts run once, pushes read by their reader instead).
class ProgramWriter {
public:
    ProgramWriter(Program& program, CExprNode& root) : m_program(program)
    {
        m_program.root = &root;
        m_program.frames.push_back(Frame{&root, -1});
    }

    int Position() const { return int(m_program.code.size()); }
    // One node evaluation of the tree walk, at this point of its order.
    void Charge() { ++m_charges; }

    // Appends an instruction that leaves one value in place of its pops (StoreArguments and
    // StoreFromMemory leave none, ApplyOnMemory pops none).
    Operand Emit(const Instruction& in)
    {
        m_program.code.push_back(in);
        m_program.sites.push_back(Site{m_charges, m_frame, false});
        m_depth += in.code == StoreArguments                                ? -in.pops
                   : in.code == StoreFromMemory                             ? 0
                   : in.code == ApplyOnMemory || in.code == OrderedOnMemory ? 1
                                                                            : 1 - in.pops;
        m_program.stackDepth = std::max(m_program.stackDepth, m_depth);
        m_program.evaluatesMore =
            m_program.evaluatesMore || in.code == CallNode || in.code == TreeWalk;
        m_program.treeWalks += in.code == TreeWalk ? 1 : 0;
        return Operand::OnStack();
    }

    void Materialize(const Operand& a)
    {
        if (a.kind == Operand::Stack)
            return;
        Instruction in;
        in.code = a.kind == Operand::Constant ? PushConstant : PushMemory;
        in.k = a.value;
        in.x = a.memory;
        Emit(in);
    }

    // The instructions from start on compute a constant: run them once and keep the number,
    // unless they fail (the failure then happens at each evaluation, as in the tree walk) or
    // underflow to 0, which each evaluation must show as the tree walk does.
    Operand Fold(int start)
    {
        double value = 0;
        bool computed = false;
        const bool underflowed = RaisesUnderflow(
            [&] { computed = RunConstantPart(m_program, start, Position(), value); });
        if (!computed || (value == 0.0 && underflowed))
            return Operand::OnStack();
        Truncate(start);
        --m_depth;
        return Operand::Number(value);
    }

    // One or two arguments that were only pushed (numbers, x, y, z, t, parameters) are read by
    // the instruction itself, which becomes `onMemory`.
    void TakeArgumentsFromMemory(Instruction& in, int start, Opcode onMemory)
    {
        const int pushed = in.pops;
        const int end = Position();
        if (pushed < 1 || pushed > 2 || end - pushed < start)
            return;
        for (int i = end - pushed; i < end; ++i)
            if (m_program.code[size_t(i)].code != PushConstant &&
                m_program.code[size_t(i)].code != PushMemory)
                return;
        const double* operands[2] = {nullptr, nullptr};
        for (int i = 0; i < pushed; ++i) {
            const Instruction& push = m_program.code[size_t(end - pushed + i)];
            operands[i] = push.x;
            if (push.code == PushConstant) {
                m_program.constants.push_back(push.k);
                operands[i] = &m_program.constants.back();
            }
        }
        Truncate(end - pushed);
        m_depth -= pushed;
        in.code = onMemory;
        in.x = operands[0];
        in.y = operands[1];
    }

    // A special function with a whole order, given as a number, at a value in memory calls its
    // library routine at that order directly. An order out of range stays with the operation,
    // which refuses it at each evaluation as the tree walk does.
    bool TakeConstantOrder(Instruction& in, int start)
    {
        const OrderedSpecialFunction ordered = OrderedSpecialFunctionOf(in.n);
        const int end = Position();
        if (!ordered || in.pops != 2 || end - 2 < start)
            return false;
        const Instruction& order = m_program.code[size_t(end - 2)];
        const Instruction& at = m_program.code[size_t(end - 1)];
        int n = 0;
        if (order.code != PushConstant || at.code != PushMemory || !TruncateToInt32(order.k, n))
            return false;
        const double* x = at.x;
        Truncate(end - 2);
        m_depth -= 2;
        in.code = OrderedOnMemory;
        in.n = n;
        in.x = x;
        in.ordered = ordered;
        return true;
    }

    // The last instruction computes the root of the frame being written.
    void MarkFrameRoot() { m_program.sites.back().frameRoot = true; }
    // Instructions from here on belong to the body under root, until LeaveFrame(the result).
    int EnterFrame(CExprNode& root)
    {
        const int outer = m_frame;
        m_frame = int(m_program.frames.size());
        m_program.frames.push_back(Frame{&root, outer});
        return outer;
    }
    void LeaveFrame(int outer) { m_frame = outer; }

    void Finish()
    {
        m_program.charges = m_charges;
        m_program.stack.resize(size_t(m_program.stackDepth + kStackSpare));
        if (Position() == 1)
            m_program.lone = LoneStepFor(m_program.code[0].code);
    }

private:
    void Truncate(int size)
    {
        m_program.code.resize(size_t(size));
        m_program.sites.resize(size_t(size));
    }

    Program& m_program;
    int m_charges = 0;
    int m_depth = 0;
    int m_frame = 0;
};

// The walk that writes the program: the tree walk's order and charges, node by node.
class Builder {
public:
    Builder(Program& program, CExprNode& root) : m_out(program, root), m_root(root) {}

    void Build()
    {
        m_out.Materialize(g_treeWalkOnly ? HandToTreeWalk(m_root) : Evaluated(m_root));
        m_out.MarkFrameRoot();
        m_out.Finish();
    }

private:
    // A child as the tree walk reads it: numbers, x, y, z, t and variables without an
    // evaluation of their own, anything else through one.
    Operand Child(CExprNode& node)
    {
        if (node.m_nKind == NodeNumber)
            return Operand::Number(node.m_dValue);
        if (node.m_nKind == NodeIndependent &&
            unsigned(node.m_nIndex) < unsigned(IndependentVariableCount))
            return Operand::At(&g_IndependentVariables[node.m_nIndex].dValue);
        if (node.m_nKind == NodeVariable && node.m_pOwner)
            return Variable(node, true);
        return Evaluated(node);
    }

    // A node evaluated as its Evaluate does: one charge, then by kind.
    Operand Evaluated(CExprNode& node)
    {
        const bool badSlot = node.m_nKind == NodeIndependent &&
                             unsigned(node.m_nIndex) >= unsigned(IndependentVariableCount);
        if (badSlot || (node.m_nKind == NodeVariable && !node.m_pOwner))
            return HandToTreeWalk(node);
        m_out.Charge();
        switch (node.m_nKind) {
        case NodeVariable:
            return Variable(node, false);
        case NodeIndependent:
            return Operand::At(&g_IndependentVariables[node.m_nIndex].dValue);
        case NodePredefined:
        case NodeUserConstant: {
            Instruction in;
            in.code = node.m_nKind == NodePredefined ? PushPredefined : PushUserConstant;
            in.n = node.m_nIndex;
            return m_out.Emit(in);
        }
        case NodeOperator:
            return Operator(node);
        default:
            return Operand::Number(node.m_dValue);
        }
    }

    // The node's own Evaluate, which charges for itself.
    Operand HandToTreeWalk(CExprNode& node)
    {
        Instruction in;
        in.code = TreeWalk;
        in.p = &node;
        return m_out.Emit(in);
    }

    // A variable read; a read the tree walk makes through Evaluate only when it fails is
    // charged then. A parameter of a body taken in cannot fail: it is read where it is used.
    Operand Variable(CExprNode& node, bool chargedOnFailure)
    {
        if (m_body && node.m_pOwner == m_body &&
            unsigned(node.m_nIndex) < unsigned(m_body->GetVariableCount()))
            return Operand::At(&m_body->m_Variables[size_t(node.m_nIndex)].dValue);
        Instruction in;
        in.code = compiled::PushVariable;
        in.p = node.m_pOwner;
        in.n = node.m_nIndex;
        in.m = chargedOnFailure ? 1 : 0;
        return m_out.Emit(in);
    }

    Operand Operator(CExprNode& node)
    {
        const int op = node.m_nOpId;
        CExprNode* left = node.m_pLeft;
        if (left && node.m_pRight && op >= OpAdd && op <= OpPower)
            return Chain(node);
        const int start = m_out.Position();
        if (left && !node.m_pRight && left->m_nKind != NodeList && !TakesFunctionArgument(op)) {
            const Operand a = Child(*left);
            if (SingleOpIndex(op) >= 0)
                return Single(node, a, start);
            m_out.Materialize(a);
            return Apply(node, 1, 1, a.kind == Operand::Constant, start);
        }
        int count = 0;
        bool constant = true;
        const int pushed = Collect(node, count, constant);
        return Apply(node, pushed, count, constant, start);
    }

    // The arguments of a call in the tree walk's order, each pushed at once.
    int Collect(CExprNode& node, int& count, bool& constant)
    {
        const int op = node.m_nOpId;
        CExprNode* left = node.m_pLeft;
        int pushed = 0;
        auto push = [&](CExprNode& argument) {
            const Operand a = Child(argument);
            constant = constant && a.kind == Operand::Constant;
            m_out.Materialize(a);
            ++pushed;
        };
        if (left && left->m_nKind == NodeList) {
            bool skip = TakesFunctionArgument(op);
            CExprNode* list = left;
            for (; list && list->m_nKind == NodeList; list = list->m_pRight) {
                if (list->m_pLeft && !skip)
                    push(*list->m_pLeft);
                skip = false;
            }
            if (list)
                push(*list);
        } else if (op != OpTextResult) {
            if (left && !TakesFunctionArgument(op))
                push(*left);
            if (node.m_pRight)
                push(*node.m_pRight);
        }
        count = pushed + (TakesAnyArgumentCount(op) ? 0 : 5);
        return pushed;
    }

    // A left-deep chain of + - * / ^ from the innermost link outwards; each link below the top
    // is charged when the walk reaches it, after its left operand.
    Operand Chain(CExprNode& top)
    {
        std::vector<CExprNode*> links;
        for (CExprNode* link = &top; IsBinaryLink(link); link = link->m_pLeft)
            links.push_back(link);
        Operand value = Child(*links.back()->m_pLeft);
        for (size_t i = links.size(); i-- > 0;) {
            if (i > 0)
                m_out.Charge();
            const Operand right = Child(*links[i]->m_pRight);
            value = Binary(*links[i], value, right);
        }
        return value;
    }

    Operand Binary(CExprNode& node, Operand a, Operand b)
    {
        int op = node.m_nOpId;
        const int start = m_out.Position();
        // Dividing by a power of two is multiplying by its reciprocal, exactly and with the same
        // tail; the multiplication is the quicker.
        if (op == OpDivide && b.kind == Operand::Constant && IsPowerOfTwo(b.value)) {
            op = OpMultiply;
            b.value = 1.0 / b.value;
        }
        Instruction in;
        const bool constant = a.kind == Operand::Constant && b.kind == Operand::Constant;
        if (constant) {
            m_out.Materialize(a);
            a = Operand::OnStack();
        }
        int form = FormSS;
        if (a.kind == Operand::Stack)
            form = b.kind == Operand::Stack      ? FormSS
                   : b.kind == Operand::Constant ? FormSK
                                                 : FormSX;
        else if (a.kind == Operand::Constant)
            form = b.kind == Operand::Stack ? FormKS : FormKX;
        else
            form = b.kind == Operand::Stack      ? FormXS
                   : b.kind == Operand::Constant ? FormXK
                                                 : FormXX;
        in.code = std::uint16_t(BinaryOpcode(op, form));
        in.pops = form == FormSS ? 2 : form <= FormXS ? 1 : 0;
        // A small whole exponent known here takes Power's first branch without the test.
        if (op == OpPower && (form == FormSK || form == FormXK) && IsSmallWholeExponent(b.value)) {
            in.count = int(std::fabs(b.value));
            in.m = b.value < 0 ? 1 : 0;
            in.code = std::uint16_t(in.count >= kFirstFixedPower
                                        ? PowerFixedOpcode(in.count, form == FormXK)
                                    : form == FormSK ? PowerWholeS
                                                     : PowerWholeX);
        }
        in.k = a.kind == Operand::Constant ? a.value : b.value;
        in.x = a.kind == Operand::Memory ? a.memory : b.memory;
        in.y = b.memory;
        m_out.Emit(in);
        return constant ? m_out.Fold(start) : Operand::OnStack();
    }

    Operand Single(CExprNode& node, const Operand& a, int start)
    {
        const bool fromMemory = a.kind == Operand::Memory;
        if (!fromMemory)
            m_out.Materialize(a);
        Instruction in;
        in.code = std::uint16_t(SingleOpcode(node.m_nOpId, fromMemory));
        in.pops = fromMemory ? 0 : 1;
        in.x = a.memory;
        in.m = AngleModeOf(node);
        m_out.Emit(in);
        return a.kind == Operand::Constant ? m_out.Fold(start) : Operand::OnStack();
    }

    Operand Apply(CExprNode& node, int pushed, int count, bool constant, int start)
    {
        const int op = node.m_nOpId;
        const OperationFamily family = FamilyOf(op);
        Instruction in;
        in.pops = pushed;
        in.count = count;
        if (IsValuesFamily(family) && !(family == OperationFamily::Statistics && count <= 0)) {
            in.code = ApplyValues;
            in.apply = ValueOperationOf(op);
            in.n = op;
            in.m = AngleModeOf(node);
            if (!m_out.TakeConstantOrder(in, start))
                m_out.TakeArgumentsFromMemory(in, start, ApplyOnMemory);
            m_out.Emit(in);
            return constant && op != OpRand ? m_out.Fold(start) : Operand::OnStack();
        }
        if (op == OpUserFunction && CanTakeBody(node, pushed))
            return TakeBody(node, pushed, start);
        // The calculus functions, FSUM and user functions evaluate further nodes; the rest of
        // the family is rare in a repeated evaluation and takes the same careful way.
        in.code = CallNode;
        in.p = &node;
        return m_out.Emit(in);
    }

    // A call whose function is bound, parsed and takes these arguments runs its body here.
    bool CanTakeBody(CExprNode& node, int pushed)
    {
        const CUserFunction* function = BoundUserFunction(node);
        return function && m_bodyDepth < kMaxBodyDepth && function->m_Root.m_bParsed &&
               function->GetVariableCount() == pushed && ArgumentNodeCount(node) == pushed;
    }

    Operand TakeBody(CExprNode& node, int pushed, int start)
    {
        CUserFunction& function = *BoundUserFunction(node);
        Instruction store;
        store.code = StoreArguments;
        store.pops = pushed;
        store.p = &function;
        m_out.TakeArgumentsFromMemory(store, start, StoreFromMemory);
        m_out.Emit(store);
        const int outer = m_out.EnterFrame(function.m_Root);
        ++m_bodyDepth;
        CUserFunction* const outerBody = m_body;
        m_body = &function;
        m_out.Materialize(Evaluated(function.m_Root));
        m_out.MarkFrameRoot();
        m_body = outerBody;
        --m_bodyDepth;
        m_out.LeaveFrame(outer);
        Instruction back;
        back.code = ReturnFromBody;
        back.pops = 1;
        back.p = &function.m_Root;
        return m_out.Emit(back);
    }

    ProgramWriter m_out;
    CExprNode& m_root;
    int m_bodyDepth = 0;
    CUserFunction* m_body = nullptr; // the body being taken in
};

} // namespace
} // namespace compiled

void CCompiledExpression::SetTreeWalkOnly(bool on) { compiled::g_treeWalkOnly = on; }

void CCompiledExpression::Compile(CExprNode& root)
{
    auto program = std::make_unique<compiled::Program>();
    compiled::Builder(*program, root).Build();
    m_pProgram = std::move(program);
    m_pRoot = &root;
}
