// Printing of expression trees back to text that the parser reads into the same tree. The text
// grows in one buffer; a chain of operators is written in a loop, so only real nesting recurses.
#include "engine/CalcEngine.h"
#include "engine/ExprPrintRules.h"
#include "engine/LocaleSeparators.h"
#include "engine/PrintNumber.h"
#include "framework/core/AsciiText.h"

#include <string>
#include <vector>

using exprprint::NeedsParentheses;
using exprprint::PrintsWithLeadingMinus;

namespace {

bool IsBinaryOperator(int opId) { return opId >= OpAdd && opId <= OpPower; }

bool IsBinaryNode(const CExprNode* node)
{
    return node && node->m_nKind == NodeOperator && IsBinaryOperator(node->m_nOpId);
}

bool IsNumberZero(const CExprNode* node)
{
    return node && node->m_nKind == NodeNumber && node->m_dValue == 0.0;
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

// The unary minus of a binary node: 0 - x prints as -x.
bool PrintsWithoutLeft(const CExprNode* node)
{
    return !node->m_pLeft || (node->m_nOpId == OpSubtract && IsNumberZero(node->m_pLeft));
}

bool StartsWithMinus(const CString& text) { return !text.IsEmpty() && text[0] == '-'; }

// The reserved names that read as numbers; a number node that came from one prints as written,
// so that printed text never swaps the name for its value (ANS stays ANS).
bool IsReservedNumberName(const CString& name)
{
    for (const char* word : {"PI", "INF", "PINF", "NINF", "ANS"})
        if (ascii::EqualNoCase(name, word))
            return true;
    return false;
}

class ExprWriter {
public:
    explicit ExprWriter(std::string& out) : m_out(out) {}

    void Write(const CExprNode& node, const CExprNode* parent, bool isLeft)
    {
        switch (node.m_nKind) {
        case NodeNumber:
            Append(IsReservedNumberName(node.m_strName) ? node.m_strName
                                                        : PrintNumberValue(node.m_dValue));
            break;
        case NodeOperator:
            WriteOperator(node, parent, isLeft);
            break;
        case NodeList:
            WriteList(node);
            break;
        case NodeString:
            // The contents live in the source; the quotes make it read back as a string.
            m_out += '"';
            Append(node.m_strSource);
            m_out += '"';
            break;
        default:
            Append(node.m_strName);
            break;
        }
    }

    void WriteOperator(const CExprNode& node, const CExprNode* parent, bool isLeft)
    {
        if (IsBinaryOperator(node.m_nOpId)) {
            WriteChain(node, parent, isLeft);
        } else if (IsPostfix(&node)) {
            if (node.m_pLeft) {
                const bool bracket = !IsPostfixAtom(node.m_pLeft);
                if (bracket)
                    m_out += '(';
                Write(*node.m_pLeft, &node, true);
                if (bracket)
                    m_out += ')';
            }
            Append(node.m_strName);
        } else if (node.m_nOpId == OpRand) {
            Append(node.m_strName);
        } else {
            Append(node.m_strName);
            m_out += '(';
            if (node.m_pLeft)
                Write(*node.m_pLeft, &node, true);
            m_out += ')';
        }
    }

private:
    void Append(const CString& text) { m_out += text.View(); }

    // A binary node and the binary nodes down its left side, written from the innermost
    // outwards: every opening bracket first, then each link's operator, right operand and
    // closing bracket.
    void WriteChain(const CExprNode& top, const CExprNode* parent, bool isLeft)
    {
        std::vector<const CExprNode*> links{&top};
        while (!PrintsWithoutLeft(links.back()) && IsBinaryNode(links.back()->m_pLeft))
            links.push_back(links.back()->m_pLeft);
        std::vector<bool> bracketed(links.size());
        for (std::size_t i = 0; i < links.size(); ++i) {
            const CExprNode* linkParent = i == 0 ? parent : links[i - 1];
            bracketed[i] = NeedsParentheses(links[i]->m_nOpId, linkParent, i == 0 ? isLeft : true);
            if (bracketed[i])
                m_out += '(';
        }
        const CExprNode* bottom = links.back();
        if (!PrintsWithoutLeft(bottom))
            Write(*bottom->m_pLeft, bottom, true);
        for (std::size_t i = links.size(); i-- > 0;) {
            const CExprNode* link = links[i];
            Append(link->m_strName);
            if (const CExprNode* right = link->m_pRight) {
                const bool minus = PrintsWithLeadingMinus(right, link, false);
                if (minus)
                    m_out += '(';
                Write(*right, link, false);
                if (minus)
                    m_out += ')';
            }
            if (bracketed[i])
                m_out += ')';
        }
    }

    // list(a, list(b, c)) as a,b,c, walking the list's right side in a loop.
    void WriteList(const CExprNode& list)
    {
        const CExprNode* node = &list;
        for (;;) {
            if (node->m_pLeft)
                Write(*node->m_pLeft, node, true);
            m_out += GetLocaleSeparators().chList;
            const CExprNode* rest = node->m_pRight;
            if (!rest)
                return;
            if (rest->m_nKind != NodeList) {
                Write(*rest, node, false);
                return;
            }
            node = rest;
        }
    }

    std::string& m_out;
};

} // namespace

bool exprprint::NeedsParentheses(int opId, const CExprNode* parent, bool isLeft)
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

bool exprprint::PrintsWithLeadingMinus(const CExprNode* node, const CExprNode* parent, bool isLeft)
{
    for (;;) {
        if (IsBinaryNode(node)) {
            if (NeedsParentheses(node->m_nOpId, parent, isLeft))
                return false;
            if (PrintsWithoutLeft(node))
                return StartsWithMinus(node->m_strName);
            parent = node;
            isLeft = true;
            node = node->m_pLeft;
        } else if (node->m_nKind == NodeOperator && IsPostfix(node)) {
            if (!node->m_pLeft || !IsPostfixAtom(node->m_pLeft))
                return false;
            node = node->m_pLeft;
        } else if (node->m_nKind == NodeList) {
            if (!node->m_pLeft)
                return false;
            parent = node;
            isLeft = true;
            node = node->m_pLeft;
        } else {
            return node->m_nKind != NodeNumber && node->m_nKind != NodeString &&
                   StartsWithMinus(node->m_strName);
        }
    }
}

CString CExprNode::Print(const CExprNode* parent, bool isLeft) const
{
    std::string text;
    ExprWriter(text).Write(*this, parent, isLeft);
    return CString(std::string_view(text));
}

CString CExprNode::PrintOperator(const CExprNode* parent, bool isLeft) const
{
    std::string text;
    ExprWriter(text).WriteOperator(*this, parent, isLeft);
    return CString(std::string_view(text));
}

CString CCalcEngine::GetText() const { return m_Root.Print(nullptr, true); }
