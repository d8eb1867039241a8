#pragma once
#include "framework/core/Platform.h"

// Points, sizes and rectangles in device or logical units. They derive from the Win32
// POINT, SIZE and RECT (natively the same layout), so they pass straight to the API.
// Rectangles are half-open: right and bottom lie just outside.

class CSize;

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int initX, int initY) : POINT{LONG(initX), LONG(initY)} {}
    CPoint(const POINT& pt) : POINT(pt) {}
    explicit CPoint(const SIZE& size) : POINT{size.cx, size.cy} {}

    void Offset(int xOffset, int yOffset)
    {
        x += xOffset;
        y += yOffset;
    }
    void Offset(const POINT& pt) { Offset(pt.x, pt.y); }
    void SetPoint(int X, int Y)
    {
        x = X;
        y = Y;
    }

    bool operator==(const POINT& pt) const { return x == pt.x && y == pt.y; }
    // The class itself too: with only the base, C++20 finds a == b and b == a equally good.
    bool operator==(const CPoint& pt) const { return x == pt.x && y == pt.y; }
    CPoint& operator+=(const SIZE& size)
    {
        x += size.cx;
        y += size.cy;
        return *this;
    }
    CPoint& operator-=(const SIZE& size)
    {
        x -= size.cx;
        y -= size.cy;
        return *this;
    }
    CPoint& operator+=(const POINT& pt)
    {
        x += pt.x;
        y += pt.y;
        return *this;
    }
    CPoint& operator-=(const POINT& pt)
    {
        x -= pt.x;
        y -= pt.y;
        return *this;
    }
    CPoint operator+(const SIZE& size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(const SIZE& size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator+(const POINT& pt) const { return CPoint(x + pt.x, y + pt.y); }
    inline CSize operator-(const POINT& pt) const;
    CPoint operator-() const { return CPoint(-x, -y); }
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int initCX, int initCY) : SIZE{LONG(initCX), LONG(initCY)} {}
    CSize(const SIZE& size) : SIZE(size) {}
    explicit CSize(const POINT& pt) : SIZE{pt.x, pt.y} {}

    void SetSize(int newCX, int newCY)
    {
        cx = newCX;
        cy = newCY;
    }
    bool operator==(const SIZE& size) const { return cx == size.cx && cy == size.cy; }
    bool operator==(const CSize& size) const { return cx == size.cx && cy == size.cy; }
    CSize& operator+=(const SIZE& size)
    {
        cx += size.cx;
        cy += size.cy;
        return *this;
    }
    CSize& operator-=(const SIZE& size)
    {
        cx -= size.cx;
        cy -= size.cy;
        return *this;
    }
    CSize operator+(const SIZE& size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(const SIZE& size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};

inline CSize CPoint::operator-(const POINT& pt) const { return CSize(x - pt.x, y - pt.y); }

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{LONG(l), LONG(t), LONG(r), LONG(b)} {}
    CRect(const RECT& src) : RECT(src) {}
    CRect(const RECT* lpSrc) : RECT(*lpSrc) {}
    CRect(const POINT& point, const SIZE& size)
        : RECT{point.x, point.y, point.x + size.cx, point.y + size.cy}
    {
    }
    CRect(const POINT& topLeft, const POINT& bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}
    {
    }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    // Empty when it has no area (also when not normalised).
    BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(const POINT& pt) const
    {
        return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom;
    }
    BOOL EqualRect(const RECT* lpRect) const;

    void SetRect(int x1, int y1, int x2, int y2)
    {
        left = x1;
        top = y1;
        right = x2;
        bottom = y2;
    }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(const RECT* lpSrc) { *static_cast<RECT*>(this) = *lpSrc; }

    void InflateRect(int x, int y) { InflateRect(x, y, x, y); }
    void InflateRect(const SIZE& size) { InflateRect(size.cx, size.cy); }
    void InflateRect(const RECT* lpRect)
    {
        InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(const SIZE& size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(const RECT* lpRect)
    {
        InflateRect(-lpRect->left, -lpRect->top, -lpRect->right, -lpRect->bottom);
    }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void OffsetRect(int x, int y)
    {
        left += x;
        right += x;
        top += y;
        bottom += y;
    }
    void OffsetRect(const POINT& pt) { OffsetRect(pt.x, pt.y); }
    void OffsetRect(const SIZE& size) { OffsetRect(size.cx, size.cy); }
    // Swaps the edges so that left <= right and top <= bottom.
    void NormalizeRect();

    // The common part of both; FALSE and an empty rectangle when they do not overlap.
    BOOL IntersectRect(const RECT* lpRect1, const RECT* lpRect2);
    // The smallest rectangle holding both (empty ones ignored); FALSE when the result is empty.
    BOOL UnionRect(const RECT* lpRect1, const RECT* lpRect2);

    bool operator==(const RECT& rect) const { return EqualRect(&rect); }
    bool operator==(const CRect& rect) const { return EqualRect(&rect); }
    CRect& operator+=(const POINT& pt)
    {
        OffsetRect(pt);
        return *this;
    }
    CRect& operator-=(const POINT& pt)
    {
        OffsetRect(-pt.x, -pt.y);
        return *this;
    }
    CRect& operator+=(const SIZE& size)
    {
        OffsetRect(size);
        return *this;
    }
    CRect& operator-=(const SIZE& size)
    {
        OffsetRect(-size.cx, -size.cy);
        return *this;
    }
    CRect& operator&=(const RECT& rect)
    {
        IntersectRect(this, &rect);
        return *this;
    }
    CRect& operator|=(const RECT& rect)
    {
        UnionRect(this, &rect);
        return *this;
    }
    CRect operator+(const POINT& pt) const
    {
        CRect r(*this);
        r.OffsetRect(pt);
        return r;
    }
    CRect operator-(const POINT& pt) const
    {
        CRect r(*this);
        r.OffsetRect(-pt.x, -pt.y);
        return r;
    }
    CRect operator&(const RECT& rect) const
    {
        CRect r;
        r.IntersectRect(this, &rect);
        return r;
    }
    CRect operator|(const RECT& rect) const
    {
        CRect r;
        r.UnionRect(this, &rect);
        return r;
    }
};

// Whether rect meets any of the count rectangles at others, or stands beside one (overlapping
// it in height) less than gap wide apart: texts drawn closer than a blank read as one.
bool IntersectsAny(const CRect& rect, const CRect* others, std::size_t count, int gap = 0);

// Where a window of the given size goes to stand centred on its owner's rectangle while staying
// inside the work area; a window larger than the work area keeps its top-left corner in it.
CPoint CenteredInWorkArea(const CSize& size, const CRect& owner, const CRect& work);
