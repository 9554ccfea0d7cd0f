#include "Canvas.h"

#include <cmath>
#include <stdexcept>

namespace zarg::artwork
{

namespace
{
int pixels(int units, double scale)
{
    return static_cast<int>(std::ceil(units * scale));
}
} // namespace

Canvas::Canvas(int width, int height, double scale)
    : m_width(width), m_height(height), m_scale(scale),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels(width, scale),
                                           pixels(height, scale))),
      m_cr(cairo_create(m_surface))
{
    if (!(scale > 0) || cairo_status(m_cr) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot create a drawing surface");
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_BEST);
    cairo_scale(m_cr, scale, scale);
}

int Canvas::pixelWidth() const
{
    return pixels(m_width, m_scale);
}

int Canvas::pixelHeight() const
{
    return pixels(m_height, m_scale);
}

Canvas::~Canvas()
{
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

void Canvas::writePng(const std::string& path) const
{
    cairo_surface_flush(m_surface);
    if (cairo_surface_write_to_png(m_surface, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

} // namespace zarg::artwork
