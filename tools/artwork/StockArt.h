#pragma once

#include "Canvas.h"
#include "PanelLayout.h"

#include "editor/StockBitmap.h"

#include <string_view>

namespace zarg::artwork
{

// Draws any bitmap of the stock table in the style of its kind.
class StockArt
{
public:
    explicit StockArt(const PanelLayout& panel) : m_panel(panel) {}

    // The canvas has the bitmap's 1x size.
    void draw(const editor::StockBitmap& bitmap, Canvas& canvas) const;

private:
    // A knob strip of the named model, square frames of the canvas' width.
    static void knobStrip(std::string_view name, Canvas& canvas, int frames);

    const PanelLayout& m_panel;
};

} // namespace zarg::artwork
