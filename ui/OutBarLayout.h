#pragma once
// Where everything of a folder bar lies: the folder buttons stacked at the top up to the open
// folder and at the bottom after it, the item area between them, the open folder's items from
// the first visible one down, and the scroll arrows when items lie outside the area.
#include "framework/core/Geometry.h"

#include <functional>
#include <vector>

constexpr int kOutBarFolderHeight = 22;
constexpr int kOutBarArrowSize = 15;

// The spacing of items in pixels.
struct OutBarSpacing {
    int smallIconLabelGap = 4;
    int largeIconLabelGap = 3;
    int smallItemGap = 10;
    int largeItemGap = 8;
    int itemMarginX = 5;
    int itemMarginY = 5;
};

// What a point is over.
struct OutBarHit {
    enum Kind { Nothing = -1, Folder = 0, Item = 1, UpArrow = 2, DownArrow = 3 };
    Kind kind = Nothing;
    int index = -1; // the folder or item
    bool operator==(const OutBarHit&) const = default;
};

// One item of the open folder: its icon, its label and both together.
struct OutBarItemBox {
    int index = 0;
    CRect icon;
    CRect label;
    CRect whole;
};

// The button of folder i of nFolders with folder nOpen open.
CRect OutBarFolderRect(const CRect& client, int nFolders, int nOpen, int i);
// The area between the open folder's button and the first button below it (the whole client
// area without folders).
CRect OutBarItemArea(const CRect& client, int nFolders, int nOpen);
// The folder open after folder nRemoved has been removed, nLeft folders remaining: one after
// the open one leaves it open, the open one or one before it opens the folder before the
// open one (folder 0 when there is none); -1 when no folder is left.
int OutBarOpenAfterRemoval(int nOpen, int nRemoved, int nLeft);

class COutBarLayout {
public:
    // The size of an item's label: measured by the caller, in the width it may take.
    using LabelMeasure = std::function<CSize(int nItem, int nMaxWidth)>;

    // Lays out the bar; only the items from nFirst that reach into the item area are measured.
    void Compute(const CRect& client, int nFolders, int nOpen, int nItems, int nFirst,
                 bool bSmallIcons, CSize iconSize, const LabelMeasure& measure,
                 const OutBarSpacing& spacing = OutBarSpacing());

    CRect FolderRect(int i) const { return OutBarFolderRect(m_client, m_nFolders, m_nOpen, i); }
    const CRect& ItemArea() const { return m_area; }
    // The visible items (and the first one past the area, partly shown), in order.
    const std::vector<OutBarItemBox>& Items() const { return m_items; }
    const OutBarItemBox* FindItem(int nItem) const;
    bool HasUpArrow() const { return m_bUp; }
    bool HasDownArrow() const { return m_bDown; }
    CRect UpArrowRect() const;
    CRect DownArrowRect() const;
    OutBarHit HitTest(CPoint point) const;
    // Where an item dragged to point would go: before that item (the count: after the last);
    // -1 outside the item area.
    int DropIndex(CPoint point) const;

private:
    CRect m_client;
    int m_nFolders = 0;
    int m_nOpen = -1;
    int m_nItems = 0;
    bool m_bSmall = false;
    CRect m_area;
    std::vector<OutBarItemBox> m_items;
    bool m_bUp = false;
    bool m_bDown = false;
};
