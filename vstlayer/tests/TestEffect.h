#pragma once

#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

namespace ZargTestEffect
{

// A gain with a stereo or mono main bus and an event input: just enough
// behaviour for a host to observe parameters, events, context and state.
class TestEffect : public Steinberg::Vst::SingleComponentEffect
{
public:
    static Steinberg::FUnknown* createInstance(void* context);

    Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
    Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                     Steinberg::int32 numIns,
                                                     Steinberg::Vst::SpeakerArrangement* outputs,
                                                     Steinberg::int32 numOuts) override;
    Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) override;
    Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
    Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) override;
    Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) override;

    OBJ_METHODS(TestEffect, SingleComponentEffect)

private:
    void applyParameterChanges(Steinberg::Vst::IParameterChanges* changes);
    void reportOutputs(Steinberg::Vst::ProcessData& data);

    double gain = 1.0;
    double lastNote = 0.0;
};

} // namespace ZargTestEffect
