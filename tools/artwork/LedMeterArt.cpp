#include "LedMeterArt.h"

#include "Shapes.h"

namespace zarg::artwork
{

void LedMeterArt::draw(Canvas& canvas, bool lit, bool inverted)
{
    using namespace shapes;
    cairo_t* cr = canvas.cr();
    const double w = canvas.width();
    const double h = canvas.height();
    const bool vertical = h > w;
    const double len = vertical ? h : w;
    const double across = vertical ? w : h;
    const double pitch = len / kLeds;

    setSource(cr, hex(0x0e0e0f));
    cairo_paint(cr);
    for (int i = 0; i < kLeds; ++i)
    {
        // i counts from the top or left, where the meter measures its cut from; the
        // cuts fall in the gaps. The colour goes by the order the LEDs light in.
        const int order = (vertical != inverted) ? kLeds - 1 - i : i;
        const double t = static_cast<double>(order) / (kLeds - 1);
        const Rgb colour = t < 0.6 ? hex(0x30e040) : t < 0.85 ? hex(0xf0d020) : hex(0xf03020);
        const double pos = i * pitch + 1.5;
        const double size = pitch - 3;
        const double x = vertical ? 2.5 : pos;
        const double y = vertical ? pos : 2.5;
        roundedRect(cr, x, y, vertical ? across - 5 : size, vertical ? size : across - 5, 1.2);
        if (lit)
        {
            cairo_pattern_t* p = cairo_pattern_create_linear(x, y, vertical ? x + across - 5 : x,
                                                             vertical ? y : y + across - 5);
            addStop(p, 0, mix(colour, hex(0xffffff), 0.45));
            addStop(p, 1, colour);
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
        }
        else
        {
            setSource(cr, scale(colour, 0.22));
            cairo_fill(cr);
        }
    }
}

} // namespace zarg::artwork
