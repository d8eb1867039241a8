// How an owner-drawn menu item looks: its size and its drawing.
#include "framework/win/CDC.h"
#include "framework/win/CImageList.h"
#include "ui/MenuTemplate.h"
#include "ui/OwnerDrawMenu.h"
#include "ui/SystemFonts.h"

#include <algorithm>
#include <vector>

namespace {

// The check mark's columns: how far below the mark's top each 3-pixel stroke starts.
constexpr int kCheckMarkTops[7] = {2, 3, 4, 3, 2, 1, 0};

} // namespace

void COwnerDrawMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    const CMenuItemData* pRecord = CMenuItemData::FromItemData(lpMeasureItemStruct->itemData);
    if (!pRecord)
        return;
    if (pRecord->m_nFlags & MF_SEPARATOR) {
        lpMeasureItemStruct->itemWidth = 0;
        lpMeasureItemStruct->itemHeight = UINT(::GetSystemMetrics(SM_CYMENU) / 2);
        return;
    }
    CFont font;
    CreateSystemFont(font, SystemFont::Menu);
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = IsNewShell() ? ::SelectObject(hDC, font.m_hObject) : nullptr;
    int cxText = 0;
    if (GetMenuStyle() == 0) {
        // The oldest menus measure with room to spare: three more average characters.
        const CString text = pRecord->GetAnsiText();
        CRect rect(0, 0, 0, 0);
        ::DrawTextA(hDC, text, text.GetLength(), &rect, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT);
        const int nChars = text.GetLength();
        cxText = rect.Width() + 3 + (nChars > 0 ? 3 * (rect.Width() / nChars) : 0);
    } else {
        SIZE size = {0, 0};
        ::GetTextExtentPoint32W(hDC, pRecord->m_strText.c_str(), int(pRecord->m_strText.size()),
                                &size);
        cxText = size.cx;
    }
    if (hOld)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    lpMeasureItemStruct->itemWidth = UINT(cxText + 2 * m_sizeImage.cx + 1);
    lpMeasureItemStruct->itemHeight =
        UINT(std::max(::GetSystemMetrics(SM_CYMENU), int(m_sizeImage.cy) + 4));
}

void COwnerDrawMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const CMenuItemData* pRecord = CMenuItemData::FromItemData(lpDrawItemStruct->itemData);
    if (!pRecord)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rectItem = lpDrawItemStruct->rcItem;
    const UINT nState = lpDrawItemStruct->itemState;
    if (pRecord->m_nFlags & MF_SEPARATOR) {
        CRect rect = rectItem;
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_MENU));
        rect.top += rect.Height() / 2;
        pDC->DrawEdge(&rect, EDGE_ETCHED, BF_TOP);
        return;
    }
    const int cxImage = m_sizeImage.cx, cyImage = m_sizeImage.cy;
    const BOOL bSelected = (nState & ODS_SELECTED) != 0;
    const BOOL bGrayed = (nState & ODS_GRAYED) != 0;
    const BOOL bChecked = (nState & ODS_CHECKED) != 0;
    const int dy = std::max(0, (rectItem.Height() - cyImage - 4) / 2);
    const CRect rectBox(rectItem.left + 1, rectItem.top + dy + 1, rectItem.left + cxImage + 3,
                        rectItem.top + dy + cyImage + 3);
    const BOOL bImage = pRecord->GetImageList() && pRecord->m_nImageIndex >= 0;

    // Background: a selected item keeps its image column in the menu colour.
    const COLORREF clrMenu = ::GetSysColor(COLOR_MENU);
    pDC->FillSolidRect(&rectItem, clrMenu);
    if (bSelected) {
        CRect rectHighlight = rectItem;
        if (bImage || bChecked)
            rectHighlight.left += cxImage + 5;
        pDC->FillSolidRect(&rectHighlight, ::GetSysColor(COLOR_HIGHLIGHT));
    }
    if (bImage)
        DrawImage(pDC, pRecord, rectBox, nState);
    else if (bChecked)
        DrawCheck(pDC, pRecord, rectBox, nState);

    // Text: the label left, the accelerator (after a tab) right.
    CRect rectText(rectItem.left + cxImage + 9, rectItem.top, rectItem.right, rectItem.bottom);
    const std::size_t tab = pRecord->m_strText.find(L'\t');
    const std::wstring label = pRecord->m_strText.substr(0, tab);
    const std::wstring accel =
        tab == std::wstring::npos ? std::wstring() : pRecord->m_strText.substr(tab + 1);
    if (!accel.empty())
        rectText.right -= cxImage;
    CFont font;
    CreateSystemFont(font, SystemFont::Menu);
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    auto drawBoth = [&](const CRect& rect) {
        DrawItemText(pDC, label, rect, DT_LEFT);
        if (!accel.empty())
            DrawItemText(pDC, accel, rect, DT_RIGHT);
    };
    if (!bGrayed) {
        pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        drawBoth(rectText);
    } else {
        if (!bSelected) { // engraved: a highlight one pixel down and right first
            CRect rectShadow = rectText;
            rectShadow.OffsetRect(1, 1);
            pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
            drawBoth(rectShadow);
        }
        pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
        drawBoth(rectText);
    }
    pDC->SelectObject(pOldFont);
}

