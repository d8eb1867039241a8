#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"

#include <vector>

class CArchive;
class CNumberFormat;

// One labelled value of a report.
struct AnalysisResultItem {
    enum Kind { kindNumber = 0, kindInteger = 1, kindText = 2 };

    CString strLabel;
    CString strText; // the value of a text item
    double dValue = 0;
    int nKind = kindNumber;
    int bIndent = 0; // the label goes four blanks in
};

// Where a report's grid rows go (the results grid implements it).
class IResultGrid {
public:
    virtual ~IResultGrid() = default;
    virtual void SetItemString(int row, int column, const CString& text) = 0;
    virtual void SetItemInt(int row, int column, int value) = 0;
};

// How lines written in one piece are coloured: as typing them colours them (each name by its
// kind), or as results, where names are plain text and only comment lines take their colour.
enum class WrittenColours { AsTyped, AsResults };

// The workspace a report is typed into (the workspace view implements it).
class IResultWorkspace {
public:
    virtual ~IResultWorkspace() = default;
    virtual void NewLineAtTextEnd() = 0;
    virtual void NewLineAtLineEnd() = 0;
    // The name-tip switches of typing; returns the previous ones.
    virtual int SetPopupOptions(int options) = 0;
    virtual void TypeText(const CString& text) = 0;
    // Lines put in one piece on a line of their own after the caret's line (or after the last
    // line), as typing them would leave them but in the colours asked for.
    virtual void WriteLines(const CString& text, BOOL bAtTextEnd, WrittenColours colours) = 0;
};

// The report of a calculation: a result text, a title and labelled values in insertion order.
// The workspace's answers, the analysis commands and the fits fill one; a 2-D graph keeps the
// report of its last analysis in the project file.
class CAnalysisResult : public CObject {
public:
    CAnalysisResult() = default;
    CAnalysisResult(const CAnalysisResult&) = default;
    CAnalysisResult& operator=(const CAnalysisResult&) = default;

    void AddNumber(const CString& label, double value, int indent = 0);
    void AddInteger(const CString& label, int value, int indent = 0);
    void AddText(const CString& label, const CString& text, int indent = 0);
    // Drops the items; text and title stay.
    void RemoveAll() { m_items.clear(); }

    void SetText(const CString& text) { m_strText = text; }
    CString GetText() const { return m_strText; }
    void SetTitle(const CString& title) { m_strTitle = title; }
    CString GetTitle() const { return m_strTitle; }
    // What the report is called: its title, else its text without the comment mark and blanks
    // ("' Comparing two lists" is called "Comparing two lists").
    CString GetHeading() const;

    int GetItemCount() const { return int(m_items.size()); }
    const AnalysisResultItem& GetItem(int i) const { return m_items[std::size_t(i)]; }

    // Kind-0 values print through this format (not owned); without one, 15 significant digits.
    void SetNumberFormat(CNumberFormat* pFormat) { m_pNumberFormat = pFormat; }
    CNumberFormat* GetNumberFormat() const { return m_pNumberFormat; }

    // The value as the grid and the workspace show it: a number through the number format, an
    // integer with "%d" (through the format when it is no 32-bit whole number), a text as is.
    CString GetValueText(const AnalysisResultItem& item) const;
    // The lines typed into the workspace: "' " and the title (the text without a title), then
    // each item on its own line. A carriage return is typed as a line break, so printing a
    // report never evaluates a workspace line.
    CString GetWorkspaceText() const;

    // The title at (row, column), then each item's label and value on the rows below.
    void FillGrid(IResultGrid& grid, int row, int column) const;
    // Puts the report on a new line after the last line or the caret's line: an answer of one
    // short line is typed without name tips, anything longer written in one piece, which
    // typing would take minutes for.
    void PrintToWorkspace(IResultWorkspace& workspace, BOOL bAtTextEnd) const;

    // Text, title, the two column widths, the item count and the items. Loading appends the
    // items to those held; a count the file cannot hold throws the archive error before
    // anything changes.
    void Serialize(CArchive& ar) override;

    int m_nColumnWidth1 = 150;
    int m_nColumnWidth2 = 150;

private:
    std::vector<AnalysisResultItem> m_items;
    CString m_strText;
    CString m_strTitle;
    CNumberFormat* m_pNumberFormat = nullptr;
};
