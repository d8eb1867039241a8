#pragma once
#include "framework/core/CString.h"

#include <vector>

// What a data graph reads of the table it marks: its name (kept for relinking after loading),
// its layout (0 X; 1 X, Y; 2 X, Y, Y error; 3 n columns; 4 ragged), its row count and the
// values of its first two columns. The project's data table implements it.
class IBoundTable {
public:
    virtual ~IBoundTable() = default;
    virtual CString GetName() const = 0;
    virtual int GetLayout() const = 0;
    virtual int GetRowCount() const = 0;
    // Number of values in column 0 (x) or 1 (y); 0 for a column the table lacks.
    virtual int GetColumnLength(int column) const = 0;
    // Value row (1-based, 1..GetColumnLength) of column 0 or 1.
    virtual double GetValue(int column, int row) const = 0;
    // Whether that cell holds a value: the table decides what an empty cell is.
    virtual bool HoldsValue(int column, int row) const = 0;
};

// The rows of a table that are points (1-based, in order): those that both its first two
// columns reach and whose x and y each hold a value. Everything that reads a table as (x, y)
// pairs (ranges, markers, fits, statistics) counts these rows and no others.
std::vector<int> TablePointRows(const IBoundTable& table);
