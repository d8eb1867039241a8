#include "engine/UnitRegistry.h"

#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "framework/core/AsciiText.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

// Two parsed unit expressions match when they combine names and equal numbers with the same
// products, quotients and powers (m/s matches km/h; m^2 does not match ft^3). The pairs of
// nodes are compared with an explicit stack: a unit text may be a long chain such as m*m*m*...
bool SameUnitShape(const CExprNode* a, const CExprNode* b)
{
    std::vector<std::pair<const CExprNode*, const CExprNode*>> pending{{a, b}};
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        if (!x || !y || x->m_nKind != y->m_nKind)
            return false;
        if (x->m_nKind == NodeVariable)
            continue;
        if (x->m_nKind == NodeNumber) {
            if (x->m_dValue != y->m_dValue)
                return false;
            continue;
        }
        if (x->m_nKind != NodeOperator || x->m_nOpId != y->m_nOpId)
            return false;
        const int op = x->m_nOpId;
        if (op != OpMultiply && op != OpDivide && op != OpPower)
            return false;
        if (op == OpPower && (!x->m_pRight || x->m_pRight->m_nKind != NodeNumber))
            return false;
        pending.emplace_back(x->m_pLeft, y->m_pLeft);
        pending.emplace_back(x->m_pRight, y->m_pRight);
    }
    return true;
}

// Factor from a to b, two trees of the same shape. Products and quotients chain down the left
// side, so that side is walked in a loop; a right operand is a name, a number or a bracketed
// unit, where the text nests.
bool UnitExpressionFactor(const CExprNode* a, const CExprNode* b, double& factor)
{
    if (a->m_nKind == NodeNumber) {
        factor = 1.0;
        return true;
    }
    if (a->m_nKind == NodeVariable)
        return FindUnitNameFactor(a->m_strName, b->m_strName, factor);
    std::vector<std::pair<const CExprNode*, const CExprNode*>> links;
    for (; a->m_nKind == NodeOperator; a = a->m_pLeft, b = b->m_pLeft)
        links.emplace_back(a, b);
    if (!UnitExpressionFactor(a, b, factor))
        return false;
    for (auto link = links.rbegin(); link != links.rend(); ++link) {
        const auto [x, y] = *link;
        double right = 1.0;
        if (!UnitExpressionFactor(x->m_pRight, y->m_pRight, right))
            return false;
        if (x->m_nOpId == OpMultiply)
            factor *= right;
        else if (x->m_nOpId == OpDivide)
            factor /= right;
        else
            factor = std::pow(factor, x->m_pRight->m_dValue);
        if (!std::isfinite(factor) || factor == 0.0)
            return false;
    }
    return true;
}

// One side of a conversion: a single unit name (a whole registry name first, so that names with
// blanks work), or an expression of names parsed in unit mode.
struct UnitText {
    std::string name;
    CCalcEngine engine;
    bool single = false;

    bool Resolve(const std::string& text)
    {
        if (IsRegisteredUnitName(text.c_str())) {
            name = text;
            single = true;
            return true;
        }
        engine.m_bUnitMode = 1;
        engine.SetExpression(text.c_str());
        if (text.empty() || engine.Parse() != 0)
            return false; // includes text that the parse leaves unconsumed
        single = engine.m_Root.m_nKind == NodeVariable;
        if (single)
            name = engine.m_Root.m_strName.GetString();
        return true;
    }
};

int ConvertExpressions(double& value, const std::string& from, const std::string& to)
{
    UnitText source, target;
    if (!source.Resolve(from) || !target.Resolve(to))
        return ErrBadArgument;
    double factor = 1.0;
    if (source.single && target.single) {
        if (!FindUnitNameFactor(source.name.c_str(), target.name.c_str(), factor))
            return ErrBadArgument;
    } else if (source.single || target.single ||
               !SameUnitShape(&source.engine.m_Root, &target.engine.m_Root) ||
               !UnitExpressionFactor(&source.engine.m_Root, &target.engine.m_Root, factor)) {
        return ErrBadArgument;
    }
    value *= factor;
    return 0;
}

} // namespace

int ConvertUnits(double& value, const char* from, const char* to)
{
    const std::string source = TrimUnitText(from);
    const std::string target = TrimUnitText(to);
    if (ascii::EqualNoCase(source.c_str(), target.c_str()))
        return 0;
    double converted = value;
    if (ConvertTemperature(source.c_str(), target.c_str(), converted)) {
        value = converted;
        return 0;
    }
    return ConvertExpressions(value, source, target);
}

bool CanConvertUnits(const char* from, const char* to)
{
    double value = 1.0;
    return ConvertUnits(value, from, to) == 0;
}
