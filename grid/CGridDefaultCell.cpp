#include "grid/CGridDefaultCell.h"

#include "framework/win/CDC.h"

IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

CGridDefaultCell::CGridDefaultCell() : m_Size(30, 10)
{
    m_nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        CGridDefaultCell::SetFont(&ncm.lfMessageFont);
}

CFont* CGridDefaultCell::GetFontObject() const
{
    return m_Font.GetSafeHandle() ? &m_Font : nullptr;
}

void CGridDefaultCell::SetFont(const LOGFONTA* plf)
{
    if (!plf)
        return;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(plf);
    CGridCell::SetFont(plf);

    // Margin and size follow the font: one blank, and 14 characters by 1.5 lines.
    HDC hScreen = ::GetDC(nullptr);
    if (!hScreen) {
        m_nMargin = 3;
        m_Size = CSize(40, 16);
        return;
    }
    HGDIOBJ hOld = ::SelectObject(hScreen, m_Font.GetSafeHandle());
    SIZE blank{}, sample{};
    ::GetTextExtentPoint32A(hScreen, " ", 1, &blank);
    ::GetTextExtentPoint32A(hScreen, " XXXXXXXXXXXX ", 14, &sample);
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(nullptr, hScreen);
    m_nMargin = UINT(blank.cx);
    m_Size = CSize(sample.cx, sample.cy * 3 / 2);
}
