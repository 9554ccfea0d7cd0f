#pragma once

#include "vstgui/lib/IPlatformFrame.h"
#include "vstgui/platform/x11/IRunLoop.h"

namespace VSTGUI::X11
{

// Handed to CFrame::open on X11: a window without a run loop cannot get events.
class FrameConfig : public IPlatformFrameConfig
{
public:
    IRunLoop* runLoop{nullptr};
};

} // namespace VSTGUI::X11
