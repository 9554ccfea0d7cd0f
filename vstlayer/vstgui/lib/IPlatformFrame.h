#pragma once

#include "vstgui/lib/CRect.h"

namespace VSTGUI
{

// Per-platform settings handed through CFrame::open.
class IPlatformFrameConfig
{
public:
    virtual ~IPlatformFrameConfig() = default;
};

// The native window behind a frame.
class IPlatformFrame
{
public:
    virtual ~IPlatformFrame() = default;
    virtual void invalidRect(const CRect& rect) = 0;
    virtual bool setSize(const CRect& size) = 0;

    // Defined by the platform folder; null when the window cannot be made.
    static IPlatformFrame* create(CFrame* frame, void* parent, PlatformType type,
                                  IPlatformFrameConfig* config);
};

} // namespace VSTGUI
