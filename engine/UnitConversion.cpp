#include "engine/UnitRegistry.h"

#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "framework/core/AsciiText.h"

#include <cmath>

namespace {

// Two parsed unit expressions match when they combine names and equal numbers with the same
// products, quotients and powers (m/s matches km/h; m^2 does not match ft^3).
bool SameUnitShape(const CExprNode* a, const CExprNode* b)
{
    if (!a || !b || a->m_nKind != b->m_nKind)
        return false;
    if (a->m_nKind == NodeVariable)
        return true;
    if (a->m_nKind == NodeNumber)
        return a->m_dValue == b->m_dValue;
    if (a->m_nKind != NodeOperator || a->m_nOpId != b->m_nOpId)
        return false;
    const int op = a->m_nOpId;
    if (op != OpMultiply && op != OpDivide && op != OpPower)
        return false;
    if (op == OpPower && (!a->m_pRight || a->m_pRight->m_nKind != NodeNumber))
        return false;
    return SameUnitShape(a->m_pLeft, b->m_pLeft) && SameUnitShape(a->m_pRight, b->m_pRight);
}

// Factor from a to b, two trees of the same shape.
bool UnitExpressionFactor(const CExprNode* a, const CExprNode* b, double& factor)
{
    if (a->m_nKind == NodeNumber) {
        factor = 1.0;
        return true;
    }
    if (a->m_nKind == NodeVariable)
        return FindUnitNameFactor(a->m_strName, b->m_strName, factor);
    double left = 1.0, right = 1.0;
    if (!UnitExpressionFactor(a->m_pLeft, b->m_pLeft, left) ||
        !UnitExpressionFactor(a->m_pRight, b->m_pRight, right))
        return false;
    if (a->m_nOpId == OpMultiply)
        factor = left * right;
    else if (a->m_nOpId == OpDivide)
        factor = left / right;
    else
        factor = std::pow(left, a->m_pRight->m_dValue);
    return std::isfinite(factor) && factor != 0.0;
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
