#include "SliderArt.h"

#include "Shapes.h"

#include <algorithm>
#include <numbers>

namespace zarg::artwork
{
namespace
{

// Runs draw(len, across) in a frame where the slider runs along x; a vertical
// slider's piece is turned so that x runs up it.
template <typename Draw>
void alongX(cairo_t* cr, double w, double h, bool vertical, Draw draw)
{
    cairo_save(cr);
    if (vertical)
    {
        cairo_translate(cr, 0, h);
        cairo_rotate(cr, -std::numbers::pi / 2);
        draw(h, w);
    }
    else
    {
        draw(w, h);
    }
    cairo_restore(cr);
}

bool dark(std::string_view name)
{
    return name.find("two") != std::string_view::npos ||
           name.find("S700") != std::string_view::npos;
}

} // namespace

void SliderArt::back(Canvas& canvas, std::string_view name)
{
    const double w = canvas.width();
    const double h = canvas.height();
    alongX(canvas.cr(), w, h, h > w,
           [&](double len, double across) { slot(canvas.cr(), len, across, dark(name)); });
}

void SliderArt::handle(Canvas& canvas, std::string_view name)
{
    // A handle is wide across its slider and short along it.
    const double w = canvas.width();
    const double h = canvas.height();
    alongX(canvas.cr(), w, h, w > h,
           [&](double len, double across) { cap(canvas.cr(), len, across, dark(name)); });
}

void SliderArt::selector(Canvas& canvas, int frameHeight, int positions)
{
    cairo_t* cr = canvas.cr();
    const double w = canvas.width();
    const double h = frameHeight;
    for (int i = 0; i < positions; ++i)
    {
        cairo_save(cr);
        cairo_translate(cr, 0, i * h);
        alongX(cr, w, h, h > w,
               [&](double len, double across)
               {
                   slot(cr, len, across, true);
                   // Position 0 at the start: the left, or the top of a standing switch.
                   const double capLen = len / (positions + 1);
                   const double travel = len - capLen - 4;
                   const double at = h > w ? len - 2 - capLen - travel * i / (positions - 1)
                                           : 2 + travel * i / (positions - 1);
                   cairo_translate(cr, at, 0);
                   cap(cr, capLen, across, false);
               });
        cairo_restore(cr);
    }
}

void SliderArt::slot(cairo_t* cr, double len, double across, bool dark)
{
    using namespace shapes;
    roundedRect(cr, 0.5, 0.5, len - 1, across - 1, 3);
    setSource(cr, dark ? hex(0x1a1a1c) : hex(0x6a6d72));
    cairo_fill(cr);
    // Scale ticks either side of the slot.
    const int ticks = std::max(3, static_cast<int>(len / 12));
    for (int i = 0; i <= ticks; ++i)
    {
        const double x = 4 + (len - 8) * i / ticks;
        cairo_move_to(cr, x, 2);
        cairo_line_to(cr, x, across * 0.22);
        cairo_move_to(cr, x, across * 0.78);
        cairo_line_to(cr, x, across - 2);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, dark ? 0.5 : 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    roundedRect(cr, 3, across / 2 - 2, len - 6, 4, 2);
    setSource(cr, hex(0x050505));
    cairo_fill(cr);
}

void SliderArt::cap(cairo_t* cr, double len, double across, bool dark)
{
    using namespace shapes;
    roundedRect(cr, 0.5, 0.5, len - 1, across - 1, 2);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, 0, len, 0);
    addStop(face, 0, dark ? hex(0x4a4a4e) : hex(0xf0f2f4));
    addStop(face, 1, dark ? hex(0x141416) : hex(0x8a8e92));
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // The line across the middle marks the value.
    cairo_move_to(cr, len / 2, 1.5);
    cairo_line_to(cr, len / 2, across - 1.5);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

} // namespace zarg::artwork
