#include "HostRunLoop.h"

#include <algorithm>
#include <poll.h>
#include <utility>

using namespace Steinberg;

tresult PLUGIN_API HostRunLoop::registerEventHandler(Linux::IEventHandler* handler,
                                                     Linux::FileDescriptor fd)
{
    if (!handler || stopped)
        return kInvalidArgument;
    handler->addRef();
    descriptorList.push_back({handler, fd});
    ++registered;
    return kResultTrue;
}

tresult PLUGIN_API HostRunLoop::unregisterEventHandler(Linux::IEventHandler* handler)
{
    const auto it = std::find_if(descriptorList.begin(), descriptorList.end(),
                                 [handler](const Descriptor& d) { return d.handler == handler; });
    if (it == descriptorList.end())
        return kInvalidArgument;
    descriptorList.erase(it);
    handler->release();
    return kResultTrue;
}

tresult PLUGIN_API HostRunLoop::registerTimer(Linux::ITimerHandler* handler,
                                              Linux::TimerInterval ms)
{
    if (!handler || stopped)
        return kInvalidArgument;
    handler->addRef();
    timerList.push_back({handler, ms, Clock::now() + std::chrono::milliseconds(ms)});
    ++registered;
    return kResultTrue;
}

tresult PLUGIN_API HostRunLoop::unregisterTimer(Linux::ITimerHandler* handler)
{
    const auto it = std::find_if(timerList.begin(), timerList.end(),
                                 [handler](const Timer& t) { return t.handler == handler; });
    if (it == timerList.end())
        return kInvalidArgument;
    timerList.erase(it);
    handler->release();
    return kResultTrue;
}

void HostRunLoop::stop()
{
    stopped = true;
    for (const Descriptor& d : std::exchange(descriptorList, {}))
        d.handler->release();
    for (const Timer& t : std::exchange(timerList, {}))
        t.handler->release();
}

tresult PLUGIN_API HostRunLoop::resizeView(IPlugView*, ViewRect*)
{
    return kResultFalse;
}

int HostRunLoop::firedAt(uint64 intervalMs) const
{
    int n = 0;
    for (const auto& [interval, count] : fired)
        if (interval == intervalMs)
            n += count;
    return n;
}

void HostRunLoop::runFor(std::chrono::milliseconds duration)
{
    const auto end = Clock::now() + duration;
    while (Clock::now() < end)
    {
        auto next = end;
        for (const Timer& t : timerList)
            next = std::min(next, t.due);
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now()).count();
        std::vector<pollfd> fds;
        for (const Descriptor& d : descriptorList)
            fds.push_back({d.fd, POLLIN, 0});
        ::poll(fds.data(), fds.size(), static_cast<int>(std::max<long long>(0, wait)));
        for (const pollfd& p : fds)
            if (p.revents & POLLIN)
                // A handler may unregister itself: serve from a copy, if still registered.
                for (const Descriptor& d : std::vector<Descriptor>(descriptorList))
                    if (d.fd == p.fd)
                    {
                        d.handler->addRef();
                        d.handler->onFDIsSet(d.fd);
                        d.handler->release();
                    }
        const auto now = Clock::now();
        for (const Timer& t : std::vector<Timer>(timerList))
        {
            const auto it = std::find_if(timerList.begin(), timerList.end(),
                                         [&](const Timer& x) { return x.handler == t.handler; });
            if (it == timerList.end() || it->due > now)
                continue;
            it->due = now + std::chrono::milliseconds(it->intervalMs);
            const auto count = std::find_if(fired.begin(), fired.end(),
                                            [&](const auto& f) { return f.first == t.intervalMs; });
            if (count == fired.end())
                fired.emplace_back(t.intervalMs, 1);
            else
                ++count->second;
            t.handler->addRef();
            t.handler->onTimer();
            t.handler->release();
        }
    }
}
