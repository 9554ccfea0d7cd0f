#include "OnOffArt.h"

#include "PushButtonArt.h"
#include "Shapes.h"
#include "ToggleSwitchArt.h"

#include <algorithm>
#include <numbers>

namespace zarg::artwork
{

void OnOffArt::draw(Canvas& canvas, std::string_view name)
{
    auto has = [&](std::string_view word) { return name.find(word) != std::string_view::npos; };
    const int w = canvas.width();
    const int h = canvas.height() / 2;
    if (has("toggleswitch"))
        return ToggleSwitchArt(w).draw(canvas);
    if (has("prophetbutton") || has("prohphetbutton") || has("prohetbutton"))
        return PushButtonArt(w, h).draw(canvas);

    cairo_t* cr = canvas.cr();
    for (int i = 0; i < 2; ++i)
    {
        cairo_save(cr);
        cairo_rectangle(cr, 0, i * h, w, h);
        cairo_clip(cr);
        if (has("oberheim") || has("assign"))
            twoPart(cr, w, h, i * h, i == 1);
        else if (has("power"))
            rocker(cr, w, h, i * h, i == 1);
        else if (has("rubber"))
            rubber(cr, w, h, i * h, i == 1);
        else
            lamp(cr, w, h, i * h, i == 1, has("green"));
        cairo_restore(cr);
    }
}

// A wide button with a lamp window above its cap.
void OnOffArt::twoPart(cairo_t* cr, double w, double h, double top, bool on)
{
    using namespace shapes;
    roundedRect(cr, 0.5, top + 0.5, w - 1, h - 1, std::min(w, h) * 0.12);
    setSource(cr, hex(0x161617));
    cairo_fill(cr);
    const double lampH = h * 0.28;
    roundedRect(cr, w * 0.3, top + h * 0.1, w * 0.4, lampH, lampH * 0.3);
    setSource(cr, on ? hex(0xff5a2a) : hex(0x4a1a10));
    cairo_fill(cr);
    roundedRect(cr, w * 0.08, top + h * 0.45, w * 0.84, h * 0.45, 1.5);
    cairo_pattern_t* cap = cairo_pattern_create_linear(0, top + h * 0.45, 0, top + h * 0.9);
    addStop(cap, 0, hex(on ? 0xbfc2c6 : 0xe4e6e8));
    addStop(cap, 1, hex(on ? 0x8a8d91 : 0xa4a7ab));
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
}

// A rocker: the pressed half sits low and dark.
void OnOffArt::rocker(cairo_t* cr, double w, double h, double top, bool on)
{
    using namespace shapes;
    roundedRect(cr, 0.5, top + 0.5, w - 1, h - 1, w * 0.12);
    setSource(cr, hex(0x101010));
    cairo_fill(cr);
    const double x0 = w * 0.15;
    const double cw = w * 0.7;
    const double y0 = top + h * 0.1;
    const double ch = h * 0.8;
    cairo_rectangle(cr, x0, y0, cw, ch);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, y0, 0, y0 + ch);
    addStop(face, 0, hex(on ? 0x5a0e0a : 0xd8281c));
    addStop(face, 0.5, hex(0x8c1610));
    addStop(face, 1, hex(on ? 0xd8281c : 0x5a0e0a));
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // "I" on the upper half, "O" on the lower.
    cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
    cairo_set_line_width(cr, w * 0.05);
    cairo_move_to(cr, w / 2, y0 + ch * 0.15);
    cairo_line_to(cr, w / 2, y0 + ch * 0.35);
    cairo_stroke(cr);
    cairo_arc(cr, w / 2, y0 + ch * 0.75, cw * 0.14, 0, 2 * std::numbers::pi);
    cairo_stroke(cr);
}

// A round rubber cap, lit through from below when on.
void OnOffArt::rubber(cairo_t* cr, double w, double h, double top, bool on)
{
    using namespace shapes;
    const double cx = w / 2;
    const double cy = top + h / 2;
    const double r = std::min(w, h) * 0.42;
    softShadow(cr, cx + r * 0.08, cy + r * 0.14, r * 1.15, 0.5);
    cairo_pattern_t* cap =
        cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, r * 0.1, cx, cy, r);
    addStop(cap, 0, hex(on ? 0xd8f0ff : 0x6a6d72));
    addStop(cap, 0.6, hex(on ? 0x3a9ae8 : 0x3a3c40));
    addStop(cap, 1, hex(on ? 0x1a4a8a : 0x1c1d20));
    cairo_set_source(cr, cap);
    cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
}

void OnOffArt::lamp(cairo_t* cr, double w, double h, double top, bool on, bool green)
{
    using namespace shapes;
    roundedRect(cr, 0.5, top + 0.5, w - 1, h - 1, 3);
    setSource(cr, hex(0x1c1c1c));
    cairo_fill(cr);
    roundedRect(cr, 2.5, top + 2.5, w - 5, h - 5, 2);
    cairo_pattern_t* glow =
        cairo_pattern_create_radial(w / 2, top + h / 2, 0.5, w / 2, top + h / 2, w / 2);
    if (on)
    {
        addStop(glow, 0, green ? hex(0xd8ffd0) : hex(0xfff2b0));
        addStop(glow, 0.5, green ? hex(0x38e040) : hex(0xffb020));
        addStop(glow, 1, green ? hex(0x107a18) : hex(0xc06800));
    }
    else
    {
        addStop(glow, 0, green ? hex(0x1e4a20) : hex(0x6a4a14));
        addStop(glow, 1, green ? hex(0x0c200c) : hex(0x2e2008));
    }
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

} // namespace zarg::artwork
