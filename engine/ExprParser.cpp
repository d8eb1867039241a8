#include "engine/ExprNode.h"

#include "engine/CalcEngine.h"
#include "engine/ExprParserDetail.h"

#include <cerrno>

using namespace parser;

namespace {

int g_nParseDepth = 0;         // Parse calls now running, outermost included
int g_nParseNodes = 0;         // Parse calls since the outermost one began
long long g_nExpandedText = 0; // expression-variable text expanded since then

// Counts one level of Parse nesting for the stack and node budgets.
struct ParseDepthGuard {
    ParseDepthGuard()
    {
        if (g_nParseDepth++ == 0) {
            g_nParseNodes = 0;
            g_nExpandedText = 0;
        }
        ++g_nParseNodes;
    }
    ~ParseDepthGuard() { --g_nParseDepth; }
    ParseDepthGuard(const ParseDepthGuard&) = delete;
    ParseDepthGuard& operator=(const ParseDepthGuard&) = delete;
};

} // namespace

bool parser::ChargeExpansion(int length)
{
    g_nExpandedText += length;
    return g_nExpandedText <= MaxExpandedText;
}

namespace {

int FirstNonBlank(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!IsBlank(text[i]))
            return int(i);
    return -1;
}

// Position of the last double quote when the quotes do not pair up, else -1.
int UnterminatedQuote(std::string_view text)
{
    int count = 0, last = -1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '"') {
            ++count;
            last = int(i);
        }
    return (count % 2) ? last : -1;
}

} // namespace

int parser::FindClosingParenthesis(std::string_view text, int open)
{
    int depth = 0;
    bool inString = false;
    for (int i = open; i < int(text.size()); ++i) {
        char c = text[std::size_t(i)];
        if (c == '"')
            inString = !inString;
        else if (inString)
            continue;
        else if (c == '(')
            ++depth;
        else if (c == ')' && --depth == 0)
            return i;
    }
    return -1;
}

int parser::CountArguments(std::string_view text, char separator)
{
    int count = 1, depth = 0;
    bool inString = false;
    for (char c : text) {
        if (c == '"')
            inString = !inString;
        else if (inString)
            continue;
        else if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        else if (c == separator && depth == 0)
            ++count;
    }
    return count;
}

int CExprNode::Fail(int code, int position, int span)
{
    m_nErrorCode = code;
    m_nErrorPos = position < 0 ? 0 : position;
    ErrorSpanLength = span < 1 ? 1 : span;
    return code;
}

CExprNode* CExprNode::NewChild(const CString& text, int inList) const
{
    CExprNode* child = new CExprNode;
    child->m_strSource = text;
    child->m_pOwner = m_pOwner;
    child->m_ExpansionPath.Copy(m_ExpansionPath);
    child->m_bInList = inList;
    return child;
}

int CExprNode::Parse()
{
    if (m_bParsed)
        return 0;
    ParseDepthGuard guard;
    Clear();
    m_strSource.TrimRight();
    if (g_nParseDepth > MaxParseDepth || g_nParseNodes > MaxParseNodes)
        return Fail(ErrOverflow, FirstNonBlank(m_strSource.View()), 1);
    return ParseBody(m_strSource.View());
}

int CExprNode::ParseInPlace(const CString& text, int offset)
{
    m_strSource = text;
    m_bParsed = 0;
    // A bracketed text or an expression variable is one operand, never more arguments: a
    // separator inside it must not slip past the argument count of the call around it.
    m_bInList = 0;
    int code = Parse();
    if (code)
        m_nErrorPos += offset;
    return code;
}

