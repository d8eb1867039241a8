#include "engine/ExprNode.h"

#include "engine/CalcEngine.h"
#include "engine/ExprParserDetail.h"
#include "engine/FunctionCatalogue.h"
#include "engine/NumberText.h"
#include "engine/UserFunction.h"
#include "framework/core/AsciiText.h"

#include <cerrno>
#include <limits>
#include <string>

using namespace parser;

int CExprNode::ResolveReservedName(const CString& name)
{
    auto is = [&](const char* word) { return ascii::EqualNoCase(name, word); };
    if (is("PI"))
        m_dValue = 3.141592653589793;
    else if (is("INF") || is("PINF"))
        m_dValue = std::numeric_limits<double>::infinity();
    else if (is("NINF")) {
        m_dValue = -std::numeric_limits<double>::infinity();
        errno = 0;
    } else if (is("ANS"))
        m_dValue = m_pOwner ? m_pOwner->m_dLastAnswer : 0;
    else if (is("RAND") || is("RND")) {
        m_nKind = NodeOperator;
        m_nOpId = OpRand;
        m_strName = name;
        return 1;
    } else
        return 0;
    m_nKind = NodeNumber;
    m_strName = name;
    return 1;
}

int CExprNode::ParseName(std::string_view text, int start)
{
    int end = start;
    while (end < int(text.size()) && IsNameChar(text[std::size_t(end)]))
        ++end;
    const CString name = m_strSource.Mid(start, end - start);
    const int nameLength = end - start;
    int trailPos = end - 1;
    const bool trailing = PeekNonBlank(text, trailPos, +1) != 0;
    CCalcEngine* engine = m_pOwner;
    auto leaf = [&](int kind, int index) {
        if (trailing)
            return Fail(ErrUnexpectedCharacter, trailPos, 1);
        m_nKind = kind;
        m_nIndex = index;
        m_strName = name;
        m_bParsed = 1;
        return 0;
    };

    if (engine && engine->m_bUnitMode)
        return leaf(NodeVariable, 0);
    int slot = (!engine || engine->m_bIndependentOn) ? FindIndependentVariable(name) : -1;
    if (slot >= 0)
        return leaf(NodeIndependent, slot);
    if (ResolveReservedName(name)) {
        if (trailing)
            return Fail(ErrUnexpectedCharacter, trailPos, 1);
        m_bParsed = 1;
        return 0;
    }
    int row = FindFunctionEntry(name);
    if (row >= 0) {
        const FunctionTableEntry& entry = GetFunctionEntry(row);
        m_nOpId = entry.opId;
        bool open = entry.minArguments == AnyArgumentCount;
        return ParseCall(text, start, end, open ? -1 : entry.minArguments,
                         open ? -1 : entry.maxArguments);
    }
    int uf = (!engine || engine->m_bUserFunctionsOn) ? FindUserFunction(name) : -1;
    if (uf >= 0) {
        CUserFunction* function = GetUserFunctions()[std::size_t(uf)];
        m_nOpId = OpUserFunction;
        m_nIndex = uf;
        int params = function->GetVariableCount();
        int code = function->Parse();
        if (code)
            return Fail(code, start, nameLength);
        if (engine)
            engine->m_bUsesUserFunction = 1;
        return ParseCall(text, start, end, params, params);
    }
    int index = FindPredefinedName(name);
    if (index >= 0)
        return leaf(NodePredefined, index);
    index = FindUserConstant(name);
    if (index >= 0)
        return leaf(NodeUserConstant, index);
    if (engine && (index = engine->FindExpressionVariable(name)) >= 0)
        return ResolveExpressionVariable(index, start, nameLength, trailing ? trailPos : -1);
    if (engine && (index = engine->FindVariable(name)) >= 0)
        return leaf(NodeVariable, index);
    if (engine && engine->m_bLenient) {
        if (trailing)
            return Fail(ErrUnexpectedCharacter, trailPos, 1);
        return leaf(NodeVariable, engine->AppendVariable(name, 0));
    }
    if (engine && engine->m_bSymbolic)
        return leaf(NodeSymbol, 0);
    return Fail(ErrUnrecognizedFunction, start, nameLength);
}

