#include "ui/ToolBarLayout.h"

#include <algorithm>

CSize CToolBarLayout::MeasureButton(const std::vector<ToolButton>& buttons, std::size_t index) const
{
    const ToolButton& button = buttons[index];
    if (!(button.state & kButtonWrap))
        return button.size;
    if (button.style & kButtonSeparator) {
        // A separator that ends a row is drawn across the bar.
        int height = button.size.cx;
        if (m_options.comCtlVersion < kComCtl471)
            height = button.size.cy - 3;
        else if (m_options.comCtlVersion == kComCtl471)
            height = button.size.cy;
        return CSize(0, height);
    }
    if ((button.style & kButtonDropDown) && !m_options.hideWrappedDropDowns)
        return CSize(0, button.size.cy);
    return button.size;
}

int CToolBarLayout::WrapToWidth(std::vector<ToolButton>& buttons, int width) const
{
    for (ToolButton& button : buttons)
        button.state &= ~kButtonWrap;
    auto isCustomControl = [](const ToolButton& b) {
        return (b.style & kButtonSeparator) && b.idCommand != 0;
    };
    int x = 0, rows = 0;
    const int count = int(buttons.size());
    for (int i = 0; i < count; ++i) {
        if (buttons[std::size_t(i)].state & kButtonHidden)
            continue;
        x += MeasureButton(buttons, std::size_t(i)).cx;
        if (x <= width)
            continue;
        // The nearest separator back to the start of the row, this button included.
        int wrapAt = -1;
        for (int j = i; j >= 0 && !(buttons[std::size_t(j)].state & kButtonWrap); --j) {
            const ToolButton& b = buttons[std::size_t(j)];
            if (!(b.state & kButtonHidden) && (b.style & kButtonSeparator) && b.idCommand == 0) {
                wrapAt = j;
                break;
            }
        }
        // Else after the nearest button before this one that can end a row.
        for (int j = i - 1; wrapAt < 0 && j >= 0 && !(buttons[std::size_t(j)].state & kButtonWrap);
             --j) {
            const ToolButton& b = buttons[std::size_t(j)];
            if (!(b.state & kButtonHidden) && !isCustomControl(b))
                wrapAt = j;
        }
        if (wrapAt < 0)
            continue; // nothing to break at: the button stays on the row
        buttons[std::size_t(wrapAt)].state |= kButtonWrap;
        i = wrapAt;
        x = 0;
        ++rows;
    }
    return rows + 1;
}

CSize CToolBarLayout::MeasureWrapped(const std::vector<ToolButton>& buttons) const
{
    CSize size(0, 0);
    int x = 0, rowTop = 0, rowHeight = 0;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ToolButton& button = buttons[i];
        if (button.state & kButtonHidden)
            continue;
        const CSize sizeButton = MeasureButton(buttons, i);
        x += sizeButton.cx;
        rowHeight = std::max(rowHeight, int(sizeButton.cy));
        size.cx = std::max(size.cx, LONG(x));
        size.cy = std::max(size.cy, LONG(rowTop + sizeButton.cy));
        if (button.state & kButtonWrap) {
            rowTop += rowHeight;
            if (button.style & kButtonSeparator)
                rowTop += sizeButton.cy;
            x = 0;
            rowHeight = 0;
        }
    }
    return size;
}

void CToolBarLayout::FitToLength(std::vector<ToolButton>& buttons, int length, bool bVertical) const
{
    if (!bVertical) {
        const int target = WrapToWidth(buttons, length);
        if (target != WrapToWidth(buttons, 0) && length > 0) {
            // The narrowest width that still gives the rows the length gives.
            int low = 0, high = length;
            for (;;) {
                const int mid = (low + high) / 2;
                if (WrapToWidth(buttons, mid) == target) {
                    high = mid;
                } else if (low == mid) {
                    WrapToWidth(buttons, high);
                    break;
                } else {
                    low = mid;
                }
            }
        }
        WrapToWidth(buttons, MeasureWrapped(buttons).cx);
        return;
    }
    WrapToWidth(buttons, 0);
    CSize sizeMin = MeasureWrapped(buttons);
    WrapToWidth(buttons, 32767);
    CSize sizeMax = MeasureWrapped(buttons);
    for (int round = 0; sizeMin.cx < sizeMax.cx; ++round) {
        if (round == kMaxFitRounds) { // no end in sight: the narrowest width known to fit
            WrapToWidth(buttons, sizeMax.cx);
            return;
        }
        WrapToWidth(buttons, (sizeMin.cx + sizeMax.cx) / 2);
        const CSize size = MeasureWrapped(buttons);
        if (size.cy > length) {
            if (size == sizeMin) {
                WrapToWidth(buttons, sizeMax.cx);
                return;
            }
            sizeMin = size;
        } else if (size.cy < length) {
            sizeMax = size;
        } else {
            return;
        }
    }
}
