#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <vector>

namespace Steinberg::Vst
{
class EditController;
}

namespace Zeri2VST3
{

// Calls back into the host (restartComponent, the edits of linked controls)
// wait here and go out later on the host's main thread: a host may hold its
// own locks while it calls the plug-in, and a call back from inside can
// deadlock it. They leave from a timer of the host's run loop (offered by
// the component handler or the host context), or from the editor's timer
// when the editor is open, whichever comes first.
class HostNotifier : public Steinberg::FObject, public Steinberg::Linux::ITimerHandler
{
public:
    explicit HostNotifier(Steinberg::Vst::EditController& controller);
    ~HostNotifier() override;

    // Main thread. Looks for a run loop and starts the timer when one is
    // offered; safe to call again (a later handler may offer one).
    void connect(Steinberg::FUnknown* hostContext);
    // Main thread: stops the timer; what is pending stays pending.
    void disconnect();

    // Main thread, from inside host calls.
    void requestRestart(Steinberg::int32 flags);
    void requestEdit(Steinberg::Vst::ParamID id);

    // Main thread, outside any host call: delivers what is pending.
    void deliver();
    bool hasPending() const { return restartFlags != 0 || !edits.empty(); }

    void PLUGIN_API onTimer() override;

    OBJ_METHODS(HostNotifier, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Linux::ITimerHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

    static constexpr Steinberg::Linux::TimerInterval kIntervalMs = 20;

private:
    Steinberg::Vst::EditController& controller;
    Steinberg::IPtr<Steinberg::Linux::IRunLoop> runLoop;
    Steinberg::int32 restartFlags = 0;
    std::vector<Steinberg::Vst::ParamID> edits;
    bool delivering = false;
};

} // namespace Zeri2VST3
