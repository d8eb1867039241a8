#pragma once
// The parser's working state, shared by its source files: one run reads one text (an expression
// or an expression variable's text) into a tree, scanning each part of the text by positions in
// that one text instead of copies.
#include "engine/LocaleSeparators.h"

#include <string>
#include <string_view>
#include <vector>

class CExprNode;
class CCalcEngine;

namespace parser {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool IsNameStart(char c) { return IsLetter(c) || c == '_'; }
inline bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
inline char ListSeparator() { return GetLocaleSeparators().chList; }
inline char DecimalPoint() { return GetLocaleSeparators().chDecimal; }

// Adds length characters of expanded expression-variable text to the outermost parse's total;
// false once it passes MaxExpandedText.
bool ChargeExpansion(int length);
// Counts the outermost parses begun: nested texts (expression variables, bodies) share the number.
unsigned OutermostParseNumber();

// Where a scan looks first: the operators of lowest precedence, then the tighter ones, then a
// single operand (number, name, call, bracket, string or postfix operation).
enum Level : int { LevelSum = 1, LevelProduct = 2, LevelPower = 3, LevelOperand = 4 };

// The depth-0 operators of one level in a part of the text, and where the scan met an
// unbalanced bracket (-1 when it did not). A scan stops at the first unbalanced bracket, so the
// operators found lie on its far side.
struct LevelScan {
    std::vector<int> positions; // from the scan's start outwards
    std::vector<char> operators;
    int unbalancedAt = -1;
};

// One parse of one text into a tree. Positions are indices into the text; [begin, end) marks the
// part a node is read from. Brackets and quotes are paired once, so a scan at depth 0 steps over
// a bracketed group or a string literal in one move and the whole parse stays linear in the
// length of the text (times the few precedence levels).
class ExprParser {
public:
    // text is copied: a node's own source may change while its text is read.
    ExprParser(CCalcEngine* pOwner, std::string_view text);
    ExprParser(const ExprParser&) = delete;
    ExprParser& operator=(const ExprParser&) = delete;

    // Reads the whole text into node; 0 or an engine error code with ErrorPosition set.
    int ParseInto(CExprNode& node);
    int ErrorPosition() const { return m_errorPos; }
    int ErrorSpan() const { return m_errorSpan; }

private:
    // Reads [begin, end) into node, starting at level; noSeparators tells that a list separator
    // scan of this part is known to find none.
    int ParseSegment(CExprNode& node, int begin, int end, int level, bool noSeparators);
    int ParseOperand(CExprNode& node, int begin, int first, int end, bool noSeparators);
    // A chain of operators of one level (left-deep) or of list separators (right-deep).
    int SplitAt(CExprNode& node, int begin, int end, int level, bool noSeparators,
                const LevelScan& scan);
    int SplitList(CExprNode& node, int begin, int end, const LevelScan& scan);
    int ParseParenthesis(CExprNode& node, int open, int end);
    int ParseString(CExprNode& node, int open, int end);
    int ParsePostfix(CExprNode& node, int begin, int end, bool noSeparators);
    int ParseNumber(CExprNode& node, int first, int end);
    int ParseName(CExprNode& node, int first, int end);
    int ParseCall(CExprNode& node, int first, int nameEnd, int end, int minimum, int maximum);
    // The argument text of a call or postfix operator as one child in list mode. A single
    // argument starts at elementLevel: a postfix operand is known to hold no operators at all.
    int ParseArguments(CExprNode& node, int begin, int end, int minimum, int maximum,
                       bool noSeparators, int elementLevel);
    int ResolveExpressionVariable(CExprNode& node, int index, int first, int length);

    // Rightmost operators c1 or c2 at depth 0 (sign of an exponent skipped), all of them.
    void FindOperatorFromRight(int begin, int end, char c1, char c2, LevelScan& scan) const;
    // List separators at depth 0 from the left, all of them.
    void FindSeparatorFromLeft(int begin, int end, LevelScan& scan) const;
    bool IsExponentSign(int position, int begin, int end) const;
    // First (step +1) or last (step -1) non-blank position in [begin, end), -1 when none.
    int NonBlank(int begin, int end, int step) const;
    CString Text(int begin, int end) const;

    CExprNode* NewChild(const CExprNode& parent, int inList);
    bool TakeNodes(int count);
    int Fail(int code, int position, int span);

    CCalcEngine* m_pOwner;
    std::string m_text;
    // For each bracket or quote, the index of its partner; -1 for other characters and for a
    // bracket without one.
    std::vector<int> m_partner;
    int m_unpairedQuote = -1;
    int m_errorPos = 0;
    int m_errorSpan = 1;
};

} // namespace parser
