#pragma once

#include "Rgb.h"

#include <string_view>

namespace zarg::artwork
{

// A stock knob model: a body that stays put and an indicator that turns, so the
// frames of a strip differ only where the indicator goes.
struct StockKnobLook
{
    enum class Shape
    {
        Capped,  // dark skirt under a coloured cap
        Flat,    // one flat disc inside a value ring
        Chicken, // a pointed bar over a round skirt, the whole bar turning
        Gear,    // toothed skirt
        Fluted,  // skirt with grooves round its rim
        Ring,    // a thin ring that lights up to the value
    };

    Shape shape = Shape::Capped;
    Rgb body{0.12, 0.12, 0.13};
    Rgb top{0.55, 0.55, 0.57};
    Rgb indicator{1, 1, 1};
    bool shadow = false; // drawn for a view of its own: soft shadow in the frame

    // The model a stock bitmap's name stands for.
    static StockKnobLook forName(std::string_view name);
};

} // namespace zarg::artwork
