#include "ui/ColourPopupLayout.h"

#include "ui/ColourTable.h"

#include <algorithm>

void CColourPopupLayout::Compute(int margin, bool hasDefault, bool hasCustom, CSize textExtent)
{
    m_nMargin = margin;
    m_bHasDefault = hasDefault;
    m_bHasCustom = hasCustom;
    m_nBoxSize = 18;
    if (m_nBoxSize - 2 * margin - 2 < 5)
        m_nBoxSize = 2 * margin + 7; // room for the swatch inside its edges
    int width = kColumns * m_nBoxSize + 2 * margin;
    int height = kRows * m_nBoxSize + 2 * margin;
    // A text box is as tall as the text with its edges, plus a separator line.
    const CSize text(textExtent.cx + 2 * margin, textExtent.cy + 4 * margin + 2);
    m_rectDefault.SetRectEmpty();
    m_rectCustom.SetRectEmpty();
    if (hasDefault) {
        width = std::max(width, int(text.cx));
        m_rectDefault.SetRect(margin, margin, width - margin, 2 * margin + text.cy);
        height += m_rectDefault.Height() + 2 * margin;
    }
    if (hasCustom) {
        width = std::max(width, int(text.cx));
        m_rectCustom.SetRect(margin, height, width - margin, height + margin + text.cy);
        height += m_rectCustom.Height() + 2 * margin;
    }
    m_sizeWindow = CSize(width, height);
}

CRect CColourPopupLayout::GetCellRect(int box) const
{
    if (box == kAutomaticBox)
        return m_bHasDefault ? m_rectDefault : CRect();
    if (box == kCustomBox || box >= kColourCount)
        return m_bHasCustom ? m_rectCustom : CRect();
    if (box < 0)
        return CRect();
    const int left = (box % kColumns) * m_nBoxSize + m_nMargin;
    int top = (box / kColumns) * m_nBoxSize + m_nMargin;
    if (m_bHasDefault)
        top += m_rectDefault.Height() + m_nMargin;
    return CRect(left, top, left + m_nBoxSize, top + m_nBoxSize);
}

int CColourPopupLayout::BoxAt(CPoint point) const
{
    if (m_bHasCustom && m_rectCustom.PtInRect(point))
        return kCustomBox;
    if (m_bHasDefault && m_rectDefault.PtInRect(point))
        return kAutomaticBox;
    const CRect first = GetCellRect(0);
    const int x = point.x - first.left, y = point.y - first.top;
    if (x < 0 || y < 0)
        return kNoBox;
    const int col = x / m_nBoxSize, row = y / m_nBoxSize;
    if (col >= kColumns || row >= kRows || row * kColumns + col >= kColourCount)
        return kNoBox;
    return row * kColumns + col;
}

int CColourPopupLayout::ChosenBox(COLORREF colour) const
{
    if (colour == kPickerAutomaticColour && m_bHasDefault)
        return kAutomaticBox;
    for (int i = 0; i < kColourCount; ++i)
        if (g_colourTable[i].colour == colour)
            return i;
    return m_bHasCustom ? kCustomBox : kNoBox;
}

int CColourPopupLayout::AfterLastSwatch() const
{
    return m_bHasCustom ? kCustomBox : m_bHasDefault ? kAutomaticBox : 0;
}

int CColourPopupLayout::BeforeFirstSwatch() const
{
    return m_bHasDefault ? kAutomaticBox : m_bHasCustom ? kCustomBox : kColourCount - 1;
}

int CColourPopupLayout::NextBox(int box, PopupKey key) const
{
    const int last = kColourCount - 1;
    if (box >= kColourCount)
        box = kCustomBox;
    if (box == kNoBox) // nothing highlighted yet: the first or the last box
        return key == PopupKey::Down || key == PopupKey::Right ? (m_bHasDefault ? kAutomaticBox : 0)
                                                               : AfterLastSwatch();
    switch (key) {
    case PopupKey::Down:
        if (box == kAutomaticBox)
            return 0;
        if (box == kCustomBox)
            return m_bHasDefault ? kAutomaticBox : 0;
        if (box + kColumns < kColourCount)
            return box + kColumns;
        return m_bHasCustom || m_bHasDefault ? AfterLastSwatch() : box % kColumns;
    case PopupKey::Up:
        if (box == kAutomaticBox)
            return m_bHasCustom ? kCustomBox : last;
        if (box == kCustomBox)
            return last;
        if (box >= kColumns)
            return box - kColumns;
        return m_bHasCustom || m_bHasDefault ? BeforeFirstSwatch() : (kRows - 1) * kColumns + box;
    case PopupKey::Right:
        if (box == kAutomaticBox)
            return 0;
        if (box == kCustomBox)
            return m_bHasDefault ? kAutomaticBox : 0;
        return box < last ? box + 1 : AfterLastSwatch();
    case PopupKey::Left:
        if (box == kAutomaticBox)
            return m_bHasCustom ? kCustomBox : last;
        if (box == kCustomBox)
            return last;
        return box > 0 ? box - 1 : BeforeFirstSwatch();
    }
    return box;
}

CRect PlaceColourPopup(CPoint origin, CSize size, int buttonHeight, CSize screen)
{
    CRect rect(origin.x, origin.y, origin.x + size.cx, origin.y + size.cy);
    if (rect.right > screen.cx)
        rect.OffsetRect(screen.cx - rect.right, 0);
    if (rect.left < 0)
        rect.OffsetRect(-rect.left, 0);
    if (rect.bottom > screen.cy)
        rect.OffsetRect(0, -(buttonHeight + size.cy));
    if (rect.top < 0)
        rect.OffsetRect(0, -rect.top);
    return rect;
}
