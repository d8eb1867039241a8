// The expression parser: splits a text at its operators of lowest precedence outside brackets
// and strings, level by level, and reads what is left as one operand. Each level takes all its
// operators in one scan and builds their chain in a loop, so a long sum or argument list is as
// deep as a short one; only brackets, calls, postfix operators, signs and a change of level
// nest.
#include "engine/ExprNode.h"

#include "engine/CalcEngine.h"
#include "engine/ExprParserDetail.h"

#include <cerrno>

using namespace parser;

namespace {

int g_nParseDepth = 0;           // segment parses now running, across nested texts
int g_nParseNodes = 0;           // nodes made since the outermost parse began
long long g_nExpandedText = 0;   // expression-variable text expanded since then
unsigned g_nOutermostParses = 0; // outermost parses begun so far

// One level of nesting for the depth cap.
struct ParseDepthGuard {
    ParseDepthGuard() { ++g_nParseDepth; }
    ~ParseDepthGuard() { --g_nParseDepth; }
    ParseDepthGuard(const ParseDepthGuard&) = delete;
    ParseDepthGuard& operator=(const ParseDepthGuard&) = delete;
};

int OperatorId(char op)
{
    switch (op) {
    case '+':
        return OpAdd;
    case '-':
        return OpSubtract;
    case '*':
        return OpMultiply;
    case '/':
        return OpDivide;
    default:
        return OpPower;
    }
}

} // namespace

unsigned parser::OutermostParseNumber() { return g_nOutermostParses; }

bool parser::ChargeExpansion(int length)
{
    g_nExpandedText += length;
    return g_nExpandedText <= MaxExpandedText;
}

ExprParser::ExprParser(CCalcEngine* pOwner, std::string_view text)
    : m_pOwner(pOwner), m_text(text), m_partner(text.size(), -1)
{
    // Quotes pair in order; brackets pair outside strings. The last quote of an odd count has
    // no partner and makes every scan of the text report an unterminated string.
    std::vector<int> open;
    int quote = -1;
    for (int i = 0; i < int(m_text.size()); ++i) {
        const char c = m_text[std::size_t(i)];
        if (c == '"') {
            if (quote < 0) {
                quote = i;
            } else {
                m_partner[std::size_t(quote)] = i;
                m_partner[std::size_t(i)] = quote;
                quote = -1;
            }
        } else if (quote >= 0) {
            continue;
        } else if (c == '(') {
            open.push_back(i);
        } else if (c == ')' && !open.empty()) {
            m_partner[std::size_t(open.back())] = i;
            m_partner[std::size_t(i)] = open.back();
            open.pop_back();
        }
    }
    m_unpairedQuote = quote;
}

int ExprParser::Fail(int code, int position, int span)
{
    m_errorPos = position < 0 ? 0 : position;
    m_errorSpan = span < 1 ? 1 : span;
    ErrorSpanLength = m_errorSpan;
    return code;
}

bool ExprParser::TakeNodes(int count)
{
    g_nParseNodes += count;
    return g_nParseNodes <= MaxParseNodes;
}

CExprNode* ExprParser::NewChild(const CExprNode& parent, int inList)
{
    CExprNode* child = new CExprNode;
    child->m_pOwner = m_pOwner;
    child->m_ExpansionPath.Copy(parent.m_ExpansionPath);
    child->m_bInList = inList;
    return child;
}

CString ExprParser::Text(int begin, int end) const
{
    return CString(std::string_view(m_text).substr(std::size_t(begin), std::size_t(end - begin)));
}

int ExprParser::NonBlank(int begin, int end, int step) const
{
    if (step > 0) {
        for (int i = begin; i < end; ++i)
            if (!IsBlank(m_text[std::size_t(i)]))
                return i;
    } else {
        for (int i = end - 1; i >= begin; --i)
            if (!IsBlank(m_text[std::size_t(i)]))
                return i;
    }
    return -1;
}

int ExprParser::ParseInto(CExprNode& node)
{
    if (g_nParseDepth == 0) {
        g_nParseNodes = 0;
        g_nExpandedText = 0;
        ++g_nOutermostParses;
    }
    if (!TakeNodes(1))
        return Fail(ErrOverflow, NonBlank(0, int(m_text.size()), +1), 1);
    return ParseSegment(node, 0, int(m_text.size()), LevelSum, false);
}

