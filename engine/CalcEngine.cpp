#include "engine/CalcEngine.h"

#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"

#include <cerrno>
#include <cmath>

CCalcEngine::CCalcEngine()
{
    m_Root.SetOwner(this);
    m_ResultFormat.m_nMode = FormatModeGeneral;
    m_ResultFormat.SetDecimals(5);
    m_SolverFormat.m_nMode = FormatModeNumber;
    m_SolverFormat.SetDecimals(5);
}

CCalcEngine::~CCalcEngine() = default;

void CCalcEngine::SetExpression(const CString& text) { m_Root.SetSource(text); }

int CCalcEngine::Parse()
{
    m_nOneShotBase = -1;
    m_bUsesUserFunction = 0;
    m_Root.m_ExpansionPath.RemoveAll();
    return m_Root.Parse();
}

int CCalcEngine::ParseLenient()
{
    m_bLenient = 1;
    m_bUserFunctionsOn = 0;
    m_bIndependentOn = 0;
    return Parse();
}

void CCalcEngine::RaiseOneShotBase(int base)
{
    if (base > m_nOneShotBase)
        m_nOneShotBase = base;
}

void CCalcEngine::ClearTables()
{
    m_Variables.clear();
    m_ExprVariables.clear();
}

CString CCalcEngine::FormatResultInBase()
{
    const double value = m_Root.m_dValue;
    const int base = m_nOneShotBase >= 0 ? m_nOneShotBase : m_nNumberBase;
    if (base == 10) {
        CString text = FormatNumber(value);
        return m_nNumberBase != 10 ? CString("0D") + text : text;
    }
    // Outside 32 bits (or NaN) a base text would be a wrapped, meaningless number.
    if (!(value > -2147483649.0 && value < 2147483648.0) || base < 2 || base > 36) {
        m_Root.m_nErrorCode = ErrRange;
        return GetErrorText(ErrRange);
    }
    const int v = int(value);
    CString text;
    if (base == 16)
        text = "0x";
    else if (base == 8)
        text = "0o";
    else if (base == 2)
        text = "0b";
    text += numtext::IntegerInBase(v, base);
    text.MakeUpper();
    if (std::fabs(value - v) > 1e-15)
        text += CString("  (Warning: truncated from decimal number ") +
                numtext::General(value, 6, GetLocaleSeparators().chDecimal, true) + ")";
    return text;
}
