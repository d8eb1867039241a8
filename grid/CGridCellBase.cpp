#include "grid/CGridCellBase.h"

#include "framework/win/CDC.h"
#include "framework/win/CImageList.h"
#include "grid/CGridCtrl.h"
#include "grid/GridPrintColours.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CGridCellBase, CObject)

namespace {

// Selected cells are always filled with this colour, whatever the system highlight is.
constexpr COLORREF kSelectionColour = RGB(165, 165, 210);

void FillGrown(CDC* pDC, const CRect& rect, COLORREF colour)
{
    CRect fill = rect;
    fill.right++;
    fill.bottom++;
    pDC->FillSolidRect(fill, colour);
}

BOOL IsVerticalFont(const LOGFONTA* plf, BOOL bBothWays)
{
    return plf && (plf->lfEscapement == 900 || (bBothWays && plf->lfEscapement == -900));
}

} // namespace

CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    CGridCtrl* pGrid = GetGrid();
    return pGrid ? pGrid->GetDefaultCell(IsFixedRow(), IsFixedCol()) : nullptr;
}

void CGridCellBase::CopyFrom(const CGridCellBase& source)
{
    SetGrid(source.GetGrid());
    SetText(source.GetText());
    SetImage(source.GetImage());
    SetData(source.GetData());
    SetState(source.GetState());
    SetFormat(source.GetFormat());
    SetTextColour(source.GetTextColour());
    SetBackColour(source.GetBackColour());
    SetFont(source.IsDefaultFont() ? nullptr : source.GetFont());
    SetMargin(source.GetMargin());
}

BOOL CGridCellBase::GetImageSize(CSize* pSize) const
{
    CGridCtrl* pGrid = GetGrid();
    IMAGEINFO info{};
    if (!pGrid || !pGrid->GetImageList() || GetImage() < 0 ||
        !pGrid->GetImageList()->GetImageInfo(GetImage(), &info))
        return FALSE;
    *pSize = CSize(info.rcImage.right - info.rcImage.left + 1,
                   info.rcImage.bottom - info.rcImage.top + 1);
    return TRUE;
}

BOOL CGridCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC || rect.IsRectEmpty())
        return FALSE;
    const int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    CGridDefaultCell* pDefault = GetDefaultCell();
    if (!pDefault) {
        pDC->RestoreDC(nSavedDC);
        return FALSE;
    }
    COLORREF textColour = GetTextColour();
    if (textColour == CLR_DEFAULT)
        textColour = pDefault->GetTextColour();
    DrawBackground(pDC, rect, textColour, bEraseBkgnd, pDefault);
    DrawFixedFrame(pDC, nRow, nCol, rect);
    if (!pDC->IsPrinting())
        if (CFont* pFont = GetFontObject())
            pDC->SelectObject(pFont);

    const int nMargin = int(GetMargin());
    rect.DeflateRect(nMargin, 0);
    CSize image;
    if (GetImageSize(&image) && image.cx + rect.left <= rect.right + 2 * nMargin &&
        image.cy + rect.top <= rect.bottom + 2 * nMargin)
        pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
    DrawSortArrow(pDC, nRow, nCol, rect);

    GetTextRect(rect);
    if (LPCTSTR szText = GetText())
        pDC->DrawText(szText, -1, rect, GetFormat() | DT_NOPREFIX);
    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

// The fill of the cell and its text colour: the focus cell and the cell under a drag are
// framed inside, selected cells take the fixed selection colour.
void CGridCellBase::DrawBackground(CDC* pDC, CRect& rect, COLORREF& textColour, BOOL bEraseBkgnd,
                                   CGridDefaultCell* pDefault)
{
    CGridCtrl* pGrid = GetGrid();
    COLORREF backColour = pDefault->GetBackColour();
    if (GetBackColour() != CLR_DEFAULT) {
        backColour = GetBackColour();
        bEraseBkgnd = TRUE; // a colour of its own is always painted
    }
    const BOOL bLines = pGrid->GetGridLines() != CGridCtrl::GVL_NONE;
    if (IsFocused() || IsDropHighlighted()) {
        if (IsSelected()) {
            backColour = kSelectionColour;
            textColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            bEraseBkgnd = TRUE;
        }
        rect.right++;
        rect.bottom++;
        if (bEraseBkgnd)
            pDC->FillSolidRect(rect, backColour);
        if (bLines) {
            rect.right--;
            rect.bottom--;
        }
        if (pGrid->GetFrameFocusCell()) {
            CBrush brush(textColour);
            pDC->FrameRect(rect, &brush);
        }
        pDC->SetTextColor(textColour);
        if (!bLines) {
            rect.right--;
            rect.bottom--;
        }
        rect.DeflateRect(1, 1);
    } else if (IsSelected()) {
        FillGrown(pDC, rect, kSelectionColour);
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        if (bEraseBkgnd)
            FillGrown(pDC, rect, backColour);
        pDC->SetTextColor(textColour);
    }
}

