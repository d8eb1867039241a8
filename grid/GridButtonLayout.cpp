#include "grid/GridButtonLayout.h"

#include "framework/core/AsciiText.h"

#include <algorithm>

namespace {

// The index of the second button of the cell's spin pair, or -1.
int SpinPairSecond(const GridButtonRecord* pButtons, int nCount)
{
    for (int i = 0; i + 1 < nCount; ++i) {
        const GridButtonRecord& up = pButtons[i];
        const GridButtonRecord& down = pButtons[i + 1];
        if (up.nType == GridButtonKind::kScroll && (up.nState & 0xF) == 0 &&
            down.nType == GridButtonKind::kScroll && (down.nState & GridButtonKind::kScrollDown))
            return i + 1;
    }
    return -1;
}

// The widths of the buttons (the second of a spin pair shares the first one's).
std::vector<int> ButtonWidths(const GridButtonRecord* pButtons, int nCount, int nSpinSecond,
                              int nCellWidth, int nCellHeight)
{
    int nFixed = 0, nAutomatic = 0;
    for (int i = 0; i < nCount; ++i) {
        if (i == nSpinSecond)
            continue;
        if (pButtons[i].nWidth >= 1)
            nFixed += int(pButtons[i].nWidth);
        else
            ++nAutomatic;
    }
    int nRoom = nCellWidth - nFixed;
    int nAutoWidth = nAutomatic > 0 ? nRoom / nAutomatic : 0;
    std::vector<int> widths(std::size_t(nCount), 0);
    for (int i = 0; i < nCount; ++i) {
        if (i == nSpinSecond)
            continue;
        const GridButtonRecord& button = pButtons[i];
        int nWidth = int(button.nWidth);
        if (nWidth < 1) {
            const BOOL bPush =
                button.nType == GridButtonKind::kButton && (button.nState & GridButtonKind::kPush);
            nWidth = nAutoWidth;
            if (!bPush && nCellHeight < nAutoWidth) {
                nWidth = nCellHeight; // a square control
                nRoom -= nWidth;
                if (--nAutomatic > 0)
                    nAutoWidth = nRoom / nAutomatic;
            }
        }
        widths[std::size_t(i)] = nWidth;
    }
    if (nSpinSecond >= 0)
        widths[std::size_t(nSpinSecond)] = widths[std::size_t(nSpinSecond - 1)];
    return widths;
}

} // namespace

GridButtonPlaces LayoutGridButtons(const GridButtonRecord* pButtons, int nCount,
                                   const GridRect& cell, int nMargin)
{
    GridButtonPlaces places;
    places.text = {cell.left, cell.top, cell.left, cell.bottom};
    if (nCount <= 0)
        return places;
    places.buttons.assign(std::size_t(nCount), cell);
    for (int i = 0; i < nCount; ++i)
        if (pButtons[i].GetPlacement() == 0)
            return places;

    const int nSpinSecond = SpinPairSecond(pButtons, nCount);
    const std::vector<int> widths =
        ButtonWidths(pButtons, nCount, nSpinSecond, cell.Width(), cell.bottom - cell.top);
    int nLeftTotal = 0, nRightTotal = 0;
    for (int i = 0; i < nCount; ++i) {
        if (i == nSpinSecond)
            continue;
        (pButtons[i].GetPlacement() == 1 ? nLeftTotal : nRightTotal) += widths[std::size_t(i)];
    }
    const auto clamp = [&](int x) { return std::clamp(x, cell.left, cell.right); };
    int xLeft = cell.left;
    int xRight = std::max(cell.right - nRightTotal, cell.left);
    for (int i = 0; i < nCount; ++i) {
        if (i == nSpinSecond)
            continue;
        int& x = pButtons[i].GetPlacement() == 1 ? xLeft : xRight;
        GridRect& rect = places.buttons[std::size_t(i)];
        rect.left = clamp(x);
        rect.right = clamp(x + widths[std::size_t(i)]);
        x += widths[std::size_t(i)];
    }
    const int nRoomLeft = cell.Width() - nLeftTotal - nRightTotal;
    if (nRoomLeft >= nMargin && nRoomLeft > 0) {
        places.text.left = clamp(cell.left + nLeftTotal);
        places.text.right = clamp(cell.right - nRightTotal);
    }
    if (nSpinSecond >= 0) {
        GridRect& up = places.buttons[std::size_t(nSpinSecond - 1)];
        GridRect& down = places.buttons[std::size_t(nSpinSecond)];
        down = up;
        up.bottom = down.top = up.top + (up.bottom - up.top) / 2;
    }
    return places;
}

CString GridButtonTipText(const std::vector<CString>& captions)
{
    CString tip;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (i > 0)
            tip += ' ';
        const CString& caption = captions[i];
        for (int j = 0; j < caption.GetLength(); ++j) {
            if (caption[j] != '&')
                tip += caption[j];
            else if (j + 1 < caption.GetLength() && caption[j + 1] == '&')
                tip += caption[j++]; // "&&" shows one ampersand; a single one marks a mnemonic
        }
    }
    return tip.Left(254);
}

int FindGridButtonMnemonic(const std::vector<CString>& captions, char ch)
{
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const CString& caption = captions[i];
        for (int j = 0; j + 1 < caption.GetLength(); ++j) {
            if (caption[j] != '&')
                continue;
            if (caption[j + 1] == '&') {
                ++j; // "&&" is a plain ampersand
                continue;
            }
            if (ascii::ToUpper(caption[j + 1]) == ascii::ToUpper(ch))
                return int(i);
        }
    }
    return -1;
}
