#pragma once
// Where printed pages break a grid. The data rows fall into bands that fit the page height
// and, when the grid prints as on screen, the data columns into strips that fit the page
// width; page n (from 1) shows band (n - 1) / strips and strip (n - 1) % strips. Every band
// and strip holds at least one row or column, so one larger than the page gets a page of its
// own (printed clipped) and the page count stays finite whatever the sizes.
#include "grid/GridAxis.h"

#include <vector>

struct GridPageRange {
    int rowFirst = 0, rowEnd = 0; // data rows [rowFirst, rowEnd)
    int colFirst = 0, colEnd = 0; // data columns [colFirst, colEnd)
};

class CGridPageBreaks {
public:
    // Breaks the data rows against nPageHeight and, with bStrips, the data columns against
    // nPageWidth (else all columns make one strip). A grid without data rows still prints
    // one page.
    void Compute(const CGridAxis& rows, const CGridAxis& cols, int nPageHeight, int nPageWidth,
                 BOOL bStrips);
    void Clear();

    int GetPageCount() const { return GetBandCount() * GetStripCount(); }
    int GetBandCount() const { return m_bands.empty() ? 0 : int(m_bands.size()) - 1; }
    int GetStripCount() const { return m_strips.empty() ? 0 : int(m_strips.size()) - 1; }
    // The rows and columns of page nPage; FALSE for a page outside the job.
    BOOL GetPage(int nPage, GridPageRange& range) const;

private:
    // Starts of the runs of [nFirst, count) that fit nLimit, followed by the count.
    static std::vector<int> Break(const CGridAxis& axis, int nFirst, int nLimit);

    std::vector<int> m_bands;  // first row of each band, then the row count
    std::vector<int> m_strips; // first column of each strip, then the column count
};
