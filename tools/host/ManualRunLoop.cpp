#include "host/ManualRunLoop.h"

#include <algorithm>

using namespace Steinberg;

namespace ZargHost
{

tresult PLUGIN_API ManualRunLoop::registerEventHandler(Linux::IEventHandler* handler,
                                                       Linux::FileDescriptor /*fd*/)
{
    if (!handler)
        return kInvalidArgument;
    handlers.emplace_back(handler);
    return kResultOk;
}

tresult PLUGIN_API ManualRunLoop::unregisterEventHandler(Linux::IEventHandler* handler)
{
    const auto it = std::find(handlers.begin(), handlers.end(), handler);
    if (it == handlers.end())
        return kInvalidArgument;
    handlers.erase(it);
    return kResultOk;
}

tresult PLUGIN_API ManualRunLoop::registerTimer(Linux::ITimerHandler* handler,
                                                Linux::TimerInterval ms)
{
    if (!handler || ms == 0)
        return kInvalidArgument;
    timers.emplace_back(handler);
    return kResultOk;
}

tresult PLUGIN_API ManualRunLoop::unregisterTimer(Linux::ITimerHandler* handler)
{
    const auto it = std::find(timers.begin(), timers.end(), handler);
    if (it == timers.end())
        return kInvalidArgument;
    timers.erase(it);
    return kResultOk;
}

void ManualRunLoop::idle()
{
    // A timer may unregister itself or others while it runs.
    const auto due = timers;
    for (const auto& timer : due)
        if (std::find(timers.begin(), timers.end(), timer) != timers.end())
            timer->onTimer();
}

} // namespace ZargHost
