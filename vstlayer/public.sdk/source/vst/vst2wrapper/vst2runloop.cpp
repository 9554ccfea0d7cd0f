#include "public.sdk/source/vst/vst2wrapper/vst2runloop.h"

#include <algorithm>
#include <poll.h>

namespace Steinberg::Vst
{

tresult PLUGIN_API Vst2RunLoop::registerEventHandler(Linux::IEventHandler* handler,
                                                     Linux::FileDescriptor fd)
{
    if (!handler || fd < 0 || registered(handler))
        return kInvalidArgument;
    descriptors.push_back({handler, fd});
    return kResultTrue;
}

tresult PLUGIN_API Vst2RunLoop::unregisterEventHandler(Linux::IEventHandler* handler)
{
    const auto removed =
        std::erase_if(descriptors, [handler](const Descriptor& d) { return d.handler == handler; });
    return removed > 0 ? kResultTrue : kInvalidArgument;
}

tresult PLUGIN_API Vst2RunLoop::registerTimer(Linux::ITimerHandler* handler,
                                              Linux::TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0 || registered(handler))
        return kInvalidArgument;
    const auto interval = std::chrono::milliseconds(milliseconds);
    timers.push_back({handler, interval, Clock::now() + interval});
    return kResultTrue;
}

tresult PLUGIN_API Vst2RunLoop::unregisterTimer(Linux::ITimerHandler* handler)
{
    const auto removed =
        std::erase_if(timers, [handler](const Timer& t) { return t.handler == handler; });
    return removed > 0 ? kResultTrue : kInvalidArgument;
}

bool Vst2RunLoop::registered(const Linux::IEventHandler* handler) const
{
    return std::any_of(descriptors.begin(), descriptors.end(),
                       [handler](const Descriptor& d) { return d.handler == handler; });
}

bool Vst2RunLoop::registered(const Linux::ITimerHandler* handler) const
{
    return std::any_of(timers.begin(), timers.end(),
                       [handler](const Timer& t) { return t.handler == handler; });
}

void Vst2RunLoop::idle()
{
    // Handlers may register and unregister from their callbacks: work on copies, and
    // call only the ones still registered.
    const std::vector<Descriptor> watched = descriptors;
    std::vector<pollfd> polled;
    for (const Descriptor& d : watched)
        polled.push_back({d.fd, POLLIN, 0});
    if (!polled.empty() && ::poll(polled.data(), polled.size(), 0) > 0)
        for (size_t i = 0; i < watched.size(); ++i)
            if ((polled[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0 &&
                registered(watched[i].handler.get()))
                watched[i].handler->onFDIsSet(watched[i].fd);

    const Clock::time_point now = Clock::now();
    std::vector<IPtr<Linux::ITimerHandler>> due;
    for (Timer& t : timers)
        if (t.due <= now)
        {
            t.due = now + t.interval;
            due.push_back(t.handler);
        }
    for (const auto& handler : due)
        if (registered(handler.get()))
            handler->onTimer();
}

} // namespace Steinberg::Vst
