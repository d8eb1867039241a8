#pragma once
// The buttons of a button cell: their records, where they sit in the cell, and the texts
// made from their captions.
#include "framework/core/CString.h"

#include <vector>

// The frame-control vocabulary of the buttons (the values of the Win32 DFC_ and DFCS_ names).
namespace GridButtonKind {
constexpr BYTE kScroll = 3; // DFC_SCROLL
constexpr BYTE kButton = 4; // DFC_BUTTON
constexpr WORD kScrollDown = 0x0001;
constexpr WORD kRadio = 0x0004;
constexpr WORD kPush = 0x0010;
constexpr WORD kInactive = 0x0100;
constexpr WORD kPushed = 0x0200;
constexpr WORD kChecked = 0x0400;
} // namespace GridButtonKind

// One button: width (0 = automatic), frame-control state, placement (0 the whole cell, 1 from
// the left, 2 from the right) with the radio-group bit, frame-control type.
struct GridButtonRecord {
    UINT nWidth = 0;
    WORD nState = 0;
    BYTE nFlags = 0; // bit 0: radio-group member; bits 1..7: placement
    BYTE nType = 0;

    int GetPlacement() const { return nFlags >> 1; }
    void SetPlacement(int nPlacement) { nFlags = BYTE((nFlags & 1) | (nPlacement << 1)); }
    BOOL IsRadioGroupMember() const { return nFlags & 1; }
    void SetRadioGroupMember(BOOL bMember) { nFlags = BYTE((nFlags & ~1) | (bMember ? 1 : 0)); }
};

struct GridRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    friend bool operator==(const GridRect& a, const GridRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

struct GridButtonPlaces {
    std::vector<GridRect> buttons; // one per button, in index order
    GridRect text;                 // the text area; empty (width 0) when there is none
};

// Lays nCount buttons out in cell. A whole-cell button makes every button the whole cell and
// leaves no text. Otherwise fixed buttons take their width and automatic ones share what is
// left (square controls no wider than the cell is high); a scroll-up button followed by a
// scroll-down one stack in one column. Left-placed buttons go from the left edge, right-placed
// ones end at the right edge, and the text area is what lies between, or nothing when that is
// narrower than nMargin.
GridButtonPlaces LayoutGridButtons(const GridButtonRecord* pButtons, int nCount,
                                   const GridRect& cell, int nMargin);

// The captions joined by blanks, "&x" shown as "x" and "&&" as "&", cut at 254 characters.
CString GridButtonTipText(const std::vector<CString>& captions);
// The first caption whose mnemonic ("&x") is ch, case-insensitively; -1 when none.
int FindGridButtonMnemonic(const std::vector<CString>& captions, char ch);
