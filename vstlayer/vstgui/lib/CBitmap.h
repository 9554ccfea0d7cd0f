#pragma once

#include "vstgui/lib/CBaseObject.h"
#include "vstgui/lib/CRect.h"

#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI
{

// A PNG image (or a blank one) held as a cairo image surface.
class CBitmap : public CBaseObject
{
public:
    // Loads the PNG at path; a missing or broken file leaves isLoaded() false.
    explicit CBitmap(const std::string& path);
    CBitmap(CCoord width, CCoord height);
    ~CBitmap() override;

    bool isLoaded() const { return surface != nullptr; }
    CCoord getWidth() const;
    CCoord getHeight() const;
    const std::string& getPath() const { return path; }
    cairo_surface_t* getSurface() const { return surface; }

    // Draws the part of the bitmap starting at offset into rect.
    void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0),
              float alpha = 1.f);

private:
    std::string path;
    cairo_surface_t* surface{nullptr};
};

} // namespace VSTGUI
