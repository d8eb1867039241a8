// Symbolic differentiation: each operator's rule builds the derivative's tree from copies of its
// operands and their derivatives, and every node is simplified as it is made (constants folded,
// the neutral 0 and 1 dropped), so the work grows with the size of the result. A chain of
// operators is taken in a loop; only nesting recurses.
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "engine/ExprNode.h"
#include "engine/ExprPrintRules.h"
#include "engine/FunctionCatalogue.h"
#include "engine/PrintNumber.h"

#include <cerrno>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

bool IsBinaryOperatorId(int opId) { return opId >= OpAdd && opId <= OpPower; }

bool IsBinaryLink(const CExprNode* node)
{
    return node && node->m_nKind == NodeOperator && IsBinaryOperatorId(node->m_nOpId) &&
           node->m_pLeft && node->m_pRight;
}

// The node becomes a parsed number leaf with this value.
void MakeNumber(CExprNode& node, double value)
{
    delete node.m_pLeft;
    delete node.m_pRight;
    node.m_pLeft = node.m_pRight = nullptr;
    node.m_nKind = NodeNumber;
    node.m_dValue = value;
    node.m_nOpId = OpNone;
    node.m_nIndex = 0;
    node.m_strName.Empty();
    node.m_strSource = FormatRoundTrip(value);
    node.m_bParsed = 1;
    node.m_nErrorCode = 0;
}

// Whether node is a numeric constant, given that of its children.
bool NumericFlag(const CExprNode& node, bool leftNumeric, bool rightNumeric)
{
    if (node.m_nKind == NodeNumber)
        return true;
    if (node.m_nKind != NodeOperator || node.m_nOpId == OpRand)
        return false;
    return (!node.m_pLeft || leftNumeric) && (!node.m_pRight || rightNumeric);
}

int CountNodes(const CExprNode& top)
{
    int count = 0;
    std::vector<const CExprNode*> pending{&top};
    while (!pending.empty()) {
        const CExprNode* node = pending.back();
        pending.pop_back();
        ++count;
        if (node->m_pLeft)
            pending.push_back(node->m_pLeft);
        if (node->m_pRight)
            pending.push_back(node->m_pRight);
    }
    return count;
}

// What simplifying one node did: whether it is a numeric constant afterwards, whether it was
// rewritten (folded, or replaced by one of its operands), and how many nodes that freed.
struct Simplified {
    bool numeric;
    bool changed;
    int freed;
};

Simplified Fold(CExprNode& node, double value)
{
    const int freed = CountNodes(*node.m_pLeft) + CountNodes(*node.m_pRight);
    MakeNumber(node, value);
    return {true, true, freed};
}

Simplified KeepOperand(CExprNode& node, CExprNode* kept, bool keptNumeric)
{
    const int freed = CountNodes(kept == node.m_pLeft ? *node.m_pRight : *node.m_pLeft) + 1;
    node.ReplaceWith(kept);
    return {keptNumeric, true, freed};
}

// The simplification of one node whose children are simplified already: a numeric constant
// with two operands is folded into its value; 0 and 1 are dropped where they are neutral.
Simplified SimplifyNode(CExprNode& node, bool leftNumeric, bool rightNumeric)
{
    const bool numeric = NumericFlag(node, leftNumeric, rightNumeric);
    if (node.m_nKind != NodeOperator || !node.m_pLeft || !node.m_pRight)
        return {numeric, false, 0};
    if (numeric) {
        double value = 0;
        if (node.Evaluate(value) == 0)
            return Fold(node, value);
        // A constant that does not evaluate (1/0) stays as written.
        node.m_nErrorCode = 0;
        errno = 0;
    }
    CExprNode* left = node.m_pLeft;
    CExprNode* right = node.m_pRight;
    const bool leftZero = left->IsZero(), rightZero = right->IsZero();
    switch (node.m_nOpId) {
    case OpMultiply:
        if (leftZero || rightZero)
            return Fold(node, 0.0);
        if (left->IsOne())
            return KeepOperand(node, right, rightNumeric);
        break;
    case OpAdd:
        if (leftZero)
            return KeepOperand(node, right, rightNumeric);
        break;
    default:
        break;
    }
    const bool keepsLeft =
        (node.m_nOpId == OpMultiply || node.m_nOpId == OpDivide || node.m_nOpId == OpPower)
            ? right->IsOne()
        : (node.m_nOpId == OpAdd || node.m_nOpId == OpSubtract) ? rightZero
                                                                : false;
    if (keepsLeft)
        return KeepOperand(node, left, leftNumeric);
    return {numeric, false, 0};
}

