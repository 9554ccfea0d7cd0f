#pragma once

#include <cairo.h>

#include <string>

namespace zarg::artwork
{

// An ARGB image with its cairo context; written out as PNG.
class Canvas
{
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return m_cr; }
    cairo_surface_t* surface() const { return m_surface; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Throws std::runtime_error when the file cannot be written.
    void writePng(const std::string& path) const;

private:
    int m_width;
    int m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};

} // namespace zarg::artwork
