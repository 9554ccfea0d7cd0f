#pragma once

#include <string>

namespace zarg::artwork
{

// One view of the editor in panel coordinates, as the layout file places it.
struct ViewRect
{
    std::string viewClass;
    std::string title;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double right() const { return x + width; }
    double bottom() const { return y + height; }

    bool intersects(const ViewRect& other, double margin) const
    {
        return x - margin < other.right() && other.x < right() + margin &&
               y - margin < other.bottom() && other.y < bottom() + margin;
    }
};

} // namespace zarg::artwork
