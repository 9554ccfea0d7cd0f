#pragma once

#include "vstgui/lib/CBaseObject.h"
#include "vstgui/lib/CColor.h"
#include "vstgui/lib/CRect.h"

#include <vector>

typedef struct _cairo cairo_t;

namespace VSTGUI
{

// Drawing on a cairo context. The context is borrowed, never destroyed here.
class CDrawContext
{
public:
    explicit CDrawContext(cairo_t* cr);
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    cairo_t* getCairo() const { return cr; }

    void setLineWidth(CCoord width) { lineWidth = width; }
    CCoord getLineWidth() const { return lineWidth; }
    void setFrameColor(const CColor& c) { frameColor = c; }
    const CColor& getFrameColor() const { return frameColor; }
    void setFillColor(const CColor& c) { fillColor = c; }
    const CColor& getFillColor() const { return fillColor; }
    void setFontColor(const CColor& c) { fontColor = c; }
    const CColor& getFontColor() const { return fontColor; }
    void setFont(CFontRef font);
    CFontRef getFont() const { return font; }
    void setGlobalAlpha(float a) { globalAlpha = a; }

    void saveGlobalState();
    void restoreGlobalState();
    // Intersects the clip with rect (in the current coordinates).
    void setClipRect(const CRect& rect);
    // Moves the origin; used by containers to give children local coordinates.
    void translate(const CPoint& offset);

    void drawLine(const CPoint& from, const CPoint& to);
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawRoundRect(const CRect& rect, CCoord radius, CDrawStyle style = kDrawStroked);
    void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawPolygon(const std::vector<CPoint>& points, CDrawStyle style = kDrawStroked);
    void fillRectWithGradient(const CRect& rect, const CGradient& gradient, bool vertical = true);

    void drawString(const UTF8String& text, const CRect& rect, CHoriTxtAlign align = kCenterText,
                    bool antialias = true);
    void drawString(const UTF8String& text, const CPoint& baseline, bool antialias = true);
    CCoord getStringWidth(const UTF8String& text);

    // Device pixels per unit of the current coordinates (a frame's zoom).
    double getScaleFactor() const;
    // Copies the bitmap region at offset into dest, pixel for pixel, from the bitmap's
    // image made for the current scale when it has one.
    void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(0, 0),
                    float alpha = 1.f);

private:
    void setSourceColor(const CColor& c);
    void finishPath(CDrawStyle style);
    void applyFont();

    cairo_t* cr;
    CCoord lineWidth{1};
    CColor frameColor{kBlackCColor};
    CColor fillColor{kWhiteCColor};
    CColor fontColor{kBlackCColor};
    CFontRef font{nullptr};
    float globalAlpha{1.f};
};

} // namespace VSTGUI