int CExprNode::ResolveExpressionVariable(int index, int start, int length, int trailPos)
{
    for (int i = 0; i < m_ExpansionPath.GetSize(); ++i)
        if (m_ExpansionPath.GetAt(i) == index)
            return Fail(ErrCircularReference, start, length);
    if (trailPos >= 0)
        return Fail(ErrUnexpectedCharacter, trailPos, 1);
    const CString text = m_pOwner->GetExpressionVariableText(index);
    if (index > 0xFFFF || !ChargeExpansion(text.GetLength()))
        return Fail(ErrOverflow, start, length);
    m_ExpansionPath.Add(WORD(index));
    int code = ParseInPlace(text, 0);
    if (code)
        return Fail(code, start, length);
    return 0;
}

int CExprNode::ParseCall(std::string_view text, int start, int nameEnd, int minimum, int maximum)
{
    int open = nameEnd - 1;
    char next = PeekNonBlank(text, open, +1);
    if (next != '(')
        return next ? Fail(ErrMissingParenthesis, open, 1)
                    : Fail(ErrMissingParenthesis, start, nameEnd - start);
    const int length = int(text.size());
    int close = FindClosingParenthesis(text, open);
    if (close < 0) {
        if (text.back() != ')')
            return Fail(ErrMissingParenthesis, length - 1, 1);
        close = length - 1;
    }
    int q = close;
    if (PeekNonBlank(text, q, +1))
        return Fail(ErrUnexpectedCharacter, q, 1);
    m_nKind = NodeOperator;
    m_strName = m_strSource.Mid(start, nameEnd - start);
    int code = ParseArgumentRange(open + 1, close, minimum, maximum);
    if (code == 0)
        m_bParsed = 1;
    return code;
}

int CExprNode::ParseNumber()
{
    const int start = m_nScanPos;
    std::string_view literal = m_strSource.View().substr(std::size_t(start));
    const int span = int(literal.size());
    std::string text(literal);
    const CCalcEngine* engine = m_pOwner;
    if (engine && engine->m_ResultFormat.m_nMode == FormatModeCurrency)
        std::erase_if(text,
                      [](char c) { return c == GetLocaleSeparators().chThousands || IsBlank(c); });
    auto bad = [&] {
        errno = 0;
        return Fail(ErrBadNumber, start, span);
    };
    if (!text.empty() && text[0] == '#') {
        if (text.size() < 2)
            return bad();
        text.erase(0, 1);
    }
    double value = 0;
    int base = 0;
    if (text.size() >= 3 && text[0] == '0' && text[1] != DecimalPoint()) {
        switch (text[1]) {
        case 'x':
        case 'X':
            base = 16;
            break;
        case 'b':
        case 'B':
            base = 2;
            break;
        case 'o':
        case 'O':
            base = 8;
            break;
        case 'd':
        case 'D':
            base = 10;
            break;
        default:
            break;
        }
    }
    const int numberBase = engine ? engine->m_nNumberBase : 10;
    int integer = 0;
    bool ok = false;
    if (base) {
        ok = numtext::ScanInteger(std::string_view(text).substr(2), base, integer);
        value = integer;
    } else if (numberBase == 10) {
        ok = numtext::ScanDecimal(text, DecimalPoint(), value);
    } else {
        ok = numtext::ScanInteger(text, numberBase, integer);
        value = integer;
    }
    if (!ok)
        return bad();
    if (base && m_pOwner)
        m_pOwner->RaiseOneShotBase(base);
    m_nKind = NodeNumber;
    m_dValue = value;
    m_strName = CString(literal);
    m_bParsed = 1;
    return 0;
}
