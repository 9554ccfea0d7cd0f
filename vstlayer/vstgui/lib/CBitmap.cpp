#include "vstgui/lib/CBitmap.h"

#include "vstgui/lib/CDrawContext.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace VSTGUI
{

namespace
{
cairo_surface_t* loadPNG(const std::string& file)
{
    cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS)
        return s;
    cairo_surface_destroy(s);
    return nullptr;
}

// Pixel size of a 1x length at scale: whole pixels, a partial one counting.
int scaledPixels(CCoord length, double scale)
{
    return static_cast<int>(std::ceil(length * scale - 1e-9));
}
} // namespace

CBitmap::CBitmap(const std::string& p) : path(p), surface(loadPNG(p))
{
    if (surface)
        loadScaledSiblings();
}

CBitmap::CBitmap(CCoord width, CCoord height)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width),
                                                    static_cast<int>(height));
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS)
        surface = s;
    else
        cairo_surface_destroy(s);
}

CBitmap::~CBitmap()
{
    for (auto& [scale, image] : scaled)
        cairo_surface_destroy(image);
    if (surface)
        cairo_surface_destroy(surface);
}

void CBitmap::loadScaledSiblings()
{
    namespace fs = std::filesystem;
    const fs::path file(path);
    if (file.extension() != ".png")
        return;
    const std::string prefix = file.stem().string() + "#";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(file.parent_path(), error))
    {
        const std::string name = entry.path().filename().string();
        if (name.size() <= prefix.size() + 5 || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - 5, 5, "x.png") != 0)
            continue;
        const std::string number = name.substr(prefix.size(), name.size() - prefix.size() - 5);
        char* end = nullptr;
        const double scale = std::strtod(number.c_str(), &end);
        if (end != number.c_str() + number.size() || !(scale > 1))
            continue;
        if (cairo_surface_t* image = loadPNG(entry.path().string());
            image && !addScaledSurface(scale, image))
            cairo_surface_destroy(image);
    }
}

bool CBitmap::addScaledSurface(double scale, cairo_surface_t* image)
{
    if (!surface || !image || !(scale > 1) ||
        cairo_image_surface_get_width(image) != scaledPixels(getWidth(), scale) ||
        cairo_image_surface_get_height(image) != scaledPixels(getHeight(), scale))
        return false;
    for (auto& entry : scaled)
        if (entry.first == scale)
        {
            cairo_surface_destroy(entry.second);
            entry.second = image;
            return true;
        }
    scaled.emplace_back(scale, image);
    std::sort(scaled.begin(), scaled.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    return true;
}

cairo_surface_t* CBitmap::getSurfaceForScale(double scale, double& imageScale) const
{
    imageScale = 1;
    if (scale <= 1 || scaled.empty())
        return surface;
    for (const auto& [s, image] : scaled)
        if (s >= scale - 1e-9)
        {
            imageScale = s;
            return image;
        }
    imageScale = scaled.back().first;
    return scaled.back().second;
}

CCoord CBitmap::getWidth() const
{
    return surface ? cairo_image_surface_get_width(surface) : 0;
}

CCoord CBitmap::getHeight() const
{
    return surface ? cairo_image_surface_get_height(surface) : 0;
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
    if (context)
        context->drawBitmap(this, rect, offset, alpha);
}

} // namespace VSTGUI
