// Symbolic differentiation: each operator prints its operand and the operand's derivative into a
// fixed template and parses the text in place; Simplify then drops the neutral elements.
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "engine/ExprNode.h"
#include "engine/PrintNumber.h"

#include <cerrno>
#include <string_view>

namespace {

// Placeholders: {u} operand, {du} its derivative, {v} and {dv} the right operand and its
// derivative, {op} the operator, {n} and {n-1} a numeric exponent; each operand text arrives
// bracketed.
struct DerivativeTemplate {
    int opId;
    const char* text;
};

constexpr DerivativeTemplate kTemplates[] = {
    {OpAdd, "{du}{op}{dv}"},
    {OpSubtract, "{du}{op}{dv}"},
    {OpMultiply, "{u}*{dv}+{v}*{du}"},
    {OpDivide, "({v}*{du}-{u}*{dv})/{v}^2"},
    {OpExp, "exp({u})*{du}"},
    {OpLn, "{du}/{u}"},
    {OpLog, "{du}/(ln(10)*{u})"},
    {OpSin, "cos({u})*{du}"},
    {OpCos, "-sin({u})*{du}"},
    {OpTan, "sec({u})^2*{du}"},
    {OpSec, "sec({u})*tan({u})*{du}"},
    {OpCsc, "-csc({u})*cot({u})*{du}"},
    {OpCot, "-csc({u})^2*{du}"},
    {OpAbs, "{u}/abs({u})*{du}"},
    {OpSqrt, "{du}/(2*sqrt({u}))"},
    {OpSqr, "2*{u}*{du}"},
    {OpAsin, "{du}/sqrt(1-{u}^2)"},
    {OpAcos, "-{du}/sqrt(1-{u}^2)"},
    {OpAtan, "{du}/(1+{u}^2)"},
    {OpAsec, "{du}/(abs({u})*sqrt({u}^2-1))"},
    {OpAcsc, "-{du}/(abs({u})*sqrt({u}^2-1))"},
    {OpAcot, "-{du}/(1+{u}^2)"},
    {OpSinh, "cosh({u})*{du}"},
    {OpCosh, "sinh({u})*{du}"},
    {OpTanh, "sech({u})^2*{du}"},
    {OpSech, "-sech({u})*tanh({u})*{du}"},
    {OpCsch, "-csch({u})*coth({u})*{du}"},
    {OpCoth, "-csch({u})^2*{du}"},
    {OpAsinh, "{du}/sqrt({u}^2+1)"},
    {OpAcosh, "{du}/sqrt({u}^2-1)"},
    {OpAtanh, "{du}/(1-{u}^2)"},
    {OpAsech, "-{du}/({u}*sqrt(1-{u}^2))"},
    {OpAcsch, "-{du}/(abs({u})*sqrt(1+{u}^2))"},
    {OpAcoth, "{du}/(1-{u}^2)"},
};

// The power rule by what is constant: numeric exponent, constant exponent, constant base, general.
constexpr const char* kPowerNumericExponent = "({n})*{u}^({n-1})*{du}";
constexpr const char* kPowerConstantExponent = "{v}*{u}^({v}-1)*{du}";
constexpr const char* kPowerConstantBase = "ln({u})*{u}^{v}*{dv}";
constexpr const char* kPowerGeneral = "{u}^{v}*(ln({u})*{dv}+{v}*{du}/{u})";

const char* FindTemplate(int opId)
{
    for (const DerivativeTemplate& row : kTemplates)
        if (row.opId == opId)
            return row.text;
    return nullptr;
}

struct TemplateFill {
    CString u, du, v, dv, op, n, n1;
};

CString FillTemplate(std::string_view text, const TemplateFill& fill)
{
    CString result;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '{') {
            const size_t close = text.find('}', i);
            const std::string_view key = text.substr(i + 1, close - i - 1);
            if (key == "u")
                result += fill.u;
            else if (key == "du")
                result += fill.du;
            else if (key == "v")
                result += fill.v;
            else if (key == "dv")
                result += fill.dv;
            else if (key == "op")
                result += fill.op;
            else if (key == "n")
                result += fill.n;
            else if (key == "n-1")
                result += fill.n1;
            i = close + 1;
        } else {
            result += text[i++];
        }
    }
    return result;
}

CString Bracket(const CString& text) { return "(" + text + ")"; }

bool IsBinaryOperatorId(int opId) { return opId >= OpAdd && opId <= OpPower; }

// The node becomes a parsed number leaf with this value.
void MakeNumber(CExprNode& node, double value)
{
    delete node.m_pLeft;
    delete node.m_pRight;
    node.m_pLeft = node.m_pRight = nullptr;
    node.m_nKind = NodeNumber;
    node.m_dValue = value;
    node.m_nOpId = OpNone;
    node.m_nIndex = 0;
    node.m_strName.Empty();
    node.m_strSource = FormatSignificant15(value);
    node.m_bParsed = 1;
    node.m_nErrorCode = 0;
}

