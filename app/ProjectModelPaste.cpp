// Pasted, dropped and emptied cells of the selected table, list or matrix. Only the cells the
// paste changed are read, so every other value keeps its exact double.
#include "app/ProjectModel.h"

#include "analysis/DataDialogRules.h"
#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <functional>

namespace {

constexpr int kYes = 6;

// The last row and column holding a pasted text, and how many texts were no number.
struct PasteReader {
    PasteReader(const PastedCells& cells, BOOL bIntoTable) : bTable(bIntoTable)
    {
        for (const PastedCell& cell : cells) {
            if (cell.text.IsEmpty())
                continue;
            maxRow = std::max(maxRow, cell.row);
            maxColumn = std::max(maxColumn, cell.column);
        }
    }
    // The text as a number. Another text reads as 0 in a list or matrix and leaves a table's
    // cell empty, as a refused entry does; it counts as no number unless it is empty or a
    // refusal's message (the copy of a cell without a value).
    double Read(const CString& text)
    {
        CString trimmed = text;
        trimmed.Trim();
        double value = 0;
        if (numtext::ScanDecimal(trimmed.View(), GetLocaleSeparators().chDecimal, value))
            return value;
        if (!trimmed.IsEmpty() && trimmed[0] != '#')
            ++notNumbers;
        return bTable ? kEmptyCell : 0.0;
    }
    BOOL bTable;
    int maxRow = 0;
    int maxColumn = 0;
    int notNumbers = 0;
};

// The rows of a table's column that the paste reaches, or 0.
int LastPastedRow(const PastedCells& cells, int column)
{
    int last = 0;
    for (const PastedCell& cell : cells)
        if (cell.column == column && !cell.text.IsEmpty())
            last = std::max(last, cell.row);
    return last;
}

BOOL PasteIntoTable(CDataTable& table, const PastedCells& cells, PasteReader& reader,
                    IProjectPrompts& prompts)
{
    if (!table.IsEditable())
        return FALSE;
    table.BeginCellEdits();
    const int columns = table.GetColumnCount();
    if (reader.maxColumn > columns)
        prompts.ShowMessage("The pasted data has more columns than the current data table.  The "
                            "extra data columns will be ignored.");
    // Cells that the growth makes and no field fills hold nothing the user gave.
    if (table.GetLayout() == TableLayoutRagged) {
        // Each column ends at its own last row: none is padded to the longest.
        for (int c = 0; c < columns; ++c) {
            CDataColumn& column = *table.GetColumn(c);
            column.SetCount(std::max(column.GetCount(), LastPastedRow(cells, c + 1)), kEmptyCell);
        }
    } else {
        int rows = table.GetRowCount();
        for (int c = 1; c <= columns; ++c)
            rows = std::max(rows, LastPastedRow(cells, c));
        if (rows > table.GetRowCount())
            table.SetRowCount(rows, kEmptyCell);
    }
    // An empty field empties its cell, as the copied cell was; past the table it adds nothing.
    for (const PastedCell& cell : cells) {
        if (cell.column <= columns && cell.row <= table.GetColumnLength(cell.column - 1))
            table.GetColumn(cell.column - 1)->SetValue(cell.row, reader.Read(cell.text));
        table.ForgetRefusal(cell.column - 1, cell.row - 1);
    }
    table.EndCellEdits();
    return TRUE;
}

BOOL PasteIntoList(CDataColumn& list, const PastedCells& cells, PasteReader& reader,
                   IProjectPrompts& prompts)
{
    if (reader.maxColumn > 1)
        prompts.ShowMessage("The pasted data has more than one columns.  The extra data columns "
                            "will be ignored.");
    list.SetCount(std::max(list.GetCount(), LastPastedRow(cells, 1)));
    for (const PastedCell& cell : cells)
        if (cell.column == 1 && !cell.text.IsEmpty())
            list.SetValue(cell.row, reader.Read(cell.text));
    return TRUE;
}

BOOL PasteIntoMatrix(CMatrixObject& matrix, const PastedCells& cells, PasteReader& reader,
                     IProjectPrompts& prompts)
{
    const int rows = std::max(matrix.GetRowCount(), reader.maxRow);
    const int columns = std::max(matrix.GetColumnCount(), reader.maxColumn);
    if (rows > matrix.GetRowCount() || columns > matrix.GetColumnCount()) {
        if (prompts.AskQuestion("The pasted data has more rows and/or columns than the current "
                                "matrix.  Would you like to expand the matrix to accomodate the "
                                "additional data?") != kYes)
            return FALSE;
        if (static_cast<long long>(rows) * columns > kMaxMatrixElements) {
            prompts.ShowMessage(kMatrixTooLargeText);
            return FALSE;
        }
        if (const int code = matrix.Resize(rows, columns, TRUE)) {
            prompts.ShowMessage(GetErrorText(code));
            return FALSE;
        }
    }
    for (const PastedCell& cell : cells)
        if (cell.row <= matrix.GetRowCount() && cell.column <= matrix.GetColumnCount() &&
            !cell.text.IsEmpty())
            matrix.SetAt(cell.row, cell.column, reader.Read(cell.text));
    return TRUE;
}

bool EmptyTableCells(CDataTable& table, const CellAddresses& cells)
{
    table.BeginCellEdits();
    bool bChanged = false;
    for (const CellAddress& cell : cells) {
        bChanged = table.EmptyCell(cell.column - 1, cell.row - 1) || bChanged;
        table.ForgetRefusal(cell.column - 1, cell.row - 1);
    }
    table.EndCellEdits();
    return bChanged;
}

// A list has no place for an empty value: emptied values go and the later ones move up.
bool RemoveListValues(CDataColumn& list, const CellAddresses& cells)
{
    std::vector<int> rows;
    for (const CellAddress& cell : cells)
        if (cell.column == 1 && cell.row <= list.GetCount())
            rows.push_back(cell.row);
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows)
        list.RemoveValue(row);
    return !rows.empty();
}

