#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <vector>

namespace Steinberg::Vst
{

// The run loop a VST2 host does not offer: descriptors and timers of the plug-in,
// served whenever the host idles the editor (effEditIdle), on the host's main thread.
class Vst2RunLoop : public FObject, public Linux::IRunLoop
{
public:
    using Clock = std::chrono::steady_clock;

    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* handler,
                                            Linux::FileDescriptor fd) override;
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* handler) override;
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler,
                                     Linux::TimerInterval milliseconds) override;
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* handler) override;

    // Calls the handlers of readable descriptors, then the timers that are due.
    void idle();

    OBJ_METHODS(Vst2RunLoop, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Linux::IRunLoop)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    struct Descriptor
    {
        IPtr<Linux::IEventHandler> handler;
        Linux::FileDescriptor fd;
    };
    struct Timer
    {
        IPtr<Linux::ITimerHandler> handler;
        Clock::duration interval;
        Clock::time_point due;
    };

    bool registered(const Linux::IEventHandler* handler) const;
    bool registered(const Linux::ITimerHandler* handler) const;

    std::vector<Descriptor> descriptors;
    std::vector<Timer> timers;
};

} // namespace Steinberg::Vst