// Each character goes where measuring puts it, and the underline under the same extent:
// DrawText places its underline by measuring while the glyphs advance by their own widths, and
// in a font where the two differ (Wine's Tahoma at menu sizes draws narrower than it measures)
// the underline drifts right of its letter the further in it is.
void COwnerDrawMenu::DrawItemText(CDC* pDC, const std::wstring& text, CRect rect, UINT nAlign)
{
    if (!IsNewShell()) {
        pDC->DrawText(CMenuItemData::ToAnsi(text), &rect, nAlign | DT_SINGLELINE | DT_VCENTER);
        return;
    }
    std::u16string shown;
    const int nMnemonic = StripMnemonic(std::u16string(text.begin(), text.end()), shown);
    const int nChars = int(shown.size());
    if (nChars == 0)
        return;
    const auto* pszShown = reinterpret_cast<LPCWSTR>(shown.c_str());
    std::vector<int> ends(shown.size()); // where each character ends, from the text's start
    SIZE size = {0, 0};
    ::GetTextExtentExPointW(pDC->m_hDC, pszShown, nChars, 0, nullptr, ends.data(), &size);
    std::vector<int> advances(ends.size());
    for (int i = 0; i < nChars; ++i)
        advances[std::size_t(i)] = ends[std::size_t(i)] - (i > 0 ? ends[std::size_t(i) - 1] : 0);
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(pDC->m_hDC, &tm);
    const int x = nAlign & DT_RIGHT ? rect.right - ends.back() : rect.left;
    const int y = rect.top + (rect.Height() - tm.tmHeight) / 2;
    ::ExtTextOutW(pDC->m_hDC, x, y, ETO_CLIPPED, &rect, pszShown, UINT(nChars), advances.data());
    if (nMnemonic < 0)
        return;
    // One pixel under the baseline, as wide as the letter's advance less one.
    const std::size_t m = std::size_t(nMnemonic);
    CRect line(x + (m > 0 ? ends[m - 1] : 0), y + tm.tmAscent + 1, x + ends[m] - 1,
               y + tm.tmAscent + 2);
    if (line.IntersectRect(&line, &rect))
        pDC->FillSolidRect(&line, pDC->GetTextColor());
}

