#include "analysis/DataColumn.h"

#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/EngineNames.h"
#include "engine/EvaluationWork.h"
#include "framework/core/CArchive.h"
#include "numeric/Moments.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr int kFunctionSine = 5;

} // namespace

bool IsEmptyCell(double value) { return std::isnan(value); }

std::vector<int> SortedRowOrder(const double* keys, int n, int order)
{
    std::vector<int> rows(std::size_t(std::max(n, 0)));
    std::iota(rows.begin(), rows.end(), 0);
    if (order != 0 && order != 1)
        return rows;
    std::stable_sort(rows.begin(), rows.end(), [keys, order](int a, int b) {
        const double x = keys[a], y = keys[b];
        if (std::isnan(x) || std::isnan(y))
            return !std::isnan(x) && std::isnan(y);
        return order == 0 ? x < y : x > y;
    });
    return rows;
}

CDataColumn::CDataColumn() : CDataObject(DataTypeColumn), m_values(1, 0.0) { m_bModified = TRUE; }

void CDataColumn::SetCount(int n, double fill)
{
    m_values.resize(std::size_t(std::max(n, 0)) + 1, fill);
    m_bModified = TRUE;
}

void CDataColumn::Append(double value)
{
    m_values.push_back(value);
    m_bModified = TRUE;
}

void CDataColumn::RemoveValue(int i)
{
    if (i < 1 || i > GetCount())
        return;
    m_values.erase(m_values.begin() + i);
    m_bModified = TRUE;
}

void CDataColumn::InsertValue(int i, double value)
{
    if (i < 1 || i > GetCount() + 1)
        return;
    m_values.insert(m_values.begin() + i, value);
    m_bModified = TRUE;
}

void CDataColumn::Zero()
{
    std::fill(m_values.begin() + 1, m_values.end(), 0.0);
    m_bModified = TRUE;
}

double CDataColumn::GetMax() const
{
    if (GetCount() < 1)
        return 0;
    double best = NAN;
    for (int i = 1; i <= GetCount(); ++i)
        if (std::isnan(best) || m_values[std::size_t(i)] > best)
            best = m_values[std::size_t(i)];
    return best;
}

double CDataColumn::GetMin() const
{
    if (GetCount() < 1)
        return 0;
    double best = NAN;
    for (int i = 1; i <= GetCount(); ++i)
        if (std::isnan(best) || m_values[std::size_t(i)] < best)
            best = m_values[std::size_t(i)];
    return best;
}

void CDataColumn::Copy(const CDataColumn& other)
{
    if (&other == this)
        return;
    m_values = other.m_values;
    m_bModified = TRUE;
}

void CDataColumn::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteBase(ar);
        ar.WriteCount(DWORD_PTR(m_values.size()));
        ar.WriteArray(m_values.data(), m_values.size());
        return;
    }
    const StoredBase base = ReadBase(ar);
    const DWORD_PTR elements = ar.ReadCount();
    ar.CheckCount(elements, sizeof(double));
    std::vector<double> values(std::max<DWORD_PTR>(elements, 1), 0.0);
    ar.ReadArray(values.data(), elements);
    // A stored count of 0 (no element 0 either) is an empty column.
    TakeBase(base);
    m_values.swap(values);
    m_bModified = FALSE;
}

int CDataColumn::ComputeStatistics()
{
    const int n = GetCount();
    if (n < 2)
        return ErrTooFewDataPoints;
    const int saved = errno;
    ComputeMoments(m_values.data(), n, &m_dMean, &m_dAverageDeviation, &m_dStandardDeviation,
                   &m_dVariance, &m_dSkewness, &m_dKurtosis);
    errno = saved;
    m_dSum = m_values[1];
    m_dSumOfSquares = m_values[1] * m_values[1];
    m_dSpare = 0;
    for (int i = 2; i <= n; ++i) {
        const double v = m_values[std::size_t(i)];
        m_dSum += v;
        m_dSumOfSquares += v * v;
    }
    m_dMaximum = GetMax();
    m_dMinimum = GetMin();
    return 0;
}

int CDataColumn::CreateTransformed(double, int operation, CDataObject** ppOut)
{
    if (ppOut)
        *ppOut = nullptr;
    auto* pCopy = new CDataColumn;
    pCopy->Copy(*this);
    int code = 0;
    if (operation < 0 || operation > 4)
        code = pCopy->ApplyFunction(operation);
    if (code != 0 || !ppOut) {
        delete pCopy;
        return code;
    }
    *ppOut = pCopy;
    return 0;
}

int CDataColumn::ApplyFunction(int id)
{
    if (id != kFunctionSine)
        return ErrNotSupported;
    for (std::size_t i = 1; i < m_values.size(); ++i)
        m_values[i] = std::sin(m_values[i]);
    m_bModified = TRUE;
    return 0;
}

int CDataColumn::EvaluateInto(CCalcEngine& engine, std::vector<double>& out) const
{
    const CommandWork command; // one budget in time for every row
    out.assign(m_values.size(), 0.0);
    CCompiledExpression program(engine.m_Root);
    for (std::size_t i = 1; i < m_values.size(); ++i) {
        // A fill or a transform has nothing to replace in a cell without a value.
        if (IsEmptyCell(m_values[i]))
            out[i] = m_values[i];
        else if (const int code = program.EvaluateAt(m_values[i], out[i]))
            return code;
    }
    return 0;
}

void CDataColumn::TakeValues(std::vector<double>& values)
{
    m_values.swap(values);
    if (m_values.empty())
        m_values.push_back(0.0);
    m_bModified = TRUE;
}

int CDataColumn::ApplyExpression(CCalcEngine& engine)
{
    std::vector<double> values;
    if (const int code = EvaluateInto(engine, values))
        return code;
    if (GetCount() > 0)
        TakeValues(values);
    return 0;
}

int CDataColumn::Sort(int order, int)
{
    if (order != 0 && order != 1)
        return 0;
    const std::vector<int> rows = SortedRowOrder(m_values.data() + 1, GetCount(), order);
    std::vector<double> sorted(m_values.size(), 0.0);
    for (std::size_t i = 0; i < rows.size(); ++i)
        sorted[i + 1] = m_values[std::size_t(rows[i]) + 1];
    m_values.swap(sorted);
    m_bModified = TRUE;
    return 0;
}