// Simplify over a whole tree, children before parents, with an explicit stack; returns whether
// the tree is a numeric constant afterwards.
bool SimplifyTree(CExprNode& top)
{
    struct Frame {
        CExprNode* node;
        int stage;
        bool leftNumeric;
    };
    std::vector<Frame> stack{{&top, 0, false}};
    bool numeric = false; // of the subtree finished last
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.stage == 0) {
            frame.stage = 1;
            if (CExprNode* left = frame.node->m_pLeft) {
                stack.push_back({left, 0, false});
                continue;
            }
        }
        if (frame.stage == 1) {
            frame.stage = 2;
            frame.leftNumeric = numeric;
            if (CExprNode* right = frame.node->m_pRight) {
                stack.push_back({right, 0, false});
                continue;
            }
        }
        numeric = SimplifyNode(*frame.node, frame.leftNumeric, numeric).numeric;
        stack.pop_back();
    }
    return numeric;
}

// Whether every leaf of the tree passes test and no node is RAND, walked with an explicit stack.
template <class LeafTest> bool AllLeaves(const CExprNode& top, LeafTest test)
{
    std::vector<const CExprNode*> pending{&top};
    while (!pending.empty()) {
        const CExprNode* node = pending.back();
        pending.pop_back();
        if (node->m_nKind == NodeOperator) {
            if (node->m_nOpId == OpRand)
                return false;
            if (node->m_pLeft)
                pending.push_back(node->m_pLeft);
            if (node->m_pRight)
                pending.push_back(node->m_pRight);
        } else if (!test(*node)) {
            return false;
        }
    }
    return true;
}

using Part = std::unique_ptr<CExprNode>;

int Family(int opId) { return opId == OpAdd || opId == OpSubtract ? 1 : opId == OpPower ? 3 : 2; }

// Builds the simplified derivative of a tree with respect to the x slot; the other independent
// variables are constants. Every node it makes counts against the node cap.
//
// A rule's operands and their derivatives enter it as they would read back from their printed
// text: printing drops the brackets of a+(b+c) and a*(b/c), so those read back as (a+b)+c and
// (a*b)/c, and are simplified in that shape. Nodes made or rewritten since they last were put in
// that shape are marked fresh, and only they are looked at again, so the work stays in
// proportion to what the rules make.
class DerivativeBuilder {
public:
    explicit DerivativeBuilder(CCalcEngine* pOwner)
        : m_pOwner(pOwner), m_nAngleMode(pOwner ? pOwner->m_nAngleMode : AngleRadians)
    {
    }

    int Derive(const CExprNode& node, Part& result)
    {
        switch (node.m_nKind) {
        case NodeSymbol:
        case NodeNumber:
        case NodePredefined:
        case NodeUserConstant:
            result = Number(0.0);
            return Status();
        case NodeIndependent:
            result = Number(node.m_nIndex == 0 ? 1.0 : 0.0);
            return Status();
        case NodeOperator:
            if (IsBinaryOperatorId(node.m_nOpId))
                return IsBinaryLink(&node) ? DeriveChain(node, result) : ErrInvalidFunction;
            return DeriveFunction(node, result);
        default:
            return ErrInvalidFunction;
        }
    }

private:
    struct NodeInfo {
        bool numeric = false;
        bool fresh = false;
    };

    int Status() const { return m_bOverflow ? ErrOverflow : 0; }

    bool IsNumeric(const CExprNode* node) const
    {
        const auto found = m_info.find(node);
        return found != m_info.end() && found->second.numeric;
    }
    bool IsFresh(const CExprNode* node) const
    {
        const auto found = node ? m_info.find(node) : m_info.end();
        return found != m_info.end() && found->second.fresh;
    }
    void Record(const CExprNode* node, bool numeric, bool fresh)
    {
        m_info[node] = {numeric, fresh};
    }

