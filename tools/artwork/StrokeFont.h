#pragma once

#include <cairo.h>

#include <string_view>

namespace zarg::artwork
{

// A small chamfered capital alphabet built from strokes, so the lettering on
// the artwork needs no installed fonts and renders the same everywhere.
// Glyphs live on a grid 6 units high; the caller strokes the path.
class StrokeFont
{
public:
    explicit StrokeFont(double capHeight, double spacing = 1.6)
        : m_unit(capHeight / 6.0), m_spacing(spacing)
    {
    }

    double width(std::string_view text) const;

    // Adds the glyph strokes to the current path, baseline-left at x, y.
    void addText(cairo_t* cr, std::string_view text, double x, double y) const;

    // Same, centred horizontally on cx.
    void addCentred(cairo_t* cr, std::string_view text, double cx, double y) const
    {
        addText(cr, text, cx - width(text) / 2, y);
    }

private:
    double m_unit;
    double m_spacing;
};

} // namespace zarg::artwork
