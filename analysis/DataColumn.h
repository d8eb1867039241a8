#pragma once
#include "analysis/DataObject.h"

#include <limits>
#include <vector>

// A table cell that holds no value (NaN): one the user has not filled or has emptied, or whose
// entry was refused. Lists and matrices hold no such cell.
inline constexpr double kEmptyCell = std::numeric_limits<double>::quiet_NaN();
bool IsEmptyCell(double value);

// A list of numbers (a project list, or a column of a data table). Values are 1-based: element 0
// is allocated and unused, so the numerical library takes the data pointer as it is.
class CDataColumn : public CDataObject {
public:
    CDataColumn();

    int GetCount() const { return int(m_values.size()) - 1; }
    // Values 1..count; element 0 is unused.
    double* GetData() { return m_values.data(); }
    const double* GetData() const { return m_values.data(); }
    double GetValue(int i) const { return m_values[std::size_t(i)]; }
    void SetValue(int i, double value)
    {
        m_values[std::size_t(i)] = value;
        m_bModified = TRUE;
    }
    // Exactly n values; new ones are fill.
    void SetCount(int n, double fill = 0.0);
    // One value more at the end.
    void Append(double value);
    // Removes value i (1..count).
    void RemoveValue(int i);
    // A value inserted before value i (1..count + 1).
    void InsertValue(int i, double value = 0.0);

    void Zero();
    // Largest and smallest value (NaN skipped); 0 for an empty column.
    double GetMax() const;
    double GetMin() const;
    // The other column's values, not its name.
    void Copy(const CDataColumn& other);

    // Element count count + 1, then every element including element 0.
    void Serialize(CArchive& ar) override;
    // Moments of values 1..count, then maximum, minimum, sum and sum of squares; 52 below two.
    int ComputeStatistics() override;
    // Operations 0 to 4 give an unchanged copy; any other runs ApplyFunction on the copy.
    int CreateTransformed(double argument, int operation, CDataObject** ppOut) override;
    // Id 5 replaces every value by its sine (radians); any other id is 41.
    int ApplyFunction(int id) override;
    int ApplyExpression(CCalcEngine& engine) override;
    // Order 0 ascending, 1 descending (NaN last, stable); other orders change nothing.
    int Sort(int order, int key) override;
    // The values with x = each value and the engine's expression evaluated, into out (an empty
    // cell stays empty); 0 or the first failing code (out is then incomplete and must be
    // dropped).
    int EvaluateInto(CCalcEngine& engine, std::vector<double>& out) const;
    // Replaces the values with those of a vector of the same layout (element 0 first).
    void TakeValues(std::vector<double>& values);

    // Statistics of the last ComputeStatistics.
    double m_dMean = 0;
    double m_dAverageDeviation = 0;
    double m_dStandardDeviation = 0;
    double m_dVariance = 0;
    double m_dSkewness = 0;
    double m_dKurtosis = 0;
    double m_dMaximum = 0;
    double m_dMinimum = 0;
    double m_dSum = 0;
    double m_dSumOfSquares = 0;
    double m_dSpare = 0;

private:
    std::vector<double> m_values;
};

// Orders rows by a key: NaN keys after all numbers in either order, equal keys in their old
// order. Returns the old row (0-based) of each new row.
std::vector<int> SortedRowOrder(const double* keys, int n, int order);
