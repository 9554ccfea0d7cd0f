#pragma once

#include "vstgui/platform/x11/IRunLoop.h"

#include "pluginterfaces/gui/iplugview.h"

#include <map>

namespace VSTGUI
{

// Our run-loop interface over the host's Steinberg::Linux::IRunLoop. Whatever is still
// registered when it goes away is unregistered then.
class RunLoopAdapter : public X11::IRunLoop
{
public:
    explicit RunLoopAdapter(Steinberg::Linux::IRunLoop* hostRunLoop);
    ~RunLoopAdapter() override;
    RunLoopAdapter(const RunLoopAdapter&) = delete;
    RunLoopAdapter& operator=(const RunLoopAdapter&) = delete;

    bool registerEventHandler(int fd, X11::IEventHandler* handler) override;
    bool unregisterEventHandler(X11::IEventHandler* handler) override;
    bool registerTimer(uint64_t intervalMs, X11::ITimerHandler* handler) override;
    bool unregisterTimer(X11::ITimerHandler* handler) override;

private:
    class EventProxy;
    class TimerProxy;

    Steinberg::Linux::IRunLoop* hostRunLoop;
    std::map<X11::IEventHandler*, EventProxy*> events;
    std::map<X11::ITimerHandler*, TimerProxy*> timers;
};

} // namespace VSTGUI
