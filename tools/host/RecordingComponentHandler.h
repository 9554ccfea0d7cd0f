#pragma once

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <vector>

namespace ZargHost
{

// The host's side of the controller's callbacks: records every call in order
// so tests can check what the plug-in told the host. Like a real host it may
// hold a lock of its own while it calls the plug-in: a callback arriving
// while that lock is held would deadlock such a host and is counted.
class RecordingComponentHandler : public Steinberg::Vst::IComponentHandler,
                                  public Steinberg::Vst::IUnitHandler
{
public:
    enum class Kind
    {
        BeginEdit,
        PerformEdit,
        EndEdit,
        RestartComponent,
        UnitSelection,
        ProgramListChange
    };

    // id: parameter, unit or program-list id; number: restart flags or program index.
    struct Call
    {
        Kind kind;
        Steinberg::uint32 id;
        Steinberg::Vst::ParamValue value;
        Steinberg::int32 number;

        bool operator==(const Call&) const = default;
    };

    RecordingComponentHandler();
    virtual ~RecordingComponentHandler() = default;

    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue value) override;
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;

    Steinberg::tresult PLUGIN_API notifyUnitSelection(Steinberg::Vst::UnitID unitId) override;
    Steinberg::tresult PLUGIN_API notifyProgramListChange(Steinberg::Vst::ProgramListID listId,
                                                          Steinberg::int32 programIndex) override;

    const std::vector<Call>& calls() const { return recorded; }
    void clear() { recorded.clear(); }

    // The host's lock, held around its calls into the plug-in.
    void lock() { locked = true; }
    void unlock() { locked = false; }
    int reentrantCalls() const { return reentrant; }

    // A run loop offered to the plug-in through this handler, as some hosts
    // do; none when null.
    void offerRunLoop(Steinberg::Linux::IRunLoop* loop) { runLoop = loop; }

    DECLARE_FUNKNOWN_METHODS

private:
    Steinberg::tresult record(Kind kind, Steinberg::uint32 id, Steinberg::Vst::ParamValue value,
                              Steinberg::int32 number);

    std::vector<Call> recorded;
    bool locked = false;
    int reentrant = 0;
    Steinberg::IPtr<Steinberg::Linux::IRunLoop> runLoop;
};

} // namespace ZargHost
