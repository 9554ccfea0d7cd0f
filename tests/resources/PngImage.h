#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

// A PNG file read through cairo.
class PngImage
{
public:
    // Straight (not premultiplied) channels from 0 to 1.
    struct Pixel
    {
        double a, r, g, b;
    };

    explicit PngImage(const std::string& path)
        : m_surface(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy)
    {
    }

    bool ok() const { return cairo_surface_status(m_surface.get()) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(m_surface.get()); }
    int height() const { return cairo_image_surface_get_height(m_surface.get()); }

    Pixel at(int x, int y) const
    {
        const unsigned char* data = cairo_image_surface_get_data(m_surface.get());
        const int stride = cairo_image_surface_get_stride(m_surface.get());
        std::uint32_t v = 0;
        if (cairo_image_surface_get_format(m_surface.get()) == CAIRO_FORMAT_RGB24)
            v = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] | 0xff000000u;
        else
            v = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
        const double a = (v >> 24) / 255.0;
        if (a == 0)
            return {0, 0, 0, 0};
        return {a, ((v >> 16) & 0xff) / 255.0 / a, ((v >> 8) & 0xff) / 255.0 / a,
                (v & 0xff) / 255.0 / a};
    }

private:
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> m_surface;
};