    // Nodes alive in the result count against the node cap; all nodes made, against a budget
    // of work.
    void Count(int made)
    {
        m_nNodes += made;
        m_nMade += made;
        if (m_nNodes > MaxParseNodes || m_nMade > kWorkBudget)
            m_bOverflow = true;
    }

    CExprNode* NewNode()
    {
        Count(1);
        auto* node = new CExprNode;
        node->m_pOwner = m_pOwner;
        node->m_bParsed = 1;
        return node;
    }

    Part Number(double value)
    {
        Part node(NewNode());
        node->m_dValue = value;
        Record(node.get(), true, true);
        return node;
    }

    // A simplified copy of a subtree of the expression, in the shape its text reads back in.
    Part Copy(const CExprNode& source)
    {
        Count(CountNodes(source));
        if (m_bOverflow)
            return Number(0.0);
        auto copy = std::make_unique<CExprNode>();
        copy->CopyFrom(source);
        std::vector<const CExprNode*> pending{copy.get()};
        while (!pending.empty()) {
            const CExprNode* node = pending.back();
            pending.pop_back();
            Record(node, false, true);
            if (node->m_pLeft)
                pending.push_back(node->m_pLeft);
            if (node->m_pRight)
                pending.push_back(node->m_pRight);
        }
        Settle(*copy);
        return copy;
    }

    Part Binary(int opId, Part left, Part right)
    {
        static constexpr char Names[] = " +-*/^";
        Part node(NewNode());
        node->m_nKind = NodeOperator;
        node->m_nOpId = opId;
        node->m_strName = CString(Names[opId]);
        const bool leftNumeric = IsNumeric(left.get()), rightNumeric = IsNumeric(right.get());
        node->m_pLeft = left.release();
        node->m_pRight = right.release();
        const Simplified result = SimplifyNode(*node, leftNumeric, rightNumeric);
        m_nNodes -= result.freed;
        Record(node.get(), result.numeric, true);
        return node;
    }

    // factor()*d, where factor() is made only when d is not zero: u*0 is 0 whatever u is, so a
    // long operand is not copied for nothing.
    template <class Factor> Part Times(Factor factor, Part d)
    {
        if (d->IsZero())
            return d;
        return Mul(factor(), std::move(d));
    }

    Part Add(Part a, Part b) { return Binary(OpAdd, std::move(a), std::move(b)); }
    Part Sub(Part a, Part b) { return Binary(OpSubtract, std::move(a), std::move(b)); }
    Part Mul(Part a, Part b) { return Binary(OpMultiply, std::move(a), std::move(b)); }
    Part Div(Part a, Part b) { return Binary(OpDivide, std::move(a), std::move(b)); }
    Part Pow(Part a, Part b) { return Binary(OpPower, std::move(a), std::move(b)); }
    Part Neg(Part a) { return Sub(Number(0.0), std::move(a)); }
    Part Square(Part a) { return Pow(std::move(a), Number(2.0)); }

    // A call of a built-in function, named in lower case as the rules write it.
    Part Call(const char* name, Part argument)
    {
        Part node(NewNode());
        node->m_nKind = NodeOperator;
        node->m_nOpId = GetFunctionEntry(FindFunctionEntry(name)).opId;
        node->m_strName = name;
        const bool numeric = IsNumeric(argument.get());
        node->m_pLeft = argument.release();
        node->m_pLeft->m_bInList = 1;
        Record(node.get(), numeric, true);
        return node;
    }

    // The factor that turns a derivative in radians into one in the angle mode: d/dx sin x is
    // pi/180 cos x in degrees, d/dx asin x is 180/pi / sqrt(1-x^2).
    Part Scaled(Part part, double factor)
    {
        if (m_nAngleMode == AngleRadians)
            return part;
        return Mul(Number(factor), std::move(part));
    }
    Part PerRadian(Part part) { return Scaled(std::move(part), RadiansPerAngleUnit(m_nAngleMode)); }
    Part PerAngleUnit(Part part)
    {
        return Scaled(std::move(part), AngleUnitsPerRadian(m_nAngleMode));
    }

    // A derivative made by a rule, put in the shape its text reads back in before another rule
    // takes it.
    Part Settled(Part part)
    {
        Settle(*part);
        return part;
    }

