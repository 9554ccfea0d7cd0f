#pragma once

#include <cairo.h>

#include <string>

namespace zarg::artwork
{

// An ARGB image with its cairo context; written out as PNG. Art draws in units of the
// 1x image (width x height); scale > 1 makes the image that many times larger in
// pixels, drawn at that resolution rather than enlarged.
class Canvas
{
public:
    Canvas(int width, int height, double scale = 1.0);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return m_cr; }
    cairo_surface_t* surface() const { return m_surface; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    double scale() const { return m_scale; }
    int pixelWidth() const;
    int pixelHeight() const;

    // Throws std::runtime_error when the file cannot be written.
    void writePng(const std::string& path) const;

private:
    int m_width;
    int m_height;
    double m_scale;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};

} // namespace zarg::artwork
