// The parser's operands: names in their order of resolution, calls with their arguments, and
// number literals.
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

namespace {

// PI, INF, PINF, NINF and ANS become numbers, RAND and RND a call without arguments.
bool ResolveReservedName(CExprNode& node, const CString& name)
{
    auto is = [&](const char* word) { return ascii::EqualNoCase(name, word); };
    if (is("PI"))
        node.m_dValue = 3.141592653589793;
    else if (is("INF") || is("PINF"))
        node.m_dValue = std::numeric_limits<double>::infinity();
    else if (is("NINF")) {
        node.m_dValue = -std::numeric_limits<double>::infinity();
        errno = 0;
    } else if (is("ANS"))
        node.m_dValue = node.m_pOwner ? node.m_pOwner->m_dLastAnswer : 0;
    else if (is("RAND") || is("RND")) {
        node.m_nKind = NodeOperator;
        node.m_nOpId = OpRand;
        node.m_strName = name;
        return true;
    } else
        return false;
    node.m_nKind = NodeNumber;
    node.m_strName = name;
    return true;
}

} // namespace

int ExprParser::ParseName(CExprNode& node, int first, int end)
{
    int nameEnd = first;
    while (nameEnd < end && IsNameChar(m_text[std::size_t(nameEnd)]))
        ++nameEnd;
    const CString name = Text(first, nameEnd);
    const int nameLength = nameEnd - first;
    const int trailPos = NonBlank(nameEnd, end, +1);
    CCalcEngine* engine = m_pOwner;
    auto leaf = [&](int kind, int index) {
        if (trailPos >= 0)
            return Fail(ErrUnexpectedCharacter, trailPos, 1);
        node.m_nKind = kind;
        node.m_nIndex = index;
        node.m_strName = name;
        node.m_bParsed = 1;
        return 0;
    };

    if (engine && engine->m_bUnitMode)
        return leaf(NodeVariable, 0);
    const int slot = (!engine || engine->m_bIndependentOn) ? FindIndependentVariable(name) : -1;
    if (slot >= 0)
        return leaf(NodeIndependent, slot);
    if (ResolveReservedName(node, name)) {
        if (trailPos >= 0)
            return Fail(ErrUnexpectedCharacter, trailPos, 1);
        node.m_bParsed = 1;
        return 0;
    }
    const int row = FindFunctionEntry(name);
    if (row >= 0) {
        const FunctionTableEntry& entry = GetFunctionEntry(row);
        node.m_nOpId = entry.opId;
        const bool open = entry.minArguments == AnyArgumentCount;
        return ParseCall(node, first, nameEnd, end, open ? -1 : entry.minArguments,
                         open ? -1 : entry.maxArguments);
    }
    const bool body = engine && engine->m_bParametersFirst;
    int index = body ? engine->FindVariable(name) : -1;
    if (index >= 0)
        return leaf(NodeVariable, index);
    const int uf = (!engine || engine->m_bUserFunctionsOn) ? FindUserFunction(name) : -1;
    if (uf >= 0 && body)
        return Fail(ErrContainsUserFunction, first, nameLength);
    if (uf >= 0) {
        CUserFunction* function = GetUserFunctions()[std::size_t(uf)];
        node.m_nOpId = OpUserFunction;
        node.m_nIndex = uf;
        const int params = function->GetVariableCount();
        if (const int code = function->ParseBody(OutermostParseNumber()))
            return Fail(code, first, nameLength);
        if (engine)
            engine->m_bUsesUserFunction = 1;
        return ParseCall(node, first, nameEnd, end, params, params);
    }
    index = FindPredefinedName(name);
    if (index >= 0)
        return leaf(NodePredefined, index);
    index = FindUserConstant(name);
    if (index >= 0)
        return leaf(NodeUserConstant, index);
    if (engine && (index = engine->FindExpressionVariable(name)) >= 0) {
        for (int i = 0; i < node.m_ExpansionPath.GetSize(); ++i)
            if (node.m_ExpansionPath.GetAt(i) == index)
                return Fail(ErrCircularReference, first, nameLength);
        if (trailPos >= 0)
            return Fail(ErrUnexpectedCharacter, trailPos, 1);
        return ResolveExpressionVariable(node, index, first, nameLength);
    }
    if (engine && (index = engine->FindVariable(name)) >= 0)
        return leaf(NodeVariable, index);
    if (engine && engine->m_bLenient) {
        if (trailPos >= 0)
            return Fail(ErrUnexpectedCharacter, trailPos, 1);
        return leaf(NodeVariable, engine->AppendVariable(name, 0));
    }
    if (engine && engine->m_bSymbolic)
        return leaf(NodeSymbol, 0);
    return Fail(ErrUnrecognizedFunction, first, nameLength);
}

// The variable's text is read into this node in place, as a text of its own; a fault inside it
// is reported at the name.
int ExprParser::ResolveExpressionVariable(CExprNode& node, int index, int first, int length)
{
    const CString text = m_pOwner->GetExpressionVariableText(index);
    if (index > 0xFFFF || !ChargeExpansion(text.GetLength()))
        return Fail(ErrOverflow, first, length);
    node.m_ExpansionPath.Add(WORD(index));
    node.m_bInList = 0;
    ExprParser expansion(m_pOwner, text.View());
    const int code = expansion.ParseSegment(node, 0, int(expansion.m_text.size()), LevelSum, false);
    if (code)
        return Fail(code, first, length);
    return 0;
}

// A call: the name, "(", the arguments and a ")" that ends the text. Text after the bracket that
// closes the arguments is unexpected.
int ExprParser::ParseCall(CExprNode& node, int first, int nameEnd, int end, int minimum,
                          int maximum)
{
    const int open = NonBlank(nameEnd, end, +1);
    if (open < 0)
        return Fail(ErrMissingParenthesis, first, nameEnd - first);
    if (m_text[std::size_t(open)] != '(')
        return Fail(ErrMissingParenthesis, open, 1);
    if (m_text[std::size_t(end - 1)] != ')')
        return Fail(ErrMissingParenthesis, end - 1, 1);
    int close = m_partner[std::size_t(open)];
    if (close < 0 || close >= end)
        close = end - 1;
    const int after = NonBlank(close + 1, end, +1);
    if (after >= 0)
        return Fail(ErrUnexpectedCharacter, after, 1);
    node.m_nKind = NodeOperator;
    node.m_strName = Text(first, nameEnd);
    const int code = ParseArguments(node, open + 1, close, minimum, maximum, false, LevelSum);
    if (code == 0)
        node.m_bParsed = 1;
    return code;
}

int ExprParser::ParseNumber(CExprNode& node, int first, int end)
{
    const std::string_view literal =
        std::string_view(m_text).substr(std::size_t(first), std::size_t(end - first));
    const int span = int(literal.size());
    std::string text(literal);
    const CCalcEngine* engine = m_pOwner;
    if (engine && engine->m_ResultFormat.m_nMode == FormatModeCurrency)
        std::erase_if(text,
                      [](char c) { return c == GetLocaleSeparators().chThousands || IsBlank(c); });
    auto bad = [&] {
        errno = 0;
        return Fail(ErrBadNumber, first, span);
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
    node.m_nKind = NodeNumber;
    node.m_dValue = value;
    node.m_strName = CString(literal);
    node.m_bParsed = 1;
    return 0;
}
