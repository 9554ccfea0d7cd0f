#pragma once

#include <string>

// One line of the editor's view listing (IOffscreenView::describeViews).
struct PanelView
{
    int id = -1;
    int parent = -1;
    std::string kind; // the view's class, or "entry" for a menu entry
    double left = 0, top = 0, width = 0, height = 0;
    int tag = -1;
    double value = 0;
    int state = 0;
    std::string text;

    double centerX() const { return left + width / 2; }
    double centerY() const { return top + height / 2; }
};