void COwnerDrawMenu::DrawImage(CDC* pDC, const CMenuItemData* pRecord, const CRect& rectBox,
                               UINT nState)
{
    CImageList* pImages = pRecord->GetImageList();
    const COLORREF clrHilite = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    const CPoint ptImage(rectBox.left + 1, rectBox.top + 1);
    if (!(nState & ODS_GRAYED)) {
        const BOOL bChecked = (nState & ODS_CHECKED) != 0;
        if (nState & ODS_SELECTED) {
            if (IsNewShell())
                pDC->Draw3dRect(&rectBox, bChecked ? clrShadow : clrHilite,
                                bChecked ? clrHilite : clrShadow);
        } else if (bChecked) {
            pDC->FillSolidRect(&rectBox, ::GetSysColor(COLOR_3DLIGHT));
            if (IsNewShell())
                pDC->Draw3dRect(&rectBox, clrShadow, clrHilite);
        } else {
            pDC->FillSolidRect(&rectBox, ::GetSysColor(COLOR_MENU));
        }
        pImages->Draw(pDC, pRecord->m_nImageIndex, ptImage, ILD_TRANSPARENT);
        return;
    }
    // Disabled: the image's outline embossed, a highlight copy under a shadow one.
    const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
    pDC->FillSolidRect(&rectBox, ::GetSysColor(IsNewShell() ? COLOR_BTNFACE : COLOR_MENU));
    CDC dcColour, dcMono;
    dcColour.CreateCompatibleDC(pDC);
    dcMono.CreateCompatibleDC(pDC);
    CBitmap bmColour, bmMono;
    bmColour.CreateCompatibleBitmap(pDC, cx, cy);
    bmMono.CreateBitmap(cx, cy, 1, 1, nullptr);
    CBitmap* pOldColour = dcColour.SelectObject(&bmColour);
    CBitmap* pOldMono = dcMono.SelectObject(&bmMono);
    dcColour.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
    pImages->Draw(&dcColour, pRecord->m_nImageIndex, CPoint(0, 0), ILD_TRANSPARENT);
    dcColour.SetBkColor(RGB(255, 255, 255)); // white becomes 1: left alone below
    dcMono.BitBlt(0, 0, cx, cy, &dcColour, 0, 0, SRCCOPY);
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    constexpr DWORD kBrushWhereMaskIsZero = 0x00B8074A; // PSDPxax
    for (int pass = 0; pass < 2; ++pass) {
        CBrush brush(pass == 0 ? clrHilite : clrShadow);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        const int offset = pass == 0 ? 1 : 0;
        pDC->BitBlt(ptImage.x + offset, ptImage.y + offset, cx, cy, &dcMono, 0, 0,
                    kBrushWhereMaskIsZero);
        pDC->SelectObject(pOldBrush);
    }
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
    dcColour.SelectObject(pOldColour);
    dcMono.SelectObject(pOldMono);
}

void COwnerDrawMenu::DrawCheck(CDC* pDC, const CMenuItemData* pRecord, CRect rectBox, UINT nState)
{
    rectBox.right -= 2; // a drawn mark's box is two pixels narrower and one taller
    rectBox.bottom -= 1;
    const BOOL bSelected = (nState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(&rectBox,
                       ::GetSysColor(bSelected || !IsNewShell() ? COLOR_MENU : COLOR_3DLIGHT));
    if (IsNewShell())
        pDC->DrawEdge(&rectBox, BDR_SUNKENOUTER, BF_RECT);
    const COLORREF clrMark = ::GetSysColor(COLOR_MENUTEXT);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    const BOOL bRadio = ::GetMenuItemInfoA(m_hMenu, UINT(pRecord->m_nID), FALSE, &info) &&
                        (info.fType & MFT_RADIOCHECK);
    if (bRadio) {
        CBrush brush(clrMark);
        CPen pen(PS_SOLID, 1, clrMark);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->Ellipse(rectBox.left + 5, rectBox.top + 4, rectBox.left + 11, rectBox.top + 10);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
        return;
    }
    for (int column = 0; column < 7; ++column)
        pDC->FillSolidRect(rectBox.left + 4 + column, rectBox.top + 4 + kCheckMarkTops[column], 1,
                           3, clrMark);
}
