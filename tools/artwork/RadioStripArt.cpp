#include "RadioStripArt.h"

#include "Shapes.h"

namespace zarg::artwork
{
namespace
{
constexpr double kButton = 18;
} // namespace

void RadioStripArt::draw(Canvas& canvas, std::string_view name, int buttons)
{
    cairo_t* cr = canvas.cr();
    for (int frame = 0; frame < buttons; ++frame)
    {
        for (int b = 0; b < buttons; ++b)
            button(cr, canvas.width(), (frame * buttons + b) * kButton, b == frame, name);
    }
}

void RadioStripArt::button(cairo_t* cr, double w, double top, bool lit, std::string_view name)
{
    using namespace shapes;
    roundedRect(cr, 1, top + 1, w - 2, kButton - 2, 3);
    setSource(cr, hex(0x18181a));
    cairo_fill(cr);
    roundedRect(cr, 3, top + 3, w - 6, kButton - 6, 2);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, top + 3, 0, top + kButton - 3);
    if (name.find("silver") != std::string_view::npos)
    {
        addStop(face, 0, hex(lit ? 0xa8acb0 : 0xf2f4f6));
        addStop(face, 1, hex(lit ? 0x6a6e72 : 0x9a9ea2));
    }
    else
    {
        const bool green = name.find("green") != std::string_view::npos;
        const Rgb on = green ? hex(0x48f050) : hex(0xffb020);
        addStop(face, 0, lit ? mix(on, hex(0xffffff), 0.5) : scale(on, 0.3));
        addStop(face, 1, lit ? on : scale(on, 0.18));
    }
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
}

} // namespace zarg::artwork