// Header cells: raised, or sunk where the focus cell's row or column meets them.
void CGridCellBase::DrawFixedFrame(CDC* pDC, int nRow, int nCol, CRect& rect)
{
    CGridCtrl* pGrid = GetGrid();
    if (!IsFixed() || pGrid->GetGridLines() == CGridCtrl::GVL_NONE)
        return;
    const CCellPos focus = pGrid->GetFocusCell();
    if (pGrid->GetTrackFocusCell() && pGrid->IsValid(focus) &&
        (focus.row == nRow || focus.col == nCol)) {
        CRect edge = rect;
        edge.right++;
        edge.bottom++;
        pDC->DrawEdge(edge, BDR_SUNKENINNER, BF_RECT);
    } else {
        DrawRaisedFrame(pDC, rect);
    }
    rect.DeflateRect(1, 1);
}

void CGridCellBase::DrawRaisedFrame(CDC* pDC, const CRect& rect)
{
    CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
    CPen dark(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
    CPen* pOldPen = pDC->SelectObject(&light);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.left, rect.top);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectObject(&dark);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.right, rect.bottom);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectObject(pOldPen);
}

BOOL CGridCellBase::PrintCell(CDC* pDC, int, int, CRect rect)
{
    CGridCtrl* pGrid = GetGrid();
    CGridDefaultCell* pDefault = GetDefaultCell();
    if (!pGrid || !pDC || rect.IsRectEmpty() || !pDefault)
        return FALSE;
    const int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    PrintedCellInput input;
    input.bShaded = pGrid->GetShadedPrintOut();
    input.bFixed = IsFixed();
    input.bTwoColourPrinter = pDC->GetDeviceCaps(NUMCOLORS) == 2;
    input.cellBack = GetBackColour();
    input.cellText = GetTextColour();
    input.defaultBack = pDefault->GetBackColour();
    input.defaultText = pDefault->GetTextColour();
    const PrintedCellColours colours = ChoosePrintedCellColours(input);
    if (colours.back != CLR_DEFAULT)
        FillGrown(pDC, rect, colours.back);
    pDC->SetTextColor(colours.text);
    if (CFont* pFont = GetFontObject())
        pDC->SelectObject(pFont);
    if (IsFixed() && pGrid->GetGridLines() != CGridCtrl::GVL_NONE) {
        DrawRaisedFrame(pDC, rect);
        rect.DeflateRect(1, 1);
    }
    const int nMargin = int(GetMargin());
    rect.DeflateRect(nMargin, 0);
    CSize image;
    if (GetImageSize(&image)) {
        pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
        rect.left += image.cx + nMargin;
    }
    if (LPCTSTR szText = GetText())
        pDC->DrawText(szText, -1, rect, GetFormat() | DT_NOPREFIX);
    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

// The triangle of the sort column in row 0: up for ascending, down for descending, embossed.
void CGridCellBase::DrawSortArrow(CDC* pDC, int nRow, int nCol, CRect& rect)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid->GetSortColumn() != nCol || nRow != 0)
        return;
    int nSize = pDC->GetTextExtent("M", 1).cy - 4;
    if (nSize >= rect.Height())
        nSize = rect.Height() - 4;
    const BOOL bVertical = IsVerticalFont(GetFont(), FALSE);
    const int nMargin = int(GetMargin());
    if (nSize <= 0 || rect.left + nSize >= rect.right + 2 * nMargin)
        return;
    const int y = rect.bottom - nSize - 2;
    const int x = bVertical ? (rect.left + rect.right - nSize) / 2 : rect.right - nSize;
    CPen light(PS_SOLID, 0, ::GetSysColor(COLOR_3DHIGHLIGHT));
    CPen shadow(PS_SOLID, 0, ::GetSysColor(COLOR_3DSHADOW));
    CPen* pOldPen = pDC->SelectObject(&light);
    const int h = nSize / 2;
    if (pGrid->GetSortAscending()) {
        const POINT lit[] = {{x + 1, y + nSize + 1},
                             {x + h + 1, y + 1},
                             {x + nSize + 1, y + nSize + 1},
                             {x + 1, y + nSize + 1}};
        const POINT dark[] = {{x, y + nSize}, {x + h, y}, {x + nSize, y + nSize}, {x, y + nSize}};
        pDC->Polyline(lit, 4);
        pDC->SelectObject(&shadow);
        pDC->Polyline(dark, 4);
    } else {
        const POINT lit[] = {
            {x + 1, y + 1}, {x + h + 1, y + nSize + 1}, {x + nSize + 1, y + 1}, {x + 1, y + 1}};
        const POINT dark[] = {{x, y}, {x + h, y + nSize}, {x + nSize, y}, {x, y}};
        pDC->Polyline(lit, 4);
        pDC->SelectObject(&shadow);
        pDC->Polyline(dark, 4);
    }
    pDC->SelectObject(pOldPen);
    if (!bVertical)
        rect.right -= nSize;
}

