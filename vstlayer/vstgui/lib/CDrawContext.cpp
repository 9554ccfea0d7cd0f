#include "vstgui/lib/CDrawContext.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CFontDesc.h"
#include "vstgui/lib/CGradient.h"

#include <cairo.h>
#include <cmath>
#include <numbers>

namespace VSTGUI
{

CDrawContext::CDrawContext(cairo_t* c) : cr(c), font(kNormalFont) {}

void CDrawContext::setFont(CFontRef f)
{
    font = f ? f : kNormalFont;
}

void CDrawContext::saveGlobalState()
{
    cairo_save(cr);
}

void CDrawContext::restoreGlobalState()
{
    cairo_restore(cr);
}

namespace
{
double snapToPixel(double v)
{
    return std::floor(v + 0.5);
}
} // namespace

void CDrawContext::setClipRect(const CRect& rect)
{
    // On whole device pixels: at a fractional zoom a clip edge would otherwise blend
    // half a pixel row of whatever is drawn across it.
    double left = rect.left, top = rect.top;
    double right = std::max(rect.left, rect.right), bottom = std::max(rect.top, rect.bottom);
    cairo_user_to_device(cr, &left, &top);
    cairo_user_to_device(cr, &right, &bottom);
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_identity_matrix(cr);
    cairo_rectangle(cr, snapToPixel(left), snapToPixel(top), snapToPixel(right) - snapToPixel(left),
                    snapToPixel(bottom) - snapToPixel(top));
    cairo_clip(cr);
    cairo_set_matrix(cr, &m);
}

void CDrawContext::translate(const CPoint& offset)
{
    cairo_translate(cr, offset.x, offset.y);
}

void CDrawContext::setSourceColor(const CColor& c)
{
    cairo_set_source_rgba(cr, c.red / 255., c.green / 255., c.blue / 255.,
                          c.alpha / 255. * static_cast<double>(globalAlpha));
}

void CDrawContext::finishPath(CDrawStyle style)
{
    if (style == kDrawFilled || style == kDrawFilledAndStroked)
    {
        setSourceColor(fillColor);
        if (style == kDrawFilledAndStroked)
            cairo_fill_preserve(cr);
        else
            cairo_fill(cr);
    }
    if (style == kDrawStroked || style == kDrawFilledAndStroked)
    {
        setSourceColor(frameColor);
        cairo_set_line_width(cr, lineWidth);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
}

void CDrawContext::drawLine(const CPoint& from, const CPoint& to)
{
    // Half-pixel offset puts odd-width lines on whole pixels.
    const double h = std::fmod(lineWidth, 2.) == 1. ? 0.5 : 0.;
    cairo_move_to(cr, from.x + h, from.y + h);
    cairo_line_to(cr, to.x + h, to.y + h);
    finishPath(kDrawStroked);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    if (style == kDrawFilled)
    {
        cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    }
    else
    {
        // Stroke inside the rect so a frame never paints outside its view.
        const double h = lineWidth / 2;
        cairo_rectangle(cr, rect.left + h, rect.top + h, std::max(0., rect.getWidth() - lineWidth),
                        std::max(0., rect.getHeight() - lineWidth));
    }
    finishPath(style);
}

void CDrawContext::drawRoundRect(const CRect& rect, CCoord radius, CDrawStyle style)
{
    const double h = style == kDrawFilled ? 0. : lineWidth / 2;
    const double l = rect.left + h, t = rect.top + h;
    const double w = std::max(0., rect.getWidth() - 2 * h);
    const double ht = std::max(0., rect.getHeight() - 2 * h);
    const double r = std::clamp(radius, 0., std::min(w, ht) / 2);
    const double pi = std::numbers::pi;
    cairo_new_sub_path(cr);
    cairo_arc(cr, l + w - r, t + r, r, -pi / 2, 0);
    cairo_arc(cr, l + w - r, t + ht - r, r, 0, pi / 2);
    cairo_arc(cr, l + r, t + ht - r, r, pi / 2, pi);
    cairo_arc(cr, l + r, t + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
    finishPath(style);
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style)
{
    const double w = rect.getWidth(), ht = rect.getHeight();
    if (w <= 0 || ht <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, rect.left + w / 2, rect.top + ht / 2);
    cairo_scale(cr, w / 2, ht / 2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
    finishPath(style);
}

void CDrawContext::drawPolygon(const std::vector<CPoint>& points, CDrawStyle style)
{
    if (points.size() < 2)
        return;
    cairo_move_to(cr, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i)
        cairo_line_to(cr, points[i].x, points[i].y);
    cairo_close_path(cr);
    finishPath(style);
}

void CDrawContext::fillRectWithGradient(const CRect& rect, const CGradient& gradient, bool vertical)
{
    cairo_pattern_t* p = vertical ? cairo_pattern_create_linear(0, rect.top, 0, rect.bottom)
                                  : cairo_pattern_create_linear(rect.left, 0, rect.right, 0);
    for (const auto& [start, c] : gradient.getColorStops())
        cairo_pattern_add_color_stop_rgba(p, start, c.red / 255., c.green / 255., c.blue / 255.,
                                          c.alpha / 255. * static_cast<double>(globalAlpha));
    cairo_set_source(cr, p);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void CDrawContext::applyFont()
{
    const CFontRef f = font ? font : kNormalFont;
    cairo_select_font_face(
        cr, f->getPlatformFamily().c_str(),
        (f->getStyle() & kItalicFace) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
        (f->getStyle() & kBoldFace) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, f->getSize() > 0 ? f->getSize() : 12);
}

CCoord CDrawContext::getStringWidth(const UTF8String& text)
{
    applyFont();
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    return ext.x_advance;
}

void CDrawContext::drawString(const UTF8String& text, const CPoint& baseline, bool antialias)
{
    applyFont();
    cairo_save(cr);
    if (!antialias)
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    setSourceColor(fontColor);
    cairo_move_to(cr, baseline.x, baseline.y);
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
    cairo_restore(cr);
}

void CDrawContext::drawString(const UTF8String& text, const CRect& rect, CHoriTxtAlign align,
                              bool antialias)
{
    if (text.empty())
        return;
    applyFont();
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    const CCoord width = getStringWidth(text);
    CCoord x = rect.left;
    if (align == kCenterText)
        x = rect.left + (rect.getWidth() - width) / 2;
    else if (align == kRightText)
        x = rect.right - width;
    const CCoord y = rect.top + (rect.getHeight() + fe.ascent - fe.descent) / 2;
    cairo_save(cr);
    setClipRect(rect);
    drawString(text, CPoint(std::round(x), std::round(y)), antialias);
    cairo_restore(cr);
}

double CDrawContext::getScaleFactor() const
{
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    return std::hypot(m.xx, m.yx);
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
    if (!bitmap || !bitmap->getSurface() || dest.isEmpty())
        return;
    const double scale = getScaleFactor();
    double imageScale = 1;
    cairo_surface_t* image = bitmap->getSurfaceForScale(scale, imageScale);
    // In device pixels, with the clip and the image's origin on whole pixels: an image
    // made for this scale is then copied pixel for pixel, never resampled.
    double x = dest.left - offset.x, y = dest.top - offset.y;
    cairo_user_to_device(cr, &x, &y);
    cairo_save(cr);
    setClipRect(dest);
    cairo_identity_matrix(cr);
    cairo_translate(cr, snapToPixel(x), snapToPixel(y));
    const double ratio = scale / imageScale;
    const bool exact = std::fabs(ratio - 1) < 1e-9;
    if (!exact)
        cairo_scale(cr, ratio, ratio);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr),
                             exact ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr, static_cast<double>(alpha * globalAlpha));
    cairo_restore(cr);
}

} // namespace VSTGUI
