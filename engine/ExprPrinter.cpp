// Printing of expression trees back to text that the parser reads into the same tree.
#include "engine/CalcEngine.h"
#include "engine/LocaleSeparators.h"
#include "engine/PrintNumber.h"

namespace {

bool IsBinaryOperator(int opId) { return opId >= OpAdd && opId <= OpPower; }

bool IsNumberZero(const CExprNode* node)
{
    return node && node->m_nKind == NodeNumber && node->m_dValue == 0.0;
}

// The precedence rule: an operator node is bracketed when its parent binds tighter, or binds
// equally but would group the other way when read back.
bool NeedsParentheses(int opId, const CExprNode* parent, bool isLeft)
{
    if (!parent || parent->m_nKind != NodeOperator || !IsBinaryOperator(parent->m_nOpId))
        return false;
    const int p = parent->m_nOpId;
    switch (opId) {
    case OpAdd:
    case OpSubtract:
        return p == OpMultiply || p == OpDivide || p == OpPower || (p == OpSubtract && !isLeft);
    case OpMultiply:
    case OpDivide:
        return p == OpPower || (p == OpDivide && !isLeft);
    case OpPower:
        return p == OpPower && !isLeft;
    default:
        return false;
    }
}

bool IsPostfix(const CExprNode* node)
{
    return node->m_nKind == NodeOperator &&
           (node->m_nOpId == OpPercent || (node->m_nOpId == OpFact && node->m_strName == "!"));
}

// A postfix operand reads back unbracketed when it is a single token, or a postfix operation
// itself (5%! is (5%)!; brackets there would double the nesting of long chains).
bool IsPostfixAtom(const CExprNode* node)
{
    return (node->m_nKind == NodeNumber && node->m_dValue >= 0.0) ||
           node->m_nKind == NodeVariable || node->m_nKind == NodePredefined || IsPostfix(node);
}

} // namespace

CString CExprNode::Print(const CExprNode* parent, bool isLeft) const
{
    switch (m_nKind) {
    case NodeNumber:
        return PrintNumberValue(m_dValue);
    case NodeOperator:
        return PrintOperator(parent, isLeft);
    case NodeList: {
        CString text = m_pLeft ? m_pLeft->Print(this, true) : CString();
        text += GetLocaleSeparators().chList;
        if (m_pRight)
            text += m_pRight->Print(this, false);
        return text;
    }
    case NodeString:
        // The contents live in the source; the quotes make it read back as a string.
        return "\"" + m_strSource + "\"";
    default:
        return m_strName;
    }
}

CString CExprNode::PrintOperator(const CExprNode* parent, bool isLeft) const
{
    if (IsBinaryOperator(m_nOpId)) {
        CString left;
        if (!(m_nOpId == OpSubtract && IsNumberZero(m_pLeft)) && m_pLeft)
            left = m_pLeft->Print(this, true);
        CString right = m_pRight ? m_pRight->Print(this, false) : CString();
        // A right operand that starts with a sign (a unary minus) would read as a dangling
        // operator after this one: 1+-x.
        if (!right.IsEmpty() && right[0] == '-')
            right = "(" + right + ")";
        CString text = left + m_strName + right;
        return NeedsParentheses(m_nOpId, parent, isLeft) ? "(" + text + ")" : text;
    }
    if (IsPostfix(this)) {
        if (!m_pLeft)
            return m_strName;
        CString operand = m_pLeft->Print(this, true);
        if (!IsPostfixAtom(m_pLeft))
            operand = "(" + operand + ")";
        return operand + m_strName;
    }
    if (m_nOpId == OpRand)
        return m_strName;
    return m_strName + "(" + (m_pLeft ? m_pLeft->Print(this, true) : CString()) + ")";
}

CString CCalcEngine::GetText() const { return m_Root.Print(nullptr, true); }