int ExprParser::ParseSegment(CExprNode& node, int begin, int end, int level, bool noSeparators)
{
    ParseDepthGuard guard;
    const int first = NonBlank(begin, end, +1);
    if (g_nParseDepth > MaxParseDepth || g_nParseNodes > MaxParseNodes)
        return Fail(ErrOverflow, first < 0 ? begin : first, 1);
    if (first < 0) {
        node.m_bParsed = 1; // blank text reads as the number 0
        return 0;
    }
    end = NonBlank(first, end, -1) + 1;
    if (m_unpairedQuote >= 0)
        return Fail(ErrBadString, m_unpairedQuote, end - m_unpairedQuote);
    LevelScan scan;
    if (node.m_bInList && !noSeparators) {
        FindSeparatorFromLeft(begin, end, scan);
        if (!scan.positions.empty())
            return SplitList(node, begin, end, scan);
        if (scan.unbalancedAt >= 0)
            return Fail(ErrUnbalancedParenthesis, scan.unbalancedAt, 1);
        noSeparators = true;
    }
    static constexpr char Levels[LevelOperand][2] = {{0, 0}, {'+', '-'}, {'*', '/'}, {'^', '^'}};
    for (; level < LevelOperand; ++level) {
        FindOperatorFromRight(begin, end, Levels[level][0], Levels[level][1], scan);
        if (!scan.positions.empty())
            return SplitAt(node, begin, end, level, noSeparators, scan);
        if (scan.unbalancedAt >= 0)
            return Fail(ErrUnbalancedParenthesis, scan.unbalancedAt, 1);
    }
    return ParseOperand(node, begin, first, end, noSeparators);
}

void ExprParser::FindOperatorFromRight(int begin, int end, char c1, char c2, LevelScan& scan) const
{
    scan.positions.clear();
    scan.operators.clear();
    scan.unbalancedAt = -1;
    for (int i = end - 1; i >= begin; --i) {
        const char c = m_text[std::size_t(i)];
        if (c == '"') {
            i = m_partner[std::size_t(i)]; // the string's opening quote
        } else if (c == ')') {
            // A group whose opening bracket lies before this part leaves the part unbalanced
            // here; otherwise the whole group is stepped over.
            const int open = m_partner[std::size_t(i)];
            if (open < begin) {
                scan.unbalancedAt = i;
                return;
            }
            i = open;
        } else if (c == '(') {
            scan.unbalancedAt = i;
            return;
        } else if ((c == c1 || c == c2) &&
                   !((c == '+' || c == '-') && IsExponentSign(i, begin, end))) {
            scan.positions.push_back(i);
            scan.operators.push_back(c);
        }
    }
}

void ExprParser::FindSeparatorFromLeft(int begin, int end, LevelScan& scan) const
{
    scan.positions.clear();
    scan.operators.clear();
    scan.unbalancedAt = -1;
    const char separator = ListSeparator();
    for (int i = begin; i < end; ++i) {
        const char c = m_text[std::size_t(i)];
        if (c == '"') {
            const int close = m_partner[std::size_t(i)];
            if (close < i)
                break; // an unterminated string: the text was refused before any scan
            i = close;
        } else if (c == '(') {
            const int close = m_partner[std::size_t(i)];
            if (close < 0 || close >= end) {
                scan.unbalancedAt = i;
                return;
            }
            i = close;
        } else if (c == ')') {
            scan.unbalancedAt = i;
            return;
        } else if (c == separator) {
            scan.positions.push_back(i);
            scan.operators.push_back(c);
        }
    }
}

bool ExprParser::IsExponentSign(int position, int begin, int end) const
{
    const int next = NonBlank(position + 1, end, +1);
    if (next < 0 || !IsDigit(m_text[std::size_t(next)]))
        return false;
    const int letterAt = NonBlank(begin, position, -1);
    if (letterAt < 0)
        return false;
    const char letter = m_text[std::size_t(letterAt)];
    if (letter != 'e' && letter != 'E' && letter != 'd' && letter != 'D')
        return false;
    const int beforeAt = NonBlank(begin, letterAt, -1);
    if (beforeAt < 0)
        return false;
    const char before = m_text[std::size_t(beforeAt)];
    if (!IsDigit(before) && before != DecimalPoint())
        return false;
    // The digits must start a number token: in a1e-3 the "e" ends the name a1e.
    int k = beforeAt;
    while (k > begin &&
           (IsDigit(m_text[std::size_t(k - 1)]) || m_text[std::size_t(k - 1)] == DecimalPoint()))
        --k;
    return k == begin || !IsNameChar(m_text[std::size_t(k - 1)]);
}

