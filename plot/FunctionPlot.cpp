#include "plot/FunctionPlot.h"

#include "engine/CalcEngine.h"
#include "engine/LocaleSeparators.h"
#include "engine/ReencodeExpression.h"
#include "framework/core/AsciiText.h"
#include "framework/core/CArchive.h"
#include "plot/AnalysisResult.h"
#include "plot/BoundTable.h"
#include "plot/TextSplit.h"

#include <algorithm>
#include <cmath>

CFunctionPlot::CFunctionPlot()
{
    m_nPenStyle = kAutomatic;
    m_crColour = kAutomaticColour;
    m_nPenWidth = kAutomatic;
}

CFunctionPlot::~CFunctionPlot() = default;

int CFunctionPlot::SetDefinition(const CString& expression, const CString& second, int form,
                                 double dMin, double dMax)
{
    SetExpression(expression);
    SetSecondExpression(second);
    SetForm(form);
    SetDomain(dMin, dMax);
    return 0;
}

void CFunctionPlot::SetExpression(const CString& text)
{
    if (m_strExpression == text)
        return;
    m_strExpression = text;
    m_bResample = m_bModified = TRUE;
}

void CFunctionPlot::SetSecondExpression(const CString& text)
{
    if (m_strSecondExpression == text)
        return;
    m_strSecondExpression = text;
    m_bResample = m_bModified = TRUE;
}

void CFunctionPlot::SetForm(int form)
{
    if (m_nForm == form)
        return;
    m_nForm = form;
    m_bResample = m_bModified = TRUE;
}

void CFunctionPlot::SetDomain(double dMin, double dMax)
{
    if (!(dMin < dMax) || !std::isfinite(dMin) || !std::isfinite(dMax))
        return;
    if (dMin == m_dDomainMin && dMax == m_dDomainMax)
        return;
    m_dDomainMin = dMin;
    m_dDomainMax = dMax;
    m_bResample = m_bModified = TRUE;
}

// The largest and smallest finite x and y of the table's points, all 0 without one: a row that
// is no point, drawn as a gap, must not stretch the ranges.
static void PointExtent(const IBoundTable& table, double& xMax, double& xMin, double& yMax,
                        double& yMin)
{
    bool found = false;
    xMax = xMin = yMax = yMin = 0;
    for (const int i : TablePointRows(table)) {
        const double x = table.GetValue(0, i), y = table.GetValue(1, i);
        if (!std::isfinite(x) || !std::isfinite(y))
            continue;
        xMax = found ? std::max(xMax, x) : x;
        xMin = found ? std::min(xMin, x) : x;
        yMax = found ? std::max(yMax, y) : y;
        yMin = found ? std::min(yMin, y) : y;
        found = true;
    }
}

void CFunctionPlot::AttachDataTable(IBoundTable* pTable)
{
    m_pTable = pTable;
    if (pTable) {
        m_strTableName = pTable->GetName();
        PointExtent(*pTable, m_dDataXMax, m_dDataXMin, m_dDataYMax, m_dDataYMin);
    }
    m_bModified = TRUE;
}

CString CFunctionPlot::GetTableName() const
{
    return m_pTable ? m_pTable->GetName() : m_strTableName;
}

char GetGraphSeparator() { return GetLocaleSeparators().chList == ',' ? ';' : ':'; }

CString CFunctionPlot::GetLabel() const { return m_strName.IsEmpty() ? BuildLabel() : m_strName; }

CString CFunctionPlot::BuildLabel() const
{
    if (m_strExpression.IsEmpty())
        return CString();
    switch (m_nForm) {
    case GraphRectangular:
        return "y = " + m_strExpression;
    case GraphPolar:
        return "r = " + m_strExpression;
    default:
        return "x = " + m_strExpression + GetGraphSeparator() + " y = " + m_strSecondExpression;
    }
}

void CFunctionPlot::CopyFrom(const CFunctionPlot& other)
{
    CPlotItem::CopyFrom(other);
    m_strExpression = other.m_strExpression;
    m_strSecondExpression = other.m_strSecondExpression;
    m_pOwner = other.m_pOwner;
    m_nForm = other.m_nForm;
    m_dDomainMin = other.m_dDomainMin;
    m_dDomainMax = other.m_dDomainMax;
    m_dSampledXMin = other.m_dSampledXMin;
    m_dSampledXMax = other.m_dSampledXMax;
    m_dSampledYMin = other.m_dSampledYMin;
    m_dSampledYMax = other.m_dSampledYMax;
    m_bResample = TRUE;
}

namespace {

// The reserved word holds a graph's own angle mode as this tag plus the mode (0 degrees,
// 1 radians, 2 gradians); 0, which every older file holds there, and any other value hold none.
constexpr DWORD kAngleModeTag = 0x414E0000;
constexpr DWORD kAngleModeMask = 0xFFFF0000;

} // namespace

