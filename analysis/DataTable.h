#pragma once
#include "analysis/DataColumn.h"
#include "plot/BoundTable.h"

#include <cstdint>
#include <memory>
#include <vector>

// Column layouts of a data table.
enum DataTableLayout : int {
    TableLayoutX = 0,       // one column "X"
    TableLayoutXY = 1,      // "X", "Y"
    TableLayoutXYSig = 2,   // "X", "Y", "YSig"
    TableLayoutColumns = 3, // n unnamed columns of one length
    TableLayoutRagged = 4,  // n unnamed columns of independent lengths
};

// An entry the user typed into a table's cell and the project refused: the cell shows the
// message in its place, and an edit of the cell starts from what was typed. Rows and columns
// count from 0.
struct RefusedEntry {
    int column;
    int row;
    CString typed;
    CString message;
};

// A project data table: named columns in order, a layout code and the auto-extend switch (a
// value stored in the row just past the end grows the table). Rows and columns count from 0 in
// the cell operations; InsertRow and DeleteRow take the 1-based value position. Data graphs
// read it through IBoundTable.
class CDataTable : public CDataObject, public IBoundTable {
public:
    CDataTable();

    CString GetName() const override { return m_strName; }
    int GetColumnLength(int column) const override;
    double GetValue(int column, int row) const override;
    bool HoldsValue(int column, int row) const override
    {
        return !IsEmptyCell(GetValue(column, row));
    }

    // Replaces the columns by those of a layout (codes 5 and up keep them); every value 0.
    void Create(int layout, int columns, int rows);
    // 1 -> 2 appends "Y Error", 2 -> 1 drops the third column; other changes store the code.
    void SetLayout(int layout);
    int GetLayout() const override { return m_nLayout; }
    BOOL GetAutoExtend() const { return m_bAutoExtend; }
    void SetAutoExtend(BOOL bAutoExtend) { m_bAutoExtend = bAutoExtend; }

    int GetColumnCount() const { return int(m_columns.size()); }
    CDataColumn* GetColumn(int i) { return m_columns[std::size_t(i)].get(); }
    const CDataColumn* GetColumn(int i) const { return m_columns[std::size_t(i)].get(); }
    CString GetColumnName(int i) const { return m_columns[std::size_t(i)]->GetName(); }
    void SetColumnName(int i, const CString& name);
    void AppendColumn(const CString& name, int rows);
    void RemoveColumn(int i);

    // 0 without columns; the longest column in the ragged layout, else the first column's count.
    int GetRowCount() const override;
    // Every column gets that many values, new ones fill.
    void SetRowCount(int rows, double fill = 0.0);
    BOOL IsCellEditable(int column, int row) const;
    // Stores a value by the cell rules (rows below the count, or the row just past it while
    // auto-extend is on); anything else is dropped. The other cells a new row gives the
    // columns hold fill.
    void SetCell(int column, int row, double value, double fill = 0.0);
    // The cell, when the table has it, holds no value; whether it held one.
    bool EmptyCell(int column, int row);
    // A row of value at the position in every column (a ragged column only where it reaches).
    void InsertRow(int position, double value = 0.0);
    void DeleteRow(int position);
    void ZeroAll();
    // New unnamed columns with the other table's values.
    void Copy(const CDataTable& other);

    // The entries refused in its cells, while they stand: any change of the table but the cell
    // edits noted below (rows inserted, deleted or sorted, a command) drops them all, so that
    // none is left on a cell whose value moved. They are never stored.
    std::vector<RefusedEntry> GetRefusedEntries() const;
    // Around the user's edits of cells: the first drops the entries that no longer stand, each
    // edited cell then keeps its refused entry or none, and the last lets the others stand on
    // the values as they are now.
    void BeginCellEdits();
    void KeepRefusal(const RefusedEntry& entry);
    void ForgetRefusal(int column, int row);
    void EndCellEdits();

    // Name, type, editable, layout, column count and each column.
    void Serialize(CArchive& ar) override;
    int ComputeStatistics() override;
    int ApplyExpression(CCalcEngine& engine) override;
    // Rows reordered by the key column; 15 when the key column is missing or the columns differ
    // in length, 33 without memory; the table changes only on success.
    int Sort(int order, int key) override;

private:
    // A digest of the columns' lengths and values, to tell whether any changed.
    std::uint64_t DigestValues() const;

    std::vector<std::unique_ptr<CDataColumn>> m_columns;
    int m_nLayout = TableLayoutXY;
    BOOL m_bAutoExtend = TRUE;
    std::vector<RefusedEntry> m_refusals;
    std::uint64_t m_refusalDigest = 0; // of the values the refusals stand on
};

// The values of column 0 or 1 that the table's statistics and comparisons count, 1-based
// (element 0 unused). In a table of x and y only its points count (TablePointRows); in the
// others each cell that holds a value, except that a comparison (bPaired) of columns of one
// length takes the rows where both hold one, so that its values pair as the rows do.
std::vector<double> CountedValues(const CDataTable& table, int column, bool bPaired);