int CExprNode::ParseBody(std::string_view text)
{
    if (FirstNonBlank(text) < 0) {
        m_bParsed = 1;
        return 0;
    }
    char found = 0;
    int pos = -1;
    if (m_bInList) {
        pos = FindSeparatorFromLeft(ListSeparator(), found);
        if (pos >= 0 || pos < -1)
            return pos >= 0 ? SplitAt(pos, found) : m_nErrorCode;
    }
    static constexpr char Levels[3][2] = {{'+', '-'}, {'*', '/'}, {'^', '^'}};
    for (const auto& level : Levels) {
        pos = FindOperatorFromRight(level[0], level[1], found);
        if (pos >= 0 || pos < -1)
            return pos >= 0 ? SplitAt(pos, found) : m_nErrorCode;
    }
    m_nScanPos = -1;
    NextChar();
    const char last = text.back();
    if (last == '%' || last == '!')
        return ParsePostfix(text, last);
    const char c = m_chCurrent;
    if (c == '(')
        return ParseParenthesis(text, m_nScanPos);
    if (IsDigit(c) || c == DecimalPoint() || c == '#')
        return ParseNumber();
    if (c == '"')
        return ParseString(text, m_nScanPos);
    if (IsNameStart(c))
        return ParseName(text, m_nScanPos);
    return Fail(ErrUnexpectedCharacter, m_nScanPos, 1);
}

int CExprNode::FindOperatorFromRight(char c1, char c2, char& found)
{
    std::string_view text = m_strSource.View();
    int quote = UnterminatedQuote(text);
    if (quote >= 0) {
        Fail(ErrBadString, quote, int(text.size()) - quote);
        return -2;
    }
    int depth = 0, raisedAt = -1;
    bool inString = false;
    for (int i = int(text.size()) - 1; i >= 0; --i) {
        char c = text[std::size_t(i)];
        if (c == '"') {
            inString = !inString;
        } else if (inString) {
            continue;
        } else if (c == ')') {
            if (depth++ == 0)
                raisedAt = i;
        } else if (c == '(') {
            if (--depth < 0) {
                Fail(ErrUnbalancedParenthesis, i, 1);
                return -3;
            }
        } else if (depth == 0 && (c == c1 || c == c2) &&
                   !((c == '+' || c == '-') && IsExponentSign(i))) {
            found = c;
            return i;
        }
    }
    if (depth > 0) {
        Fail(ErrUnbalancedParenthesis, raisedAt, 1);
        return -3;
    }
    return -1;
}

int CExprNode::FindSeparatorFromLeft(char separator, char& found)
{
    std::string_view text = m_strSource.View();
    int quote = UnterminatedQuote(text);
    if (quote >= 0) {
        Fail(ErrBadString, quote, int(text.size()) - quote);
        return -2;
    }
    int depth = 0, raisedAt = -1;
    bool inString = false;
    for (int i = 0; i < int(text.size()); ++i) {
        char c = text[std::size_t(i)];
        if (c == '"') {
            inString = !inString;
        } else if (inString) {
            continue;
        } else if (c == '(') {
            if (depth++ == 0)
                raisedAt = i;
        } else if (c == ')') {
            if (--depth < 0) {
                Fail(ErrUnbalancedParenthesis, i, 1);
                return -3;
            }
        } else if (depth == 0 && c == separator) {
            found = c;
            return i;
        }
    }
    if (depth > 0) {
        Fail(ErrUnbalancedParenthesis, raisedAt, 1);
        return -3;
    }
    return -1;
}

bool CExprNode::IsExponentSign(int position) const
{
    std::string_view text = m_strSource.View();
    int q = position;
    if (!IsDigit(PeekNonBlank(text, q, +1)))
        return false;
    q = position;
    char letter = PeekNonBlank(text, q, -1);
    if (letter != 'e' && letter != 'E' && letter != 'd' && letter != 'D')
        return false;
    char before = PeekNonBlank(text, q, -1);
    if (!IsDigit(before) && before != DecimalPoint())
        return false;
    // The digits must start a number token: in a1e-3 the "e" ends the name a1e.
    int k = q;
    while (k > 0 &&
           (IsDigit(text[std::size_t(k - 1)]) || text[std::size_t(k - 1)] == DecimalPoint()))
        --k;
    return k == 0 || !IsNameChar(text[std::size_t(k - 1)]);
}

