#include "StockKnobLook.h"

#include "Shapes.h"

#include <cstdint>
#include <utility>

namespace zarg::artwork
{

StockKnobLook StockKnobLook::forName(std::string_view name)
{
    using shapes::hex;
    using Shape = StockKnobLook::Shape;
    auto has = [&](std::string_view word) { return name.find(word) != std::string_view::npos; };

    StockKnobLook k;
    k.shadow = name.starts_with("alpha");

    // Model first, then the colour its name gives.
    const std::pair<std::string_view, Shape> models[] = {
        {"ableton", Shape::Flat}, {"chickenhead", Shape::Chicken}, {"gear", Shape::Gear},
        {"amp", Shape::Fluted},   {"prophet", Shape::Fluted},      {"maschine", Shape::Ring},
        {"303", Shape::Flat},     {"minibrute", Shape::Ring},      {"plastic", Shape::Capped},
    };
    for (const auto& [word, shape] : models)
    {
        if (has(word))
        {
            k.shape = shape;
            break;
        }
    }
    const std::pair<std::string_view, std::uint32_t> colours[] = {
        {"blue", 0x2f6fd6},   {"green", 0x2e9e4a}, {"red", 0xc8281e},   {"yellow", 0xe8c21a},
        {"orange", 0xe06a10}, {"grey", 0x9a9ca0},  {"white", 0xefe9dc}, {"black", 0x2a2a2c},
        {"303", 0xd8d2c4},    {"m400", 0x7a2418},  {"fx", 0x6a4fb0},    {"vst", 0xb0b4ba},
    };
    for (const auto& [word, rgb] : colours)
    {
        if (has(word))
        {
            k.top = hex(rgb);
            break;
        }
    }
    if (has("ableton") || has("maschine") || has("minibrute"))
        k.indicator = has("ableton") ? k.top : hex(0x4fc3ff);
    if (has("ableton"))
        k.top = hex(0x3a3b3e);
    if (has("white") || has("303"))
        k.indicator = hex(0x141414);
    if (has("chickenhead2"))
        k.top = hex(0x1a1a1a);
    if (has("chickenhead3"))
        k.top = hex(0x5a3a22);
    if (has("amp"))
        k.body = hex(0x0c0c0c);
    // The "2" models: the colour moves from the cap to the skirt.
    if (has("ssl") && name.ends_with('2'))
        std::swap(k.body, k.top);
    return k;
}

} // namespace zarg::artwork