// The printed operand and the printed derivative of a copy of it, each bracketed.
int DeriveOperandText(const CExprNode& operand, CString& text, CString& derivative)
{
    text = Bracket(operand.Print(nullptr, true));
    CExprNode copy;
    copy.CopyFrom(operand);
    const int code = copy.Derive();
    if (code != 0)
        return code;
    derivative = Bracket(copy.Print(nullptr, true));
    return 0;
}

const char* ChoosePowerTemplate(const CExprNode& base, const CExprNode& exponent,
                                TemplateFill& fill, int& code)
{
    code = 0;
    if (exponent.IsNumericConstant()) {
        CExprNode copy;
        copy.CopyFrom(exponent);
        double n = 0;
        code = copy.Evaluate(n);
        fill.n = FormatSignificant15(n);
        fill.n1 = FormatSignificant15(n - 1);
        return kPowerNumericExponent;
    }
    if (exponent.IsConstant())
        return kPowerConstantExponent;
    if (base.IsConstant())
        return kPowerConstantBase;
    return kPowerGeneral;
}

} // namespace

bool CExprNode::IsZero() const { return m_nKind == NodeNumber && m_dValue == 0.0; }

bool CExprNode::IsOne() const { return m_nKind == NodeNumber && m_dValue == 1.0; }

bool CExprNode::IsNumericConstant() const
{
    if (m_nKind == NodeNumber)
        return true;
    // RAND has no children but is anything but constant.
    if (m_nKind != NodeOperator || m_nOpId == OpRand)
        return false;
    return (!m_pLeft || m_pLeft->IsNumericConstant()) &&
           (!m_pRight || m_pRight->IsNumericConstant());
}

bool CExprNode::IsConstant() const
{
    switch (m_nKind) {
    case NodeSymbol:
    case NodeNumber:
    case NodePredefined:
    case NodeUserConstant:
        return true;
    case NodeIndependent:
        // Only the variable of differentiation (slot 0) varies.
        return m_nIndex != 0;
    case NodeOperator:
        if (m_nOpId == OpRand)
            return false;
        return (!m_pLeft || m_pLeft->IsConstant()) && (!m_pRight || m_pRight->IsConstant());
    default:
        return false;
    }
}

int CExprNode::Derive()
{
    m_nErrorCode = 0;
    errno = 0;
    switch (m_nKind) {
    case NodeSymbol:
    case NodeNumber:
    case NodePredefined:
    case NodeUserConstant:
        MakeNumber(*this, 0.0);
        return 0;
    case NodeIndependent:
        MakeNumber(*this, m_nIndex == 0 ? 1.0 : 0.0);
        return 0;
    case NodeOperator: {
        const int code = DeriveOperator();
        if (code == 0)
            Simplify();
        return code;
    }
    default:
        return ErrInvalidFunction;
    }
}

int CExprNode::DeriveOperator()
{
    const bool isPower = m_nOpId == OpPower;
    const char* pattern = isPower ? nullptr : FindTemplate(m_nOpId);
    if ((!isPower && !pattern) || !m_pLeft || ((IsBinaryOperatorId(m_nOpId)) && !m_pRight))
        return ErrInvalidFunction;

    TemplateFill fill;
    int code = DeriveOperandText(*m_pLeft, fill.u, fill.du);
    if (code == 0 && IsBinaryOperatorId(m_nOpId))
        code = DeriveOperandText(*m_pRight, fill.v, fill.dv);
    if (code != 0)
        return code;
    fill.op = m_strName;
    if (isPower) {
        pattern = ChoosePowerTemplate(*m_pLeft, *m_pRight, fill, code);
        if (code != 0)
            return code;
    }

    CExprNode derivative;
    derivative.SetOwner(m_pOwner);
    derivative.SetSource(FillTemplate(pattern, fill));
    code = derivative.Parse();
    if (code != 0)
        return code;
    CopyFrom(derivative);
    return 0;
}

void CExprNode::Simplify()
{
    if (m_pLeft)
        m_pLeft->Simplify();
    if (m_pRight)
        m_pRight->Simplify();
    if (m_nKind != NodeOperator || !m_pLeft || !m_pRight)
        return;

    if (IsNumericConstant()) {
        double value = 0;
        if (Evaluate(value) == 0) {
            MakeNumber(*this, value);
            return;
        }
        // A constant that does not evaluate (1/0) stays as written.
        m_nErrorCode = 0;
        errno = 0;
    }
    switch (m_nOpId) {
    case OpMultiply:
        if (m_pLeft->IsZero() || m_pRight->IsZero())
            MakeNumber(*this, 0.0);
        else if (m_pLeft->IsOne())
            ReplaceWith(m_pRight);
        else if (m_pRight->IsOne())
            ReplaceWith(m_pLeft);
        break;
    case OpDivide:
    case OpPower:
        if (m_pRight->IsOne())
            ReplaceWith(m_pLeft);
        break;
    case OpAdd:
        if (m_pLeft->IsZero() && m_pRight->IsZero())
            MakeNumber(*this, 0.0);
        else if (m_pLeft->IsZero())
            ReplaceWith(m_pRight);
        else if (m_pRight->IsZero())
            ReplaceWith(m_pLeft);
        break;
    case OpSubtract:
        if (m_pRight->IsZero())
            ReplaceWith(m_pLeft);
        break;
    default:
        break;
    }
}