// The operators of one level, found right to left as p[0] > p[1] > ..., make a left-deep chain:
// ((o0 p[k-1] o1) ... ) p[0] ok. Faults come in the order a split at the rightmost operator
// followed by its left part would meet them: dangling operators from the right, an unbalanced
// bracket in the leftmost part, then the operands from the left.
int ExprParser::SplitAt(CExprNode& node, int begin, int end, int level, bool noSeparators,
                        const LevelScan& scan)
{
    const int count = int(scan.positions.size());
    for (int i = 0; i < count; ++i) {
        const int p = scan.positions[std::size_t(i)];
        const char op = scan.operators[std::size_t(i)];
        const int partEnd = i == 0 ? end : scan.positions[std::size_t(i - 1)];
        if (NonBlank(p + 1, partEnd, +1) < 0)
            return Fail(ErrDanglingOperator, p, 1);
        if (op != '+' && op != '-' && NonBlank(begin, p, -1) < 0)
            return Fail(ErrDanglingOperator, p, 1);
    }
    if (scan.unbalancedAt >= 0)
        return Fail(ErrUnbalancedParenthesis, scan.unbalancedAt, 1);
    if (!TakeNodes(2 * count))
        return Fail(ErrOverflow, NonBlank(begin, end, +1), 1);
    auto chain = std::vector<CExprNode*>(std::size_t(count));
    CExprNode* link = &node;
    for (int i = 0; i < count; ++i) {
        const char op = scan.operators[std::size_t(i)];
        link->m_nKind = NodeOperator;
        link->m_strName = CString(op);
        link->m_nOpId = OperatorId(op);
        link->m_pLeft = NewChild(*link, 0);
        link->m_pRight = NewChild(*link, 0);
        chain[std::size_t(i)] = link;
        link = link->m_pLeft;
    }
    int code = ParseSegment(*link, begin, scan.positions.back(), level + 1, noSeparators);
    for (int i = count - 1; code == 0 && i >= 0; --i) {
        const int partEnd = i == 0 ? end : scan.positions[std::size_t(i - 1)];
        code = ParseSegment(*chain[std::size_t(i)]->m_pRight, scan.positions[std::size_t(i)] + 1,
                            partEnd, level + 1, noSeparators);
    }
    if (code == 0)
        for (CExprNode* n : chain)
            n->m_bParsed = 1;
    return code;
}

// List separators found left to right make a right-deep list: list(a, list(b, c)). A scan that
// met an unbalanced bracket after the last separator reports it once the elements before it are
// read.
int ExprParser::SplitList(CExprNode& node, int begin, int end, const LevelScan& scan)
{
    const int count = int(scan.positions.size());
    if (!TakeNodes(2 * count))
        return Fail(ErrOverflow, NonBlank(begin, end, +1), 1);
    auto lists = std::vector<CExprNode*>(std::size_t(count));
    CExprNode* link = &node;
    for (int i = 0; i < count; ++i) {
        link->m_nKind = NodeList;
        link->m_pLeft = NewChild(*link, 1);
        link->m_pRight = NewChild(*link, 1);
        lists[std::size_t(i)] = link;
        link = link->m_pRight;
    }
    int code = 0;
    int elementBegin = begin;
    for (int i = 0; code == 0 && i < count; ++i) {
        const int separator = scan.positions[std::size_t(i)];
        code =
            ParseSegment(*lists[std::size_t(i)]->m_pLeft, elementBegin, separator, LevelSum, true);
        elementBegin = separator + 1;
    }
    if (code == 0 && scan.unbalancedAt >= 0)
        code = Fail(ErrUnbalancedParenthesis, scan.unbalancedAt, 1);
    if (code == 0)
        code = ParseSegment(*link, elementBegin, end, LevelSum, true);
    if (code == 0)
        for (CExprNode* n : lists)
            n->m_bParsed = 1;
    return code;
}

