#include "framework/core/Geometry.h"

#include <algorithm>
#include <utility>

BOOL CRect::EqualRect(const RECT* lpRect) const
{
    return left == lpRect->left && top == lpRect->top && right == lpRect->right &&
           bottom == lpRect->bottom;
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

BOOL CRect::IntersectRect(const RECT* lpRect1, const RECT* lpRect2)
{
    const CRect a(*lpRect1), b(*lpRect2);
    if (a.IsRectEmpty() || b.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    const CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom));
    if (r.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    *this = r;
    return TRUE;
}

BOOL CRect::UnionRect(const RECT* lpRect1, const RECT* lpRect2)
{
    const CRect a(*lpRect1), b(*lpRect2);
    if (a.IsRectEmpty() && b.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    if (a.IsRectEmpty()) {
        *this = b;
    } else if (b.IsRectEmpty()) {
        *this = a;
    } else {
        *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                      std::max(a.bottom, b.bottom));
    }
    return TRUE;
}

CPoint CenteredInWorkArea(const CSize& size, const CRect& owner, const CRect& work)
{
    const auto place = [](int start, int end, int length, int areaStart, int areaEnd) {
        const int centred = start + (end - start - length) / 2;
        return std::max(areaStart, std::min(centred, areaEnd - length));
    };
    return CPoint(place(owner.left, owner.right, size.cx, work.left, work.right),
                  place(owner.top, owner.bottom, size.cy, work.top, work.bottom));
}

bool IntersectsAny(const CRect& rect, const CRect* others, std::size_t count, int gap)
{
    const CRect widened(rect.left - gap, rect.top, rect.right + gap, rect.bottom);
    for (std::size_t i = 0; i < count; ++i)
        if (CRect().IntersectRect(&widened, &others[i]))
            return true;
    return false;
}