void CFunctionPlot::SetOwnAngleMode(int mode)
{
    const DWORD word = mode == kEngineAngleMode ? 0
                       : mode == AngleDegrees || mode == AngleRadians
                           ? kAngleModeTag | DWORD(mode)
                           : kAngleModeTag | DWORD(AngleGradians);
    if (word == m_dwReserved)
        return;
    m_dwReserved = word;
    m_bResample = m_bModified = TRUE;
}

int CFunctionPlot::GetOwnAngleMode() const
{
    const DWORD mode = m_dwReserved & ~kAngleModeMask;
    if ((m_dwReserved & kAngleModeMask) != kAngleModeTag || mode > DWORD(AngleGradians))
        return kEngineAngleMode;
    return int(mode);
}

void CFunctionPlot::SetReport(std::unique_ptr<CAnalysisResult> report)
{
    m_pReport = std::move(report);
    m_bModified = TRUE;
}

void CFunctionPlot::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CPlotItem::Serialize(ar);
        m_strTableName = m_pTable ? m_pTable->GetName() : CString();
        ar << DWORD(GetDecimalPointFlag()) << DWORD(m_nForm) << m_strExpression
           << m_strSecondExpression << m_dwReserved << m_dDomainMin << m_dDomainMax
           << m_strTableName << DWORD(m_pReport ? 1 : 0);
        if (m_pReport)
            m_pReport->Serialize(ar);
        return;
    }
    CFunctionPlot loaded;
    loaded.CPlotItem::Serialize(ar);
    DWORD flag = 0, form = 0, hasReport = 0;
    ar >> flag >> form >> loaded.m_strExpression >> loaded.m_strSecondExpression >>
        loaded.m_dwReserved >> loaded.m_dDomainMin >> loaded.m_dDomainMax >>
        loaded.m_strTableName >> hasReport;
    if (hasReport) {
        loaded.m_pReport = std::make_unique<CAnalysisResult>();
        loaded.m_pReport->Serialize(ar);
    }
    // All read: take it over.
    CPlotItem::CopyFrom(loaded);
    m_dwSpareB = loaded.m_dwSpareB;
    m_nForm = int(form);
    m_strExpression = loaded.m_strExpression.IsEmpty()
                          ? loaded.m_strExpression
                          : ReencodeExpression(loaded.m_strExpression, int(flag));
    m_strSecondExpression = loaded.m_strSecondExpression.IsEmpty()
                                ? loaded.m_strSecondExpression
                                : ReencodeExpression(loaded.m_strSecondExpression, int(flag));
    m_dwReserved = loaded.m_dwReserved;
    m_dDomainMin = loaded.m_dDomainMin;
    m_dDomainMax = loaded.m_dDomainMax;
    if (!(m_dDomainMin < m_dDomainMax) || !std::isfinite(m_dDomainMin) ||
        !std::isfinite(m_dDomainMax)) {
        m_dDomainMin = -3;
        m_dDomainMax = 3;
    }
    m_strTableName = loaded.m_strTableName;
    m_pReport = std::move(loaded.m_pReport);
    m_pTable = nullptr;
    m_bResample = m_bRemap = TRUE;
}

// ---- definition text -------------------------------------------------------------------

static bool IsName(const CString& name, char lower)
{
    return name.GetLength() == 1 && ascii::ToLower(name[0]) == lower;
}

BOOL ParseGraphDefinition(const CString& text, CString& expression, CString& second, int& form,
                          char separator)
{
    CString left, right;
    if (!SplitAtCharOutsideBrackets(text, separator, left, right)) {
        CString name, body;
        if (!SplitAtChar(text, '=', name, body)) {
            expression = name;
            second.Empty();
            form = GraphRectangular;
            return TRUE;
        }
        if (name.IsEmpty() || body.IsEmpty())
            return FALSE;
        expression = body;
        second.Empty();
        if (IsName(name, 'y'))
            form = GraphRectangular;
        else if (IsName(name, 'r'))
            form = GraphPolar;
        return TRUE;
    }
    CString name1, body1, name2, body2;
    if (left.IsEmpty() || right.IsEmpty() || !SplitAtChar(left, '=', name1, body1) ||
        !SplitAtChar(right, '=', name2, body2))
        return FALSE;
    if (name1.IsEmpty() || body1.IsEmpty() || name2.IsEmpty() || body2.IsEmpty())
        return FALSE;
    if (!IsName(name1, 'x') || !IsName(name2, 'y'))
        return FALSE;
    expression = body1;
    second = body2;
    form = GraphParametric;
    return TRUE;
}
