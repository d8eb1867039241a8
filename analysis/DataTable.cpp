#include "analysis/DataTable.h"

#include "engine/EngineErrors.h"
#include "engine/EvaluationWork.h"
#include "framework/core/CArchive.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace {

// The named columns of layouts 0, 1 and 2.
constexpr const char* kLayoutColumnNames[3][3] = {
    {"X", nullptr, nullptr},
    {"X", "Y", nullptr},
    {"X", "Y", "YSig"},
};

std::unique_ptr<CDataColumn> NewColumn(const char* name, int rows)
{
    auto column = std::make_unique<CDataColumn>();
    column->SetName(name);
    column->SetCount(rows);
    return column;
}

} // namespace

CDataTable::CDataTable() : CDataObject(DataTypeTable) {}

void CDataTable::Create(int layout, int columns, int rows)
{
    rows = std::max(rows, 0);
    if (layout >= TableLayoutX && layout <= TableLayoutXYSig) {
        m_columns.clear();
        for (const char* name : kLayoutColumnNames[layout])
            if (name)
                m_columns.push_back(NewColumn(name, rows));
    } else if (layout == TableLayoutColumns || layout == TableLayoutRagged) {
        m_columns.clear();
        for (int i = 0; i < columns; ++i)
            m_columns.push_back(NewColumn("", rows));
    }
    if (layout >= TableLayoutX && layout <= TableLayoutRagged)
        m_bAutoExtend = layout != TableLayoutColumns;
    ZeroAll();
    m_nLayout = layout;
}

void CDataTable::SetLayout(int layout)
{
    if (layout == m_nLayout)
        return;
    if (m_nLayout == TableLayoutXY && layout == TableLayoutXYSig)
        m_columns.push_back(NewColumn("Y Error", GetRowCount()));
    else if (m_nLayout == TableLayoutXYSig && layout == TableLayoutXY && m_columns.size() >= 3)
        m_columns.erase(m_columns.begin() + 2);
    m_nLayout = layout;
    m_bModified = TRUE;
}

int CDataTable::GetColumnLength(int column) const
{
    return column >= 0 && column < GetColumnCount() ? m_columns[std::size_t(column)]->GetCount()
                                                    : 0;
}

double CDataTable::GetValue(int column, int row) const
{
    return m_columns[std::size_t(column)]->GetValue(row);
}

void CDataTable::SetColumnName(int i, const CString& name)
{
    if (i >= 0 && i < GetColumnCount())
        m_columns[std::size_t(i)]->SetName(name);
}

void CDataTable::AppendColumn(const CString& name, int rows)
{
    m_columns.push_back(NewColumn(name, rows));
    m_bModified = TRUE;
}

void CDataTable::RemoveColumn(int i)
{
    if (i < 0 || i >= GetColumnCount())
        return;
    m_columns.erase(m_columns.begin() + i);
    m_bModified = TRUE;
}

int CDataTable::GetRowCount() const
{
    if (m_columns.empty())
        return 0;
    if (m_nLayout != TableLayoutRagged)
        return m_columns.front()->GetCount();
    int rows = 0;
    for (const auto& column : m_columns)
        rows = std::max(rows, column->GetCount());
    return rows;
}

void CDataTable::SetRowCount(int rows, double fill)
{
    for (auto& column : m_columns)
        column->SetCount(rows, fill);
    m_bModified = TRUE;
}

BOOL CDataTable::IsCellEditable(int column, int row) const
{
    if (!IsEditable() || column < 0 || row < 0)
        return FALSE;
    const int rows = GetRowCount();
    switch (m_nLayout) {
    case TableLayoutX:
        return column == 0 && row <= rows;
    case TableLayoutXY:
        return column < 2 && row <= rows;
    case TableLayoutXYSig:
        return column <= 2 && row <= rows;
    case TableLayoutColumns:
        return column < GetColumnCount() && row < rows;
    case TableLayoutRagged:
        return column < GetColumnCount() && row <= m_columns[std::size_t(column)]->GetCount();
    default:
        return FALSE;
    }
}

void CDataTable::SetCell(int column, int row, double value, double fill)
{
    m_bModified = TRUE;
    if (column < 0 || column >= GetColumnCount() || row < 0)
        return;
    CDataColumn& target = *m_columns[std::size_t(column)];
    if (row < target.GetCount()) {
        target.SetValue(row + 1, value);
        return;
    }
    if (row != target.GetCount() || !m_bAutoExtend)
        return;
    if (m_nLayout == TableLayoutXY || m_nLayout == TableLayoutXYSig) {
        for (auto& each : m_columns)
            if (each->GetCount() < row + 1)
                each->SetCount(row + 1, fill);
    } else {
        target.Append(0.0);
    }
    target.SetValue(row + 1, value);
}

bool CDataTable::EmptyCell(int column, int row)
{
    if (column < 0 || column >= GetColumnCount() || row < 0 || row >= GetColumnLength(column) ||
        IsEmptyCell(GetValue(column, row + 1)))
        return false;
    m_columns[std::size_t(column)]->SetValue(row + 1, kEmptyCell);
    m_bModified = TRUE;
    return true;
}

void CDataTable::InsertRow(int position, double value)
{
    if (position < 1)
        return;
    for (auto& column : m_columns) {
        if (position > column->GetCount()) {
            // A ragged column ends where its data ends: nothing is padded onto it.
            if (m_nLayout == TableLayoutRagged)
                continue;
            column->SetCount(position, value);
        } else {
            column->InsertValue(position, value);
        }
    }
    m_bModified = TRUE;
}

