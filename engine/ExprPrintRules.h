#pragma once
// The printer's bracketing rules, shared with the symbolic derivative, which must know where a
// printed tree reads back grouped another way (a+(b+c) prints as a+b+c).
class CExprNode;

namespace exprprint {

// Whether an operator node with opId, a child of parent (its left child when isLeft), is printed
// in brackets: its parent binds tighter, or binds equally but would group the other way.
bool NeedsParentheses(int opId, const CExprNode* parent, bool isLeft);
// Whether node, printed as a child of parent, starts with a minus sign (a unary minus at its left
// edge), so that after an operator it needs brackets: 1+-x would read as a dangling operator.
bool PrintsWithLeadingMinus(const CExprNode* node, const CExprNode* parent, bool isLeft);

} // namespace exprprint