int CExprNode::SplitAt(int position, char op)
{
    std::string_view text = m_strSource.View();
    const bool isList = m_bInList && op == ListSeparator();
    if (!isList) {
        int q = position;
        if (!PeekNonBlank(text, q, +1))
            return Fail(ErrDanglingOperator, position, 1);
        q = position;
        if (op != '+' && op != '-' && !PeekNonBlank(text, q, -1))
            return Fail(ErrDanglingOperator, position, 1);
        static constexpr char Ops[] = "+-*/^";
        m_nKind = NodeOperator;
        m_strName = CString(op);
        for (int i = 0; Ops[i]; ++i)
            if (Ops[i] == op)
                m_nOpId = OpAdd + i;
    } else {
        m_nKind = NodeList;
    }
    m_pLeft = NewChild(m_strSource.Left(position), isList);
    m_pRight = NewChild(m_strSource.Mid(position + 1), isList);
    int code = m_pLeft->Parse();
    if (code)
        return Fail(code, m_pLeft->m_nErrorPos, ErrorSpanLength);
    code = m_pRight->Parse();
    if (code)
        return Fail(code, m_pRight->m_nErrorPos + position + 1, ErrorSpanLength);
    m_bParsed = 1;
    return 0;
}

int CExprNode::ParseParenthesis(std::string_view text, int open)
{
    int close = FindClosingParenthesis(text, open);
    if (close < 0) {
        int lastOpen = open;
        for (int i = open; i < int(text.size()); ++i)
            if (text[std::size_t(i)] == '(')
                lastOpen = i;
        return Fail(ErrUnbalancedParenthesis, lastOpen, 1);
    }
    int q = close;
    if (PeekNonBlank(text, q, +1))
        return Fail(ErrUnexpectedCharacter, q, 1);
    return ParseInPlace(m_strSource.Mid(open + 1, close - open - 1), open + 1);
}

int CExprNode::ParseString(std::string_view text, int open)
{
    std::size_t close = text.find('"', std::size_t(open) + 1);
    if (close == std::string_view::npos)
        return Fail(ErrBadString, open, int(text.size()) - open);
    int q = int(close);
    if (PeekNonBlank(text, q, +1))
        return Fail(ErrUnexpectedCharacter, q, 1);
    m_nKind = NodeString;
    m_strSource = m_strSource.Mid(open + 1, int(close) - open - 1);
    m_bParsed = 1;
    return 0;
}

int CExprNode::ParsePostfix(std::string_view text, char op)
{
    m_nKind = NodeOperator;
    m_strName = CString(op);
    m_nOpId = op == '%' ? OpPercent : OpFact;
    m_strSource = m_strSource.Left(int(text.size()) - 1);
    int code = ParseArguments(1, 1);
    if (code == 0)
        m_bParsed = 1;
    return code;
}

int CExprNode::ParseArguments(int minimum, int maximum)
{
    return ParseArgumentRange(0, m_strSource.GetLength(), minimum, maximum);
}

int CExprNode::ParseArgumentRange(int start, int end, int minimum, int maximum)
{
    if (minimum < 0) {
        minimum = 1;
        maximum = 100000;
    }
    std::string_view args = m_strSource.View().substr(std::size_t(start), std::size_t(end - start));
    int first = FirstNonBlank(args);
    if (first < 0) {
        if (minimum == 0)
            return 0;
        return Fail(ErrWrongArgumentCount, start, 1);
    }
    int lastChar = int(args.size()) - 1;
    while (IsBlank(args[std::size_t(lastChar)]))
        --lastChar;
    int count = CountArguments(args, ListSeparator());
    if (count < minimum || count > maximum)
        return Fail(ErrWrongArgumentCount, start + first, lastChar - first + 1);
    m_pLeft = NewChild(m_strSource.Mid(start, end - start), 1);
    int code = m_pLeft->Parse();
    if (code)
        return Fail(code, m_pLeft->m_nErrorPos + start, ErrorSpanLength);
    return 0;
}
