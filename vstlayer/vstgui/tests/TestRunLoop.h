#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

#include <algorithm>
#include <chrono>
#include <poll.h>
#include <vector>

namespace VSTGUI::Test
{

// A host's plug frame with its own run loop: descriptors polled, timers by due time.
class TestRunLoop : public Steinberg::FObject,
                    public Steinberg::IPlugFrame,
                    public Steinberg::Linux::IRunLoop
{
public:
    using Clock = std::chrono::steady_clock;
    struct Timer
    {
        Steinberg::Linux::ITimerHandler* handler;
        std::chrono::milliseconds interval;
        Clock::time_point due;
    };
    struct Event
    {
        Steinberg::Linux::IEventHandler* handler;
        int fd;
    };
    std::vector<Event> events;
    std::vector<Timer> timers;
    // Some hosts never look at descriptors; the editor must cope.
    bool pollDescriptors{true};
    int registrations{0};

    Steinberg::tresult PLUGIN_API registerEventHandler(Steinberg::Linux::IEventHandler* h,
                                                       int fd) override
    {
        h->addRef();
        events.push_back({h, fd});
        ++registrations;
        return Steinberg::kResultTrue;
    }
    Steinberg::tresult PLUGIN_API
    unregisterEventHandler(Steinberg::Linux::IEventHandler* h) override
    {
        auto it = std::find_if(events.begin(), events.end(),
                               [h](const Event& e) { return e.handler == h; });
        if (it == events.end())
            return Steinberg::kInvalidArgument;
        events.erase(it);
        h->release();
        return Steinberg::kResultTrue;
    }
    Steinberg::tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* h,
                                                Steinberg::uint64 ms) override
    {
        h->addRef();
        timers.push_back(
            {h, std::chrono::milliseconds(ms), Clock::now() + std::chrono::milliseconds(ms)});
        ++registrations;
        return Steinberg::kResultTrue;
    }
    Steinberg::tresult PLUGIN_API unregisterTimer(Steinberg::Linux::ITimerHandler* h) override
    {
        auto it = std::find_if(timers.begin(), timers.end(),
                               [h](const Timer& t) { return t.handler == h; });
        if (it == timers.end())
            return Steinberg::kInvalidArgument;
        timers.erase(it);
        h->release();
        return Steinberg::kResultTrue;
    }
    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView*, Steinberg::ViewRect*) override
    {
        return Steinberg::kResultFalse;
    }

    void runFor(std::chrono::milliseconds duration)
    {
        const auto end = Clock::now() + duration;
        while (Clock::now() < end)
        {
            auto next = end;
            for (const Timer& t : timers)
                next = std::min(next, t.due);
            const auto wait =
                std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now());
            std::vector<pollfd> fds;
            if (pollDescriptors)
                for (const Event& e : events)
                    fds.push_back({e.fd, POLLIN, 0});
            ::poll(fds.data(), fds.size(), static_cast<int>(std::max<long>(0, wait.count())));
            for (const pollfd& p : fds)
                if (p.revents & POLLIN)
                    for (const Event& e : std::vector<Event>(events))
                        if (e.fd == p.fd)
                            e.handler->onFDIsSet(e.fd);
            const auto now = Clock::now();
            for (size_t i = 0; i < timers.size(); ++i)
                if (timers[i].due <= now)
                {
                    timers[i].due = now + timers[i].interval;
                    Steinberg::Linux::ITimerHandler* h = timers[i].handler;
                    h->addRef();
                    h->onTimer();
                    h->release();
                }
        }
    }

    OBJ_METHODS(TestRunLoop, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::IPlugFrame)
    DEF_INTERFACE(Steinberg::Linux::IRunLoop)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};

} // namespace VSTGUI::Test