    // The fresh nodes of a tree in the shape its printed text reads back in, then simplified;
    // what simplifying rewrites stays fresh, with its ancestors.
    void Settle(CExprNode& top)
    {
        PostOrder(top, [this](CExprNode& node) { Regroup(node); });
        PostOrder(top, [this](CExprNode& node) {
            const Simplified result =
                SimplifyNode(node, IsNumeric(node.m_pLeft), IsNumeric(node.m_pRight));
            m_nNodes -= result.freed;
            const bool fresh = result.changed || IsFresh(node.m_pLeft) || IsFresh(node.m_pRight);
            Record(&node, result.numeric, fresh);
        });
    }

    // Visits the fresh nodes of a tree, children first, reaching them through fresh nodes only.
    template <class Visit> void PostOrder(CExprNode& top, Visit visit)
    {
        if (!IsFresh(&top))
            return;
        std::vector<std::pair<CExprNode*, bool>> stack{{&top, false}};
        while (!stack.empty()) {
            auto [node, childrenDone] = stack.back();
            if (childrenDone) {
                stack.pop_back();
                visit(*node);
                continue;
            }
            stack.back().second = true;
            if (IsFresh(node->m_pRight))
                stack.emplace_back(node->m_pRight, false);
            if (IsFresh(node->m_pLeft))
                stack.emplace_back(node->m_pLeft, false);
        }
    }

    // a+(b-c+d) prints as a+b-c+d and reads back as ((a+b)-c)+d; a*(b/c*d) likewise. The node
    // and the links down the left side of its right operand are relinked into that shape.
    void Regroup(CExprNode& node)
    {
        CExprNode* right = node.m_pRight;
        if (!IsBinaryLink(&node) || !IsBinaryLink(right) ||
            Family(right->m_nOpId) != Family(node.m_nOpId) ||
            exprprint::NeedsParentheses(right->m_nOpId, &node, false) ||
            exprprint::PrintsWithLeadingMinus(right, &node, false))
            return;
        // The links of the right operand, outermost first, and what hangs on their right.
        std::vector<CExprNode*> links{right};
        while (IsBinaryLink(links.back()->m_pLeft) &&
               Family(links.back()->m_pLeft->m_nOpId) == Family(node.m_nOpId))
            links.push_back(links.back()->m_pLeft);
        // The innermost link now joins the node's left operand to the innermost operand; each
        // other link takes the place of the one inside it; the node itself becomes the outermost.
        CExprNode* below = links.back()->m_pLeft; // the innermost operand
        CExprNode* joined = node.m_pLeft;
        int op = node.m_nOpId;
        CString name = node.m_strName;
        for (std::size_t i = links.size(); i-- > 0;) {
            CExprNode* link = links[i];
            const int nextOp = link->m_nOpId;
            const CString nextName = link->m_strName;
            CExprNode* nextOperand = link->m_pRight;
            link->m_nOpId = op;
            link->m_strName = name;
            link->m_pLeft = joined;
            link->m_pRight = below;
            Record(link, false, true);
            joined = link;
            below = nextOperand;
            op = nextOp;
            name = nextName;
        }
        node.m_pLeft = joined;
        node.m_pRight = below;
        node.m_nOpId = op;
        node.m_strName = name;
    }

    // The binary operators down the left side of top, innermost first: the derivative of each
    // link takes the one below it as the derivative of its left operand.
    int DeriveChain(const CExprNode& top, Part& result)
    {
        std::vector<const CExprNode*> links{&top};
        while (IsBinaryLink(links.back()->m_pLeft))
            links.push_back(links.back()->m_pLeft);
        Part du;
        if (const int code = Derive(*links.back()->m_pLeft, du))
            return code;
        for (std::size_t i = links.size(); i-- > 0;) {
            Part dv;
            if (const int code = Derive(*links[i]->m_pRight, dv))
                return code;
            if (const int code =
                    DeriveLink(*links[i], Settled(std::move(du)), Settled(std::move(dv)), du))
                return code;
        }
        result = std::move(du);
        return Status();
    }

