#pragma once

#include <cairo.h>
#include <cstdint>
#include <string>

namespace VSTGUI::Test
{

// Writes a film strip of n frames (w x h each, stacked vertically). Frame i is filled
// with red = i and green = tagGreen, so a rendered pixel tells which frame is shown.
inline bool writeStrip(const std::string& path, int w, int h, int n, int tagGreen = 200)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h * n);
    cairo_t* cr = cairo_create(s);
    for (int i = 0; i < n; ++i)
    {
        cairo_set_source_rgb(cr, i / 255., tagGreen / 255., 0);
        cairo_rectangle(cr, 0, i * h, w, h);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

struct Pixel
{
    uint8_t r, g, b, a;
};

inline Pixel pixelAt(cairo_surface_t* s, int x, int y)
{
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    uint32_t v;
    __builtin_memcpy(&v, data + y * stride + x * 4, 4);
    return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v),
            static_cast<uint8_t>(v >> 24)};
}

} // namespace VSTGUI::Test
