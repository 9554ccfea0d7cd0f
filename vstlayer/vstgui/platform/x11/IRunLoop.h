#pragma once

#include "vstgui/platform/x11/IEventHandler.h"
#include "vstgui/platform/x11/ITimerHandler.h"

#include <cstdint>

namespace VSTGUI::X11
{

// The host's event loop as this library sees it: file descriptors and timers.
class IRunLoop
{
public:
    virtual ~IRunLoop() = default;
    virtual bool registerEventHandler(int fd, IEventHandler* handler) = 0;
    virtual bool unregisterEventHandler(IEventHandler* handler) = 0;
    virtual bool registerTimer(uint64_t intervalMs, ITimerHandler* handler) = 0;
    virtual bool unregisterTimer(ITimerHandler* handler) = 0;
};

} // namespace VSTGUI::X11
