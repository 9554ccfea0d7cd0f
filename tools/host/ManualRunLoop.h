#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

#include <vector>

namespace ZargHost
{

// The host's main loop as the plug-in sees it on Linux. Timers fire only when
// the loop's owner lets it idle, never from inside a call into the plug-in;
// descriptors are accepted but never served (no window system here).
class ManualRunLoop : public Steinberg::FObject, public Steinberg::Linux::IRunLoop
{
public:
    Steinberg::tresult PLUGIN_API registerEventHandler(
        Steinberg::Linux::IEventHandler* handler, Steinberg::Linux::FileDescriptor fd) override;
    Steinberg::tresult PLUGIN_API
    unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
    Steinberg::tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                                Steinberg::Linux::TimerInterval ms) override;
    Steinberg::tresult PLUGIN_API
    unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

    // One idle pass: every registered timer fires once.
    void idle();
    size_t timerCount() const { return timers.size(); }

    OBJ_METHODS(ManualRunLoop, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Linux::IRunLoop)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    std::vector<Steinberg::IPtr<Steinberg::Linux::ITimerHandler>> timers;
    std::vector<Steinberg::IPtr<Steinberg::Linux::IEventHandler>> handlers;
};

} // namespace ZargHost
