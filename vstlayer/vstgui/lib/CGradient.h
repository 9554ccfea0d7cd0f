#pragma once

#include "vstgui/lib/CBaseObject.h"
#include "vstgui/lib/CColor.h"

#include <map>

namespace VSTGUI
{

class CGradient : public CBaseObject
{
public:
    using ColorStopMap = std::multimap<double, CColor>;

    CGradient() = default;
    explicit CGradient(const ColorStopMap& stops) : colorStops(stops) {}

    void addColorStop(double start, const CColor& color) { colorStops.emplace(start, color); }
    const ColorStopMap& getColorStops() const { return colorStops; }

private:
    ColorStopMap colorStops;
};

} // namespace VSTGUI
