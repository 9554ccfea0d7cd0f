#pragma once

#include "adapter/ParameterIds.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

#include <vector>

class CPlugIn;

namespace Zeri2VST3
{

class CVSTMidiEventList;
class CVSTParamUpdateQueue;

// The one object the host talks to: audio processor and edit controller in
// one, owning the DSP plug-in object and translating between the two worlds.
class Processor : public Steinberg::Vst::SingleComponentEffect, public Steinberg::Vst::IMidiMapping
{
public:
    using tresult = Steinberg::tresult;
    using int32 = Steinberg::int32;
    using uint32 = Steinberg::uint32;

    Processor();
    ~Processor() override;

    static const Steinberg::FUID ProcessorUID;

    static Steinberg::FUnknown* createInstance(void* context);

    // IPluginBase
    tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
    tresult PLUGIN_API terminate() override;

    // IComponent
    tresult PLUGIN_API setActive(Steinberg::TBool state) override;
    tresult PLUGIN_API setState(Steinberg::IBStream* state) override;
    tresult PLUGIN_API getState(Steinberg::IBStream* state) override;

    // IAudioProcessor
    tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs, int32 numIns,
                                          Steinberg::Vst::SpeakerArrangement* outputs,
                                          int32 numOuts) override;
    tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) override;
    uint32 PLUGIN_API getLatencySamples() override;
    tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
    tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
    uint32 PLUGIN_API getTailSamples() override;

    // IEditController
    tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) override;
    tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID id,
                                          Steinberg::Vst::ParamValue value) override;
    Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) override;
    Steinberg::Vst::ParamValue PLUGIN_API normalizedParamToPlain(
        Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue valueNormalized) override;
    Steinberg::Vst::ParamValue PLUGIN_API plainParamToNormalized(
        Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue plainValue) override;

    // IMidiMapping
    tresult PLUGIN_API getMidiControllerAssignment(int32 busIndex, Steinberg::int16 channel,
                                                   Steinberg::Vst::CtrlNumber midiControllerNumber,
                                                   Steinberg::Vst::ParamID& id) override;

    // IUnitInfo: the preset list is served from the "Factory Presets" parameter.
    int32 PLUGIN_API getProgramListCount() override;
    tresult PLUGIN_API getProgramListInfo(int32 listIndex,
                                          Steinberg::Vst::ProgramListInfo& info) override;
    tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, int32 programIndex,
                                      Steinberg::Vst::String128 name) override;

    // ComponentBase: text messages from the editor.
    tresult receiveText(const char* text) override;

    CPlugIn* getPlugIn() const { return plugIn; }
    bool isBypassed() const { return bypass; }

    OBJ_METHODS(Processor, SingleComponentEffect)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Vst::IMidiMapping)
    DEF_INTERFACE(Steinberg::Vst::IUnitInfo)
    END_DEFINE_INTERFACES(SingleComponentEffect)
    REFCOUNT_METHODS(SingleComponentEffect)

private:
    bool ensurePlugIn();
    void registerControlParameters();
    void registerAdapterParameters();
    void registerUnitsAndPresets();
    Steinberg::Vst::Parameter* presetParameter() const;

    int32 latencySamples = 0;
    CPlugIn* plugIn = nullptr;
    double joystickX = 0.5;
    double joystickY = 0.5;
    bool bypass = false;
    std::vector<int32> meterParameterIds;
    bool wantsSidechain = false;
    bool editorFlag = true; // read by the editor's custom-view factory
    CVSTParamUpdateQueue** paramUpdateQueues = nullptr;
    int32 automationGranularity = 1;
    bool sampleAccurate = false;
    CVSTMidiEventList* midiEventList = nullptr;
};

} // namespace Zeri2VST3