int ExprParser::ParseOperand(CExprNode& node, int begin, int first, int end, bool noSeparators)
{
    const char last = m_text[std::size_t(end - 1)];
    if (last == '%' || last == '!')
        return ParsePostfix(node, begin, end, noSeparators);
    const char c = m_text[std::size_t(first)];
    if (c == '(')
        return ParseParenthesis(node, first, end);
    if (IsDigit(c) || c == DecimalPoint() || c == '#')
        return ParseNumber(node, first, end);
    if (c == '"')
        return ParseString(node, first, end);
    if (IsNameStart(c))
        return ParseName(node, first, end);
    return Fail(ErrUnexpectedCharacter, first, 1);
}

int ExprParser::ParseParenthesis(CExprNode& node, int open, int end)
{
    const int close = m_partner[std::size_t(open)];
    if (close < 0 || close >= end) {
        int lastOpen = open;
        for (int i = open; i < end; ++i)
            if (m_text[std::size_t(i)] == '(')
                lastOpen = i;
        return Fail(ErrUnbalancedParenthesis, lastOpen, 1);
    }
    const int after = NonBlank(close + 1, end, +1);
    if (after >= 0)
        return Fail(ErrUnexpectedCharacter, after, 1);
    // A bracketed text is one operand, never more arguments: a separator inside it must not
    // slip past the argument count of the call around it.
    node.m_bInList = 0;
    return ParseSegment(node, open + 1, close, LevelSum, false);
}

int ExprParser::ParseString(CExprNode& node, int open, int end)
{
    const int close = m_partner[std::size_t(open)];
    if (close < open || close >= end)
        return Fail(ErrBadString, open, end - open);
    const int after = NonBlank(close + 1, end, +1);
    if (after >= 0)
        return Fail(ErrUnexpectedCharacter, after, 1);
    node.m_nKind = NodeString;
    node.m_strSource = Text(open + 1, close);
    node.m_bParsed = 1;
    return 0;
}

// The operand of % or ! is an argument list of exactly one element.
int ExprParser::ParsePostfix(CExprNode& node, int begin, int end, bool noSeparators)
{
    const char op = m_text[std::size_t(end - 1)];
    node.m_nKind = NodeOperator;
    node.m_strName = CString(op);
    node.m_nOpId = op == '%' ? OpPercent : OpFact;
    const int code = ParseArguments(node, begin, end - 1, 1, 1, noSeparators, LevelOperand);
    if (code == 0)
        node.m_bParsed = 1;
    return code;
}

int ExprParser::ParseArguments(CExprNode& node, int begin, int end, int minimum, int maximum,
                               bool noSeparators, int elementLevel)
{
    if (minimum < 0) {
        minimum = 1;
        maximum = 100000;
    }
    const int first = NonBlank(begin, end, +1);
    if (first < 0) {
        if (minimum == 0)
            return 0;
        return Fail(ErrWrongArgumentCount, begin, 1);
    }
    const int last = NonBlank(first, end, -1);
    LevelScan scan;
    if (!noSeparators)
        FindSeparatorFromLeft(begin, end, scan);
    const int count = 1 + int(scan.positions.size());
    if (count < minimum || count > maximum)
        return Fail(ErrWrongArgumentCount, first, last - first + 1);
    if (!TakeNodes(1))
        return Fail(ErrOverflow, first, 1);
    node.m_pLeft = NewChild(node, 1);
    // Several arguments make the child a list at once, from the separators just counted: a call
    // nests one level whatever its number of arguments.
    if (count > 1)
        return SplitList(*node.m_pLeft, begin, end, scan);
    return ParseSegment(*node.m_pLeft, begin, end, elementLevel, true);
}

int CExprNode::Parse()
{
    if (m_bParsed)
        return 0;
    Clear();
    m_strSource.TrimRight();
    ExprParser parser(m_pOwner, m_strSource.View());
    const int code = parser.ParseInto(*this);
    if (code) {
        m_nErrorCode = code;
        m_nErrorPos = parser.ErrorPosition();
        ErrorSpanLength = parser.ErrorSpan();
    }
    return code;
}