BOOL CGridCellBase::GetTextRect(LPRECT pRect)
{
    CSize image;
    if (GetImageSize(&image))
        pRect->left += image.cx + int(GetMargin()); // image.cx is the width + 1
    return TRUE;
}

CSize CGridCellBase::GetTextExtent(LPCTSTR szText, CDC* pDC)
{
    CGridCtrl* pGrid = GetGrid();
    CGridDefaultCell* pDefault = GetDefaultCell();
    const CSize defaultSize =
        pDefault ? CSize(pDefault->GetWidth(), pDefault->GetHeight()) : CSize();
    BOOL bReleaseDC = FALSE;
    if (!pDC && szText && pGrid && ::IsWindow(pGrid->m_hWnd)) {
        pDC = pGrid->GetDC();
        bReleaseDC = pDC != nullptr;
    }
    if (!pDC || !szText)
        return defaultSize;

    CFont* pOldFont = nullptr;
    if (CFont* pFont = GetFontObject())
        pOldFont = pDC->SelectObject(pFont);
    CSize size;
    const DWORD nFormat = GetFormat();
    if ((nFormat & DT_WORDBREAK) && !(nFormat & DT_SINGLELINE)) {
        int nWidest = 0;
        const CString text(szText);
        int nStart = 0;
        for (;;) {
            const int nEnd = text.Find('\n', nStart);
            const CString line = nEnd < 0 ? text.Mid(nStart) : text.Mid(nStart, nEnd - nStart);
            nWidest = std::max<int>(nWidest, pDC->GetTextExtent(line).cx);
            if (nEnd < 0)
                break;
            nStart = nEnd + 1;
        }
        CRect rect(0, 0, nWidest + 1, 0);
        pDC->DrawText(szText, -1, rect, nFormat | DT_CALCRECT);
        size = rect.Size();
    } else {
        size = pDC->GetTextExtent(szText, int(std::strlen(szText)));
    }
    TEXTMETRICA tm{};
    pDC->GetTextMetrics(&tm);
    size.cx += tm.tmOverhang;
    if (pOldFont)
        pDC->SelectObject(pOldFont);

    const int nMargin = int(GetMargin());
    size.cx += 4 * nMargin;
    size.cy += 2 * nMargin;
    if (IsVerticalFont(GetFont(), TRUE))
        size = CSize(size.cy, size.cx + 4 * nMargin);
    if (bReleaseDC)
        pGrid->ReleaseDC(pDC);
    return size;
}

CSize CGridCellBase::GetCellExtent(CDC* pDC)
{
    const CSize text = GetTextExtent(GetText(), pDC);
    CSize image;
    if (!GetImageSize(&image))
        image = CSize(0, 0);
    return CSize(text.cx + image.cx, std::max(text.cy, image.cy));
}

BOOL CGridCellBase::Edit(int, int, CRect, CPoint, UINT, UINT, GridEditStart) { return FALSE; }

BOOL CGridCellBase::OnSetCursor()
{
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT CGridCellBase::SendMessageToParent(int nRow, int nCol, int nMessage) const
{
    CGridCtrl* pGrid = GetGrid();
    return pGrid ? pGrid->SendMessageToParent(nRow, nCol, nMessage) : 0;
}