    int DeriveLink(const CExprNode& link, Part du, Part dv, Part& result)
    {
        const CExprNode& u = *link.m_pLeft;
        const CExprNode& v = *link.m_pRight;
        switch (link.m_nOpId) {
        case OpAdd:
        case OpSubtract:
            result = Binary(link.m_nOpId, std::move(du), std::move(dv));
            break;
        case OpMultiply: // u*dv + v*du
            result = Add(Times([&] { return Copy(u); }, std::move(dv)),
                         Times([&] { return Copy(v); }, std::move(du)));
            break;
        case OpDivide: // (v*du - u*dv)/v^2
            result = Div(Sub(Times([&] { return Copy(v); }, std::move(du)),
                             Times([&] { return Copy(u); }, std::move(dv))),
                         Square(Copy(v)));
            break;
        default:
            return DerivePower(u, v, std::move(du), std::move(dv), result);
        }
        return Status();
    }

    // The power rule by what is constant: numeric exponent, constant exponent, constant base,
    // or the general rule.
    int DerivePower(const CExprNode& u, const CExprNode& v, Part du, Part dv, Part& result)
    {
        if (v.IsNumericConstant()) {
            CExprNode exponent;
            exponent.CopyFrom(v);
            double n = 0;
            if (const int code = exponent.Evaluate(n))
                return code;
            result =
                Times([&] { return Mul(Number(n), Pow(Copy(u), Number(n - 1))); }, std::move(du));
        } else if (v.IsConstant()) {
            result = Times([&] { return Mul(Copy(v), Pow(Copy(u), Sub(Copy(v), Number(1.0)))); },
                           std::move(du));
        } else if (u.IsConstant()) {
            result = Times([&] { return Mul(Call("ln", Copy(u)), Pow(Copy(u), Copy(v))); },
                           std::move(dv));
        } else {
            result = Mul(Pow(Copy(u), Copy(v)),
                         Add(Times([&] { return Call("ln", Copy(u)); }, std::move(dv)),
                             Div(Times([&] { return Copy(v); }, std::move(du)), Copy(u))));
        }
        return Status();
    }

    int DeriveFunction(const CExprNode& node, Part& result)
    {
        if (!node.m_pLeft || node.m_pLeft->m_nKind == NodeList || !HasRule(node.m_nOpId))
            return ErrInvalidFunction;
        Part du;
        if (const int code = Derive(*node.m_pLeft, du))
            return code;
        result = ApplyRule(node.m_nOpId, *node.m_pLeft, Settled(std::move(du)));
        return Status();
    }

    static bool HasRule(int opId)
    {
        return (opId >= OpExp && opId <= OpCot) || opId == OpAbs || opId == OpSqrt ||
               opId == OpSqr || (opId >= OpAsin && opId <= OpAcoth);
    }

