#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <vector>

// The host's side of an attached view on Linux: the plug frame and the run loop it
// offers, with descriptors polled and timers fired when due.
class HostRunLoop : public Steinberg::FObject,
                    public Steinberg::IPlugFrame,
                    public Steinberg::Linux::IRunLoop
{
public:
    using Clock = std::chrono::steady_clock;

    struct Timer
    {
        Steinberg::Linux::ITimerHandler* handler;
        Steinberg::uint64 intervalMs;
        Clock::time_point due;
    };
    struct Descriptor
    {
        Steinberg::Linux::IEventHandler* handler;
        int fd;
    };

    Steinberg::tresult PLUGIN_API registerEventHandler(
        Steinberg::Linux::IEventHandler* handler, Steinberg::Linux::FileDescriptor fd) override;
    Steinberg::tresult PLUGIN_API
    unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
    Steinberg::tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                                Steinberg::Linux::TimerInterval ms) override;
    Steinberg::tresult PLUGIN_API
    unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;
    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) override;

    // Serves descriptors and timers for this long.
    void runFor(std::chrono::milliseconds duration);
    // The host's loop has ended: every handler is let go and later calls are refused.
    void stop();

    const std::vector<Timer>& timers() const { return timerList; }
    const std::vector<Descriptor>& descriptors() const { return descriptorList; }
    int registrations() const { return registered; }
    // Ticks delivered to timers of this interval.
    int firedAt(Steinberg::uint64 intervalMs) const;

    OBJ_METHODS(HostRunLoop, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::IPlugFrame)
    DEF_INTERFACE(Steinberg::Linux::IRunLoop)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    std::vector<Timer> timerList;
    std::vector<Descriptor> descriptorList;
    std::vector<std::pair<Steinberg::uint64, int>> fired;
    int registered{0};
    bool stopped{false};
};
