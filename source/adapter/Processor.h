#pragma once

#include "adapter/ControlHandover.h"
#include "adapter/HostNotifier.h"
#include "adapter/HostValueReport.h"
#include "adapter/ParameterIds.h"
#include "adapter/SoftBypass.h"
#include "editor/EditorMessage.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/vstsinglecomponenteffect.h"
#include "vstgui/plugin-bindings/VST3EditorDelegate.h"

#include <atomic>
#include <vector>

#include "framework/HostTimeInfo.h"

class CPlugIn;

namespace Zeri2VST3
{

class CVSTMidiEventList;
class CVSTParamUpdateQueue;

// The one object the host talks to: audio processor and edit controller in
// one, owning the DSP plug-in object and translating between the two worlds.
class Processor : public Steinberg::Vst::SingleComponentEffect,
                  public Steinberg::Vst::IMidiMapping,
                  public VSTGUI::VST3EditorDelegate
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
    tresult PLUGIN_API setComponentHandler(Steinberg::Vst::IComponentHandler* handler) override;
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
    tresult PLUGIN_API getUnitInfo(int32 unitIndex, Steinberg::Vst::UnitInfo& info) override;
    int32 PLUGIN_API getProgramListCount() override;
    tresult PLUGIN_API getProgramListInfo(int32 listIndex,
                                          Steinberg::Vst::ProgramListInfo& info) override;
    tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, int32 programIndex,
                                      Steinberg::Vst::String128 name) override;

    // VST3EditorDelegate (ProcessorEditor.cpp): the editor's life reported to the plug-in
    // object.
    void didOpen(VSTGUI::VST3Editor* editor) override;
    void willClose(VSTGUI::VST3Editor* editor) override;
    VSTGUI::CView* createCustomView(VSTGUI::UTF8StringPtr name,
                                    const VSTGUI::UIAttributes& attributes,
                                    const VSTGUI::IUIDescription* description,
                                    VSTGUI::VST3Editor* editor) override;
    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr name,
                                             const VSTGUI::IUIDescription* description,
                                             VSTGUI::VST3Editor* editor) override;

    // ComponentBase: text messages from the editor.
    tresult receiveText(const char* text) override;

    CPlugIn* getPlugIn() const { return plugIn; }
    bool isBypassed() const { return bypass.load(std::memory_order_relaxed); }

    OBJ_METHODS(Processor, SingleComponentEffect)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Vst::IMidiMapping)
    DEF_INTERFACE(Steinberg::Vst::IUnitInfo)
    END_DEFINE_INTERFACES(SingleComponentEffect)
    REFCOUNT_METHODS(SingleComponentEffect)

private:
    // The audio path (ProcessorProcess.cpp).
    void applyParameterChanges(Steinberg::Vst::ProcessData& data);
    void applyAdapterParameter(Steinberg::Vst::ParamID id, double value);
    void applyMidiParameter(Steinberg::Vst::ParamID id, double value);
    void deliverEvent(const Steinberg::Vst::Event& event);
    void processFrames(Steinberg::Vst::ProcessData& data, int32 channels, bool hasContext);
    void processWholeBuffers(Steinberg::Vst::ProcessData& data, int32 channels, bool hasContext);
    void processWholeBufferChunk(Steinberg::Vst::ProcessData& data, int32 channels, int32 start,
                                 int32 length);
    void reportMeters(Steinberg::Vst::ProcessData& data, bool notMetered);
    bool sidechainActive(const Steinberg::Vst::ProcessData& data) const;

    bool ensurePlugIn();
    void allocateBlockBuffers(int32 maxSamples);
    void registerControlParameters();
    void registerAdapterParameters();
    void registerUnitsAndPresets();
    Steinberg::Vst::Parameter* presetParameter() const;

    // State, presets and editor messages (ProcessorState.cpp).
    void loadFactoryPreset();
    // Stores a host-side value (no message to the plug-in object).
    tresult storeParameter(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value);
    void refreshLinkedControls();
    void notifyParameterChanged(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value);
    void noteHostEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value);
    void prepareEditorLifecycleMessage(int32 code);

    int32 latencySamples = 0;
    CPlugIn* plugIn = nullptr;
    // Hosts may initialize a single-component effect once per face; the
    // object is set up by the first call and torn down by the last terminate.
    int32 initializeCount = 0;
    double joystickX = 0.5;
    double joystickY = 0.5;
    std::atomic<bool> bypass{false}; // written on the audio thread, saved on the main thread
    // Bypass as the host last set it on the controller, until it arrives
    // through processing (kNoEdit: nothing pending); what a save keeps.
    static constexpr int kNoEdit = -1;
    std::atomic<int> bypassEdit{kNoEdit};
    std::vector<int32> meterParameterIds;
    bool wantsSidechain = false;
    bool editorFlag = true; // the custom-view factory builds the units views while set
    CVSTParamUpdateQueue** paramUpdateQueues = nullptr;
    int32 automationGranularity = 1;
    bool sampleAccurate = false;
    CVSTMidiEventList* midiEventList = nullptr;

    // Main-thread control changes reach the audio thread through this.
    ControlHandover handover;
    // Calls back into the host, made outside the host's own calls.
    Steinberg::IPtr<HostNotifier> notifier;
    // A preset's values, told to hosts through the audio thread as well.
    HostValueReport presetReport;
    SoftBypass softBypass;
    // The dry input of a whole-buffer block, kept for the bypass crossfade.
    std::vector<float> dryScratch[2];
    // Silent input for an output-only object in whole-buffer mode.
    std::vector<float> silence;
    HostTimeInfo hostTime{};
    // The record reused for the editor's open, close, ping and custom-view messages.
    EditorMessage guiMessage{};
};

} // namespace Zeri2VST3
