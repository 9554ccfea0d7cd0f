#include "Canvas.h"

#include <stdexcept>

namespace zarg::artwork
{

Canvas::Canvas(int width, int height)
    : m_width(width), m_height(height),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      m_cr(cairo_create(m_surface))
{
    if (cairo_status(m_cr) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot create a drawing surface");
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_BEST);
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
