#include "plot/AnalysisResult.h"

#include "engine/NumberFormat.h"
#include "engine/NumberText.h"
#include "framework/core/CArchive.h"

#include <cmath>

void CAnalysisResult::AddNumber(const CString& label, double value, int indent)
{
    m_items.push_back({label, CString(), value, AnalysisResultItem::kindNumber, indent});
}

void CAnalysisResult::AddInteger(const CString& label, int value, int indent)
{
    m_items.push_back({label, CString(), double(value), AnalysisResultItem::kindInteger, indent});
}

void CAnalysisResult::AddText(const CString& label, const CString& text, int indent)
{
    m_items.push_back({label, text, 0, AnalysisResultItem::kindText, indent});
}

static bool IsWholeInt32(double v)
{
    return std::isfinite(v) && v >= -2147483648.0 && v <= 2147483647.0;
}

CString CAnalysisResult::GetValueText(const AnalysisResultItem& item) const
{
    switch (item.nKind) {
    case AnalysisResultItem::kindInteger:
        if (IsWholeInt32(item.dValue))
            return numtext::Integer(static_cast<long long>(int(item.dValue)));
        [[fallthrough]];
    case AnalysisResultItem::kindNumber: {
        if (m_pNumberFormat)
            return m_pNumberFormat->Format(item.dValue);
        CNumberFormat general;
        general.m_nMode = FormatModeGeneral;
        return general.Format(item.dValue);
    }
    case AnalysisResultItem::kindText:
        return item.strText;
    default:
        return CString();
    }
}

static CString LabelText(const AnalysisResultItem& item)
{
    return item.bIndent ? "    " + item.strLabel : item.strLabel;
}

CString CAnalysisResult::GetWorkspaceText() const
{
    CString text = m_strTitle.IsEmpty() ? m_strText : "' " + m_strTitle;
    for (const AnalysisResultItem& item : m_items)
        text += "\n" + LabelText(item) + GetValueText(item);
    text.Replace('\r', '\n');
    return text;
}

CString CAnalysisResult::GetHeading() const
{
    if (!m_strTitle.IsEmpty())
        return m_strTitle;
    CString heading = m_strText;
    heading.TrimLeft();
    if (!heading.IsEmpty() && heading[0] == '\'')
        heading.Delete(0);
    heading.Trim();
    return heading;
}

void CAnalysisResult::FillGrid(IResultGrid& grid, int row, int column) const
{
    grid.SetItemString(row, column, m_strTitle);
    for (const AnalysisResultItem& item : m_items) {
        ++row;
        grid.SetItemString(row, column, LabelText(item));
        if (item.nKind == AnalysisResultItem::kindInteger && IsWholeInt32(item.dValue))
            grid.SetItemInt(row, column + 1, int(item.dValue));
        else if (item.nKind >= AnalysisResultItem::kindNumber &&
                 item.nKind <= AnalysisResultItem::kindText)
            grid.SetItemString(row, column + 1, GetValueText(item));
    }
}

// The longest answer typed as keyed in: a number in any display base fits.
constexpr int kLongestTypedAnswer = 100;

void CAnalysisResult::PrintToWorkspace(IResultWorkspace& workspace, BOOL bAtTextEnd) const
{
    const CString text = GetWorkspaceText() + "\n";
    const int length = text.GetLength();
    if (length > kLongestTypedAnswer + 1 || text.Find('\n') < length - 1) {
        // A report's words are the program's, not names the user typed; an answer is typed.
        workspace.WriteLines(text, bAtTextEnd,
                             m_items.empty() ? WrittenColours::AsTyped : WrittenColours::AsResults);
        return;
    }
    if (bAtTextEnd)
        workspace.NewLineAtTextEnd();
    else
        workspace.NewLineAtLineEnd();
    const int options = workspace.SetPopupOptions(0);
    workspace.TypeText(text);
    workspace.SetPopupOptions(options);
}

// kind, label (at least its length byte), text, value, indent
constexpr ULONGLONG kStoredItemMinBytes = 4 + 1 + 1 + 8 + 4;

void CAnalysisResult::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strText << m_strTitle << m_nColumnWidth1 << m_nColumnWidth2 << int(m_items.size());
        for (const AnalysisResultItem& item : m_items)
            ar << item.nKind << item.strLabel << item.strText << item.dValue << item.bIndent;
        return;
    }
    CAnalysisResult loaded;
    int count = 0;
    ar >> loaded.m_strText >> loaded.m_strTitle >> loaded.m_nColumnWidth1 >>
        loaded.m_nColumnWidth2 >> count;
    if (count < 0)
        throw CArchiveException(CArchiveException::genericException);
    ar.CheckCount(ULONGLONG(count), kStoredItemMinBytes);
    loaded.m_items.resize(std::size_t(count));
    for (AnalysisResultItem& item : loaded.m_items)
        ar >> item.nKind >> item.strLabel >> item.strText >> item.dValue >> item.bIndent;
    m_strText = loaded.m_strText;
    m_strTitle = loaded.m_strTitle;
    m_nColumnWidth1 = loaded.m_nColumnWidth1;
    m_nColumnWidth2 = loaded.m_nColumnWidth2;
    m_items.insert(m_items.end(), loaded.m_items.begin(), loaded.m_items.end());
}
