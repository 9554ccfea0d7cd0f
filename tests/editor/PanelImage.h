#pragma once

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <string>

// A PNG read into memory, pixel by pixel (premultiplied ARGB, as cairo keeps it).
class PanelImage
{
public:
    explicit PanelImage(const std::string& path)
        : surface(cairo_image_surface_create_from_png(path.c_str()))
    {
    }
    ~PanelImage() { cairo_surface_destroy(surface); }
    PanelImage(const PanelImage&) = delete;
    PanelImage& operator=(const PanelImage&) = delete;

    bool loaded() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface); }
    int height() const { return cairo_image_surface_get_height(surface); }

    uint32_t argb(int x, int y) const
    {
        const unsigned char* data = cairo_image_surface_get_data(surface);
        uint32_t v = 0;
        std::memcpy(&v, data + y * cairo_image_surface_get_stride(surface) + x * 4, 4);
        // Images without alpha leave the top byte undefined.
        return cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24 ? (v | 0xff000000u)
                                                                             : v;
    }
    uint32_t rgb(int x, int y) const { return argb(x, y) & 0x00ffffffu; }
    bool opaque(int x, int y) const { return (argb(x, y) >> 24) == 0xff; }

private:
    cairo_surface_t* surface;
};
