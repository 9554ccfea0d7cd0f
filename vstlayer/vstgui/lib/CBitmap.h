#pragma once

#include "vstgui/lib/CBaseObject.h"
#include "vstgui/lib/CRect.h"

#include <string>
#include <utility>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI
{

// A PNG image (or a blank one) held as cairo image surfaces: the 1x image, whose size
// is the bitmap's size, and any higher-resolution versions of it for HiDPI drawing.
class CBitmap : public CBaseObject
{
public:
    // Loads the PNG at path; a missing or broken file leaves isLoaded() false. Files
    // next to it named "<name>#<scale>x.png" (VSTGUI's naming, "knob#2x.png") become
    // its versions at those scales.
    explicit CBitmap(const std::string& path);
    CBitmap(CCoord width, CCoord height);
    ~CBitmap() override;

    bool isLoaded() const { return surface != nullptr; }
    CCoord getWidth() const;
    CCoord getHeight() const;
    const std::string& getPath() const { return path; }
    cairo_surface_t* getSurface() const { return surface; }

    // Adds (and takes) the image drawn at scale (> 1); false, without taking it, when it
    // is not the 1x image's size times scale.
    bool addScaledSurface(double scale, cairo_surface_t* image);
    // The image to draw at this scale: the exact one, else the smallest larger, else the
    // largest. Its own scale goes to imageScale.
    cairo_surface_t* getSurfaceForScale(double scale, double& imageScale) const;

    // Draws the part of the bitmap starting at offset into rect.
    void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0),
              float alpha = 1.f);

private:
    void loadScaledSiblings();

    std::string path;
    cairo_surface_t* surface{nullptr};
    std::vector<std::pair<double, cairo_surface_t*>> scaled; // ascending scale
};

} // namespace VSTGUI
