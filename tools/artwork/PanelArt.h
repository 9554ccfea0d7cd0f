#pragma once

#include "Canvas.h"
#include "ViewRect.h"

#include <string>
#include <vector>

namespace zarg::artwork
{

// The face plate: a painted enclosure with its hardware. Controls and labels
// are views drawn over it, so every piece of hardware must keep clear of them.
class PanelArt
{
public:
    PanelArt(int visibleWidth, int visibleHeight, std::vector<ViewRect> views)
        : m_width(visibleWidth), m_height(visibleHeight), m_views(std::move(views))
    {
    }

    // Throws std::runtime_error naming the piece and the view when they would overlap.
    void draw(Canvas& canvas) const;

private:
    void claim(const std::string& piece, double x, double y, double w, double h) const;
    void paintEnclosure(Canvas& canvas) const;
    void screw(cairo_t* cr, double cx, double cy, double rotation) const;
    void jack(cairo_t* cr, double cx, double cy, const char* legend, bool legendRight) const;
    void badge(cairo_t* cr, double cx, double cy) const;
    void led(cairo_t* cr, double cx, double cy) const;
    void footswitch(cairo_t* cr, double cx, double cy) const;
    void topLine(cairo_t* cr, double cx, double baseline) const;
    void wave(cairo_t* cr, double cx, double cy, bool clipped) const;

    int m_width;
    int m_height;
    std::vector<ViewRect> m_views;
};

} // namespace zarg::artwork