    // The derivative of f(u) for a function f with a rule, given du.
    Part ApplyRule(int opId, const CExprNode& u, Part du)
    {
        auto U = [&] { return Copy(u); };
        // f'(u)*du for the rules written as a product with du.
        auto chain = [&](auto derivative) { return Times(derivative, std::move(du)); };
        switch (opId) {
        case OpExp:
            return chain([&] { return Call("exp", U()); });
        case OpLn:
            return Div(std::move(du), U());
        case OpLog:
            return Div(std::move(du), Mul(Call("ln", Number(10.0)), U()));
        case OpSin:
            return chain([&] { return PerRadian(Call("cos", U())); });
        case OpCos:
            return Neg(chain([&] { return PerRadian(Call("sin", U())); }));
        case OpTan:
            return chain([&] { return PerRadian(Square(Call("sec", U()))); });
        case OpSec:
            return chain([&] { return PerRadian(Mul(Call("sec", U()), Call("tan", U()))); });
        case OpCsc:
            return Neg(chain([&] { return PerRadian(Mul(Call("csc", U()), Call("cot", U()))); }));
        case OpCot:
            return Neg(chain([&] { return PerRadian(Square(Call("csc", U()))); }));
        case OpAbs:
            return chain([&] { return Div(U(), Call("abs", U())); });
        case OpSqrt:
            return Div(std::move(du), Mul(Number(2.0), Call("sqrt", U())));
        case OpSqr:
            return chain([&] { return Mul(Number(2.0), U()); });
        case OpAsin:
            return Div(PerAngleUnit(std::move(du)), Call("sqrt", Sub(Number(1.0), Square(U()))));
        case OpAcos:
            return Neg(
                Div(PerAngleUnit(std::move(du)), Call("sqrt", Sub(Number(1.0), Square(U())))));
        case OpAtan:
            return Div(PerAngleUnit(std::move(du)), Add(Number(1.0), Square(U())));
        case OpAsec:
            return Div(PerAngleUnit(std::move(du)),
                       Mul(Call("abs", U()), Call("sqrt", Sub(Square(U()), Number(1.0)))));
        case OpAcsc:
            return Neg(Div(PerAngleUnit(std::move(du)),
                           Mul(Call("abs", U()), Call("sqrt", Sub(Square(U()), Number(1.0))))));
        case OpAcot:
            return Neg(Div(PerAngleUnit(std::move(du)), Add(Number(1.0), Square(U()))));
        case OpSinh:
            return chain([&] { return Call("cosh", U()); });
        case OpCosh:
            return chain([&] { return Call("sinh", U()); });
        case OpTanh:
            return chain([&] { return Square(Call("sech", U())); });
        case OpSech:
            return Neg(chain([&] { return Mul(Call("sech", U()), Call("tanh", U())); }));
        case OpCsch:
            return Neg(chain([&] { return Mul(Call("csch", U()), Call("coth", U())); }));
        case OpCoth:
            return Neg(chain([&] { return Square(Call("csch", U())); }));
        case OpAsinh:
            return Div(std::move(du), Call("sqrt", Add(Square(U()), Number(1.0))));
        case OpAcosh:
            return Div(std::move(du), Call("sqrt", Sub(Square(U()), Number(1.0))));
        case OpAtanh:
        case OpAcoth:
            return Div(std::move(du), Sub(Number(1.0), Square(U())));
        case OpAsech:
            return Neg(Div(std::move(du), Mul(U(), Call("sqrt", Sub(Number(1.0), Square(U()))))));
        default: // OpAcsch
            return Neg(Div(std::move(du),
                           Mul(Call("abs", U()), Call("sqrt", Add(Number(1.0), Square(U()))))));
        }
    }

    CCalcEngine* m_pOwner;
    int m_nAngleMode;
    static constexpr int kWorkBudget = 16 * MaxParseNodes;
    int m_nNodes = 0; // alive
    int m_nMade = 0;
    bool m_bOverflow = false;
    std::unordered_map<const CExprNode*, NodeInfo> m_info;
};

} // namespace

bool CExprNode::IsZero() const { return m_nKind == NodeNumber && m_dValue == 0.0; }

bool CExprNode::IsOne() const { return m_nKind == NodeNumber && m_dValue == 1.0; }

bool CExprNode::IsNumericConstant() const
{
    return AllLeaves(*this, [](const CExprNode& leaf) { return leaf.m_nKind == NodeNumber; });
}

bool CExprNode::IsConstant() const
{
    return AllLeaves(*this, [](const CExprNode& leaf) {
        switch (leaf.m_nKind) {
        case NodeSymbol:
        case NodeNumber:
        case NodePredefined:
        case NodeUserConstant:
            return true;
        case NodeIndependent:
            // Only the variable of differentiation (slot 0) varies.
            return leaf.m_nIndex != 0;
        default:
            return false;
        }
    });
}

int CExprNode::Derive()
{
    m_nErrorCode = 0;
    errno = 0;
    switch (m_nKind) {
    case NodeSymbol:
    case NodeNumber:
    case NodePredefined:
    case NodeUserConstant:
        MakeNumber(*this, 0.0);
        return 0;
    case NodeIndependent:
        MakeNumber(*this, m_nIndex == 0 ? 1.0 : 0.0);
        return 0;
    case NodeOperator:
        return DeriveOperator();
    default:
        return ErrInvalidFunction;
    }
}

int CExprNode::DeriveOperator()
{
    Part derivative;
    DerivativeBuilder builder(m_pOwner);
    if (const int code = builder.Derive(*this, derivative))
        return code;
    // The derivative's root takes this node's place; this node keeps no part of the old tree.
    delete m_pLeft;
    delete m_pRight;
    m_pRight = nullptr;
    m_pLeft = derivative.release();
    ReplaceWith(m_pLeft);
    return 0;
}

void CExprNode::Simplify() { SimplifyTree(*this); }
