#pragma once

#include <cstdint>

namespace VSTGUI::X11
{

class IEventHandler
{
public:
    virtual ~IEventHandler() = default;
    virtual void onEvent() = 0;
};

class ITimerHandler
{
public:
    virtual ~ITimerHandler() = default;
    virtual void onTimer() = 0;
};

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
