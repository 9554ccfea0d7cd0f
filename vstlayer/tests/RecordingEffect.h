#pragma once

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

#include <string>
#include <vector>

namespace ZargTestEffect
{

// A gain that writes down what a host hands it, for tests of hosts and wrappers: each
// process call ("block 64"), its parameter points ("param 10 @0 0.5"), events ("noteOn
// 0 60 0.5 @3"), its set-up and activation, and its state calls; it keeps the last
// transport. Its state holds the parameters as the controller has them. Parameters:
// Gain and Bend (automatable; MIDI controller 7 and pitch bend drive them), Bypass,
// a read-only Level and a program list of three.
class RecordingEffect : public Steinberg::Vst::SingleComponentEffect,
                        public Steinberg::Vst::IMidiMapping
{
public:
    static constexpr Steinberg::Vst::ParamID kGainId = 10;
    static constexpr Steinberg::Vst::ParamID kBendId = 11;
    static constexpr Steinberg::Vst::ParamID kBypassId = 20;
    static constexpr Steinberg::Vst::ParamID kLevelId = 30;
    static constexpr Steinberg::Vst::ProgramListID kProgramsId = 40;

    static Steinberg::FUnknown* createInstance(void* context);
    // The most recently created instance still alive.
    static RecordingEffect* last();

    RecordingEffect();
    ~RecordingEffect() override;

    Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
    Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
    Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;
    Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
    Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) override;
    Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) override;
    Steinberg::uint32 PLUGIN_API getLatencySamples() override { return latency; }
    Steinberg::tresult PLUGIN_API getMidiControllerAssignment(
        Steinberg::int32 busIndex, Steinberg::int16 channel,
        Steinberg::Vst::CtrlNumber midiControllerNumber, Steinberg::Vst::ParamID& id) override;

    Steinberg::Vst::IComponentHandler* handler() const { return componentHandler; }
    void setLatency(Steinberg::uint32 samples) { latency = samples; }

    std::vector<std::string> log;
    Steinberg::Vst::ProcessContext lastContext{};
    double gain = 0.5;
    double bypass = 0.0;

    OBJ_METHODS(RecordingEffect, SingleComponentEffect)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Vst::IMidiMapping)
    END_DEFINE_INTERFACES(SingleComponentEffect)
    REFCOUNT_METHODS(SingleComponentEffect)

private:
    void record(Steinberg::Vst::ProcessData& data);

    Steinberg::uint32 latency = 0;
};

} // namespace ZargTestEffect
