#include "plot/PlotPages.h"

#include "framework/win/CDC.h"

IMPLEMENT_DYNAMIC(CLineStyleCombo, CComboBox)

BEGIN_MESSAGE_MAP(CLineStyleCombo, CComboBox)
ON_CONTROL_REFLECT(CBN_SELCHANGE, &CLineStyleCombo::OnSelChange)
END_MESSAGE_MAP()

CLineStyleCombo::CLineStyleCombo() { SetMode(0); }

void CLineStyleCombo::SetMode(int nMode)
{
    m_nMode = nMode;
    m_values = nMode == 0 ? std::vector<int>{PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT}
                          : std::vector<int>{1, 2, 3, 4, 5};
}

int CLineStyleCombo::RowOfValue(const std::vector<int>& values, int nValue)
{
    if (nValue == -1)
        return int(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] == nValue)
            return int(i);
    return 0;
}

void CLineStyleCombo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    ResetContent();
    // Owner-drawn rows without strings: the row's value is its item data.
    for (int value : m_values)
        SetItemData(AddString(""), DWORD_PTR(value));
    SetItemData(AddString("Automatic"), DWORD_PTR(-1));
    SetCurSel(RowOfValue(m_values, m_nValue));
}

void CLineStyleCombo::OnSelChange()
{
    const int row = GetCurSel();
    if (row >= 0 && row < int(m_values.size()))
        m_nValue = m_values[std::size_t(row)];
    else if (row == int(m_values.size()))
        m_nValue = -1;
}

void CLineStyleCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = 14;
}

void CLineStyleCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HDC hDC = lpDrawItemStruct->hDC;
    RECT rect = lpDrawItemStruct->rcItem;
    ::FillRect(hDC, &rect, ::GetSysColorBrush(COLOR_WINDOW));
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        ::DrawFocusRect(hDC, &rect);
    const int row = int(lpDrawItemStruct->itemID);
    if (row < 0)
        return;
    if (row >= int(m_values.size())) {
        ::InflateRect(&rect, -2, -2);
        ::SetTextColor(hDC, 0);
        const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
        ::DrawTextA(hDC, "Automatic", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SetBkMode(hDC, oldMode);
        return;
    }
    const int value = m_values[std::size_t(row)];
    HPEN hPen = m_nMode == 0 ? ::CreatePen(value, 1, 0) : ::CreatePen(PS_SOLID, value, 0);
    HGDIOBJ hOld = ::SelectObject(hDC, hPen);
    const int y = (rect.top + rect.bottom) / 2;
    ::MoveToEx(hDC, rect.left + 10, y, nullptr);
    ::LineTo(hDC, rect.right - 10, y);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hPen);
}
