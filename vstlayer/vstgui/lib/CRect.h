#pragma once

#include "vstgui/lib/CPoint.h"

#include <algorithm>

namespace VSTGUI
{

// Left/top inclusive, right/bottom exclusive, like pixel spans.
struct CRect
{
    CCoord left{0};
    CCoord top{0};
    CCoord right{0};
    CCoord bottom{0};

    constexpr CRect() = default;
    constexpr CRect(CCoord l, CCoord t, CCoord r, CCoord b) : left(l), top(t), right(r), bottom(b)
    {
    }
    constexpr CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y)
    {
    }

    constexpr CCoord getWidth() const { return right - left; }
    constexpr CCoord getHeight() const { return bottom - top; }
    constexpr CPoint getTopLeft() const { return {left, top}; }
    constexpr CPoint getBottomRight() const { return {right, bottom}; }
    constexpr CPoint getSize() const { return {getWidth(), getHeight()}; }
    constexpr CPoint getCenter() const { return {left + getWidth() / 2, top + getHeight() / 2}; }

    constexpr CRect& setWidth(CCoord w)
    {
        right = left + w;
        return *this;
    }
    constexpr CRect& setHeight(CCoord h)
    {
        bottom = top + h;
        return *this;
    }
    constexpr CRect& setTopLeft(const CPoint& p)
    {
        const CPoint s = getSize();
        left = p.x;
        top = p.y;
        right = p.x + s.x;
        bottom = p.y + s.y;
        return *this;
    }
    constexpr CRect& setSize(const CPoint& s)
    {
        right = left + s.x;
        bottom = top + s.y;
        return *this;
    }
    constexpr CRect& moveTo(const CPoint& p) { return setTopLeft(p); }
    constexpr CRect& offset(CCoord dx, CCoord dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    constexpr CRect& offset(const CPoint& p) { return offset(p.x, p.y); }
    constexpr CRect& offsetInverse(const CPoint& p) { return offset(-p.x, -p.y); }
    constexpr CRect& inset(CCoord dx, CCoord dy)
    {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
        return *this;
    }
    constexpr CRect& extend(CCoord dx, CCoord dy) { return inset(-dx, -dy); }

    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool pointInside(const CPoint& p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool rectOverlap(const CRect& r) const
    {
        return r.left < right && r.right > left && r.top < bottom && r.bottom > top;
    }
    // Clips this rect to r; an empty result collapses to zero size.
    constexpr CRect& bound(const CRect& r)
    {
        left = std::max(left, r.left);
        top = std::max(top, r.top);
        right = std::min(right, r.right);
        bottom = std::min(bottom, r.bottom);
        if (right < left)
            right = left;
        if (bottom < top)
            bottom = top;
        return *this;
    }
    // Union; an empty operand does not stretch the other.
    constexpr CRect& unite(const CRect& r)
    {
        if (r.isEmpty())
            return *this;
        if (isEmpty())
            return *this = r;
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
        return *this;
    }

    constexpr bool operator==(const CRect& r) const
    {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }
    constexpr bool operator!=(const CRect& r) const { return !(*this == r); }
};

} // namespace VSTGUI
