// Point and rectangle helpers of the dialog framework.
// Implements: CPoint and CRect over POINT and RECT (construction, width, height, offset,
// conversion back to the plain structs).
// Leaves out: CSize, set operations (union, intersection), arithmetic operators.
#pragma once

#include "platform/win/win_defs.h"

class CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(int px, int py)
    {
        x = px;
        y = py;
    }
    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
};

class CRect : public RECT {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& r) : RECT(r) {} // NOLINT: converting as the framework's CRect does

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    bool operator==(const CRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};