// Nor has a matrix: an emptied element is 0.
bool ZeroMatrixElements(CMatrixObject& matrix, const CellAddresses& cells)
{
    bool bChanged = false;
    for (const CellAddress& cell : cells)
        if (cell.row <= matrix.GetRowCount() && cell.column <= matrix.GetColumnCount() &&
            matrix.GetAt(cell.row, cell.column) != 0.0) {
            matrix.SetAt(cell.row, cell.column, 0.0);
            bChanged = true;
        }
    return bChanged;
}

} // namespace

void ProjectModel::EmptyGridCells(const CellAddresses& cells)
{
    CellAddresses editable;
    for (const CellAddress& cell : cells)
        if (IsCellEditable(cell.row, cell.column))
            editable.push_back(cell);
    bool bChanged = false;
    if (CDataTable* table = GetSelectedTable())
        bChanged = EmptyTableCells(*table, editable);
    else if (CDataColumn* list = GetSelectedList())
        bChanged = RemoveListValues(*list, editable);
    else if (CMatrixObject* matrix = GetSelectedMatrix())
        bChanged = ZeroMatrixElements(*matrix, editable);
    if (bChanged) {
        m_pSelectedObject->SetModified();
        m_bModified = TRUE;
    }
    RefreshSelectedItem();
}

void ProjectModel::TakePastedCells(const PastedCells& cells)
{
    PasteReader reader(cells, GetSelectedTable() != nullptr);
    BOOL bChanged = FALSE;
    if (CDataTable* table = GetSelectedTable())
        bChanged = PasteIntoTable(*table, cells, reader, Prompts());
    else if (CDataColumn* list = GetSelectedList())
        bChanged = PasteIntoList(*list, cells, reader, Prompts());
    else if (CMatrixObject* matrix = GetSelectedMatrix())
        bChanged = PasteIntoMatrix(*matrix, cells, reader, Prompts());
    if (bChanged) {
        m_pSelectedObject->SetModified();
        m_bModified = TRUE;
        const CString stored = reader.bTable ? "left empty." : "stored as 0.";
        if (reader.notNumbers == 1)
            Prompts().ShowMessage("1 pasted field was not a number and was " + stored);
        else if (reader.notNumbers > 1)
            Prompts().ShowMessage(GridIntegerText(reader.notNumbers) +
                                  " pasted fields were not numbers and were " + stored);
    }
    // Cells pasted outside the item go, and the item shows as it now is.
    RefreshSelectedItem();
}
