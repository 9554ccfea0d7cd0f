#pragma once

#include "vstgui/lib/VSTGUIFwd.h"

namespace VSTGUI
{

struct CPoint
{
    CCoord x{0};
    CCoord y{0};

    constexpr CPoint() = default;
    constexpr CPoint(CCoord px, CCoord py) : x(px), y(py) {}

    constexpr CPoint& offset(CCoord dx, CCoord dy)
    {
        x += dx;
        y += dy;
        return *this;
    }
    constexpr CPoint& offset(const CPoint& p) { return offset(p.x, p.y); }
    constexpr CPoint& offsetInverse(const CPoint& p) { return offset(-p.x, -p.y); }

    constexpr CPoint operator+(const CPoint& p) const { return {x + p.x, y + p.y}; }
    constexpr CPoint operator-(const CPoint& p) const { return {x - p.x, y - p.y}; }
    constexpr CPoint& operator+=(const CPoint& p) { return offset(p); }
    constexpr CPoint& operator-=(const CPoint& p) { return offsetInverse(p); }
    constexpr bool operator==(const CPoint& p) const { return x == p.x && y == p.y; }
    constexpr bool operator!=(const CPoint& p) const { return !(*this == p); }
};

} // namespace VSTGUI
