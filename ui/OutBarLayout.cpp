#include "ui/OutBarLayout.h"

#include <algorithm>

CRect OutBarFolderRect(const CRect& client, int nFolders, int nOpen, int i)
{
    if (i < 0 || i >= nFolders)
        return CRect();
    if (i <= nOpen)
        return CRect(client.left, client.top + i * kOutBarFolderHeight - 1, client.right,
                     client.top + (i + 1) * kOutBarFolderHeight - 1);
    return CRect(client.left, client.bottom - (nFolders - i) * kOutBarFolderHeight, client.right,
                 client.bottom - (nFolders - i - 1) * kOutBarFolderHeight);
}

CRect OutBarItemArea(const CRect& client, int nFolders, int nOpen)
{
    if (nFolders <= 0 || nOpen < 0 || nOpen >= nFolders)
        return client;
    CRect area = client;
    area.top = OutBarFolderRect(client, nFolders, nOpen, nOpen).bottom;
    area.bottom = client.bottom - (nFolders - nOpen - 1) * kOutBarFolderHeight;
    if (area.bottom < area.top)
        area.bottom = area.top;
    return area;
}

int OutBarOpenAfterRemoval(int nOpen, int nRemoved, int nLeft)
{
    if (nLeft <= 0)
        return -1;
    if (nOpen < nRemoved)
        return nOpen;
    return std::clamp(nOpen - 1, 0, nLeft - 1);
}

void COutBarLayout::Compute(const CRect& client, int nFolders, int nOpen, int nItems, int nFirst,
                            bool bSmallIcons, CSize iconSize, const LabelMeasure& measure,
                            const OutBarSpacing& spacing)
{
    m_client = client;
    m_nFolders = nFolders;
    m_nOpen = nOpen;
    m_nItems = nItems;
    m_bSmall = bSmallIcons;
    m_area = OutBarItemArea(client, nFolders, nOpen);
    m_items.clear();
    nFirst = std::clamp(nFirst, 0, std::max(nItems - 1, 0));
    m_bUp = nFirst > 0 && nItems > 0;
    m_bDown = false;

    const int nWidth = std::max(int(m_area.Width() - 2 * spacing.itemMarginX), 1);
    int y = m_area.top + spacing.itemMarginY;
    for (int i = nFirst; i < nItems; ++i) {
        if (y >= m_area.bottom) {
            m_bDown = true;
            break;
        }
        OutBarItemBox box;
        box.index = i;
        const CSize label =
            measure ? measure(i, bSmallIcons ? nWidth - iconSize.cx : nWidth) : CSize();
        if (bSmallIcons) {
            const int height = std::max(iconSize.cy, label.cy);
            const int x = m_area.left + spacing.itemMarginX;
            box.icon = CRect(x, y + (height - iconSize.cy) / 2, x + iconSize.cx,
                             y + (height - iconSize.cy) / 2 + iconSize.cy);
            const int xLabel = x + iconSize.cx + spacing.smallIconLabelGap;
            box.label = CRect(xLabel, y + (height - label.cy) / 2, xLabel + label.cx,
                              y + (height - label.cy) / 2 + label.cy);
            box.whole = CRect(x, y, xLabel + label.cx, y + height);
            y += height + spacing.smallItemGap;
        } else {
            const int xIcon = m_area.left + (m_area.Width() - iconSize.cx) / 2;
            box.icon = CRect(xIcon, y, xIcon + iconSize.cx, y + iconSize.cy);
            const int yLabel = y + iconSize.cy + spacing.largeIconLabelGap;
            const int xLabel = m_area.left + (m_area.Width() - label.cx) / 2;
            box.label = CRect(xLabel, yLabel, xLabel + label.cx, yLabel + label.cy);
            const int width = std::max(iconSize.cx, label.cx);
            const int xWhole = m_area.left + (m_area.Width() - width) / 2;
            box.whole = CRect(xWhole, y, xWhole + width, yLabel + label.cy);
            y = box.whole.bottom + spacing.largeItemGap;
        }
        if (box.whole.bottom > m_area.bottom)
            m_bDown = true;
        m_items.push_back(box);
    }
}

const OutBarItemBox* COutBarLayout::FindItem(int nItem) const
{
    for (const OutBarItemBox& box : m_items)
        if (box.index == nItem)
            return &box;
    return nullptr;
}

CRect COutBarLayout::UpArrowRect() const
{
    return CRect(m_area.right - kOutBarArrowSize - 4, m_area.top + 4, m_area.right - 4,
                 m_area.top + 4 + kOutBarArrowSize);
}

CRect COutBarLayout::DownArrowRect() const
{
    return CRect(m_area.right - kOutBarArrowSize - 4, m_area.bottom - 4 - kOutBarArrowSize,
                 m_area.right - 4, m_area.bottom - 4);
}

OutBarHit COutBarLayout::HitTest(CPoint point) const
{
    if (m_bUp && UpArrowRect().PtInRect(point))
        return {OutBarHit::UpArrow, -1};
    if (m_bDown && DownArrowRect().PtInRect(point))
        return {OutBarHit::DownArrow, -1};
    for (int i = 0; i < m_nFolders; ++i)
        if (FolderRect(i).PtInRect(point))
            return {OutBarHit::Folder, i};
    if (!m_area.PtInRect(point))
        return {};
    for (const OutBarItemBox& box : m_items) {
        const bool bOver = m_bSmall ? box.icon.PtInRect(point) || box.label.PtInRect(point)
                                    : box.whole.PtInRect(point);
        if (bOver && point.y < m_area.bottom)
            return {OutBarHit::Item, box.index};
    }
    return {};
}

int COutBarLayout::DropIndex(CPoint point) const
{
    if (m_nOpen < 0 || !m_area.PtInRect(point))
        return -1;
    for (const OutBarItemBox& box : m_items)
        if (point.y < (box.whole.top + box.whole.bottom) / 2)
            return box.index;
    return m_items.empty() ? m_nItems : std::min(m_items.back().index + 1, m_nItems);
}
