#pragma once

#include <string>

namespace VSTGUI
{
class CFrame;
}

// The text IOffscreenView::describeViews hands out for a frame.
class ViewTreeText
{
public:
    static std::string describe(VSTGUI::CFrame* frame);
};
