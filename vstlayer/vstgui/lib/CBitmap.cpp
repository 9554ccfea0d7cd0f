#include "vstgui/lib/CBitmap.h"

#include "vstgui/lib/CDrawContext.h"

#include <cairo.h>

namespace VSTGUI
{

CBitmap::CBitmap(const std::string& p) : path(p)
{
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS)
        surface = s;
    else
        cairo_surface_destroy(s);
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
    if (surface)
        cairo_surface_destroy(surface);
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