void CDataTable::DeleteRow(int position)
{
    for (auto& column : m_columns)
        if (position >= 1 && position <= column->GetCount())
            column->RemoveValue(position);
    m_bModified = TRUE;
}

void CDataTable::ZeroAll()
{
    for (auto& column : m_columns)
        column->Zero();
    m_bModified = TRUE;
}

void CDataTable::Copy(const CDataTable& other)
{
    if (&other == this)
        return;
    std::vector<std::unique_ptr<CDataColumn>> columns;
    for (const auto& source : other.m_columns) {
        auto column = std::make_unique<CDataColumn>();
        column->Copy(*source);
        columns.push_back(std::move(column));
    }
    m_columns.swap(columns);
    m_bModified = TRUE;
}

std::uint64_t CDataTable::DigestValues() const
{
    // FNV-1a over 64-bit words: each column's length, then its values' bits.
    std::uint64_t digest = 14695981039346656037ull;
    const auto mix = [&digest](std::uint64_t word) { digest = (digest ^ word) * 1099511628211ull; };
    for (const auto& column : m_columns) {
        mix(std::uint64_t(column->GetCount()));
        const double* values = column->GetData();
        for (int i = 1; i <= column->GetCount(); ++i) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &values[i], sizeof bits);
            mix(bits);
        }
    }
    return digest;
}

std::vector<RefusedEntry> CDataTable::GetRefusedEntries() const
{
    if (m_refusals.empty() || DigestValues() != m_refusalDigest)
        return {};
    return m_refusals;
}

void CDataTable::BeginCellEdits()
{
    if (!m_refusals.empty() && DigestValues() != m_refusalDigest)
        m_refusals.clear();
}

void CDataTable::KeepRefusal(const RefusedEntry& entry)
{
    ForgetRefusal(entry.column, entry.row);
    m_refusals.push_back(entry);
}

void CDataTable::ForgetRefusal(int column, int row)
{
    std::erase_if(m_refusals, [column, row](const RefusedEntry& entry) {
        return entry.column == column && entry.row == row;
    });
}

void CDataTable::EndCellEdits()
{
    if (!m_refusals.empty())
        m_refusalDigest = DigestValues();
}

void CDataTable::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteBase(ar);
        ar << std::int32_t(m_nLayout) << std::int32_t(m_columns.size());
        for (auto& column : m_columns)
            column->Serialize(ar);
        return;
    }
    const StoredBase base = ReadBase(ar);
    std::int32_t layout = 0;
    ar >> layout;
    // A stored column takes at least its name, type, flag and element count: 1 + 4 + 4 + 2.
    const int count = ar.ReadCollectionCount(11);
    std::vector<std::unique_ptr<CDataColumn>> columns;
    for (int i = 0; i < count; ++i) {
        auto column = std::make_unique<CDataColumn>();
        column->Serialize(ar);
        columns.push_back(std::move(column));
    }
    TakeBase(base);
    m_nLayout = layout;
    m_columns.swap(columns);
    // The switch is not stored: a loaded table always grows.
    m_bAutoExtend = TRUE;
    m_bModified = FALSE;
}

int CDataTable::ComputeStatistics()
{
    int code = 0;
    for (auto& column : m_columns)
        code = column->ComputeStatistics();
    return code;
}

int CDataTable::ApplyExpression(CCalcEngine& engine)
{
    const CommandWork command; // one budget in time for every column
    std::vector<std::vector<double>> results(m_columns.size());
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (const int code = m_columns[i]->EvaluateInto(engine, results[i]))
            return code;
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i]->GetCount() > 0)
            m_columns[i]->TakeValues(results[i]);
    m_bModified = TRUE;
    return 0;
}

int CDataTable::Sort(int order, int key)
{
    if (m_columns.size() == 1)
        return m_columns.front()->Sort(order, key);
    if (key < 0 || key >= GetColumnCount())
        return ErrInvalidData;
    const int n = m_columns[std::size_t(key)]->GetCount();
    for (const auto& column : m_columns)
        if (column->GetCount() != n)
            return ErrInvalidData;
    try {
        const std::vector<int> rows =
            SortedRowOrder(m_columns[std::size_t(key)]->GetData() + 1, n, order);
        std::vector<std::vector<double>> sorted(m_columns.size(),
                                                std::vector<double>(std::size_t(n) + 1, 0.0));
        for (std::size_t c = 0; c < m_columns.size(); ++c)
            for (int i = 0; i < n; ++i)
                sorted[c][std::size_t(i) + 1] = m_columns[c]->GetValue(rows[std::size_t(i)] + 1);
        for (std::size_t c = 0; c < m_columns.size(); ++c)
            m_columns[c]->TakeValues(sorted[c]);
    } catch (const std::bad_alloc&) {
        return ErrOutOfMemory;
    }
    m_bModified = TRUE;
    return 0;
}

std::vector<double> CountedValues(const CDataTable& table, int column, bool bPaired)
{
    std::vector<double> values(1, 0.0);
    const int layout = table.GetLayout();
    const bool bPoints = layout == TableLayoutXY || layout == TableLayoutXYSig;
    if (bPoints || (bPaired && layout != TableLayoutRagged && table.GetColumnCount() >= 2)) {
        for (const int row : TablePointRows(table))
            values.push_back(table.GetValue(column, row));
        return values;
    }
    const CDataColumn& cells = *table.GetColumn(column);
    for (int i = 1; i <= cells.GetCount(); ++i)
        if (!IsEmptyCell(cells.GetValue(i)))
            values.push_back(cells.GetValue(i));
    return values;
}
