#pragma once

#include "host/ManualRunLoop.h"
#include "host/ProcessBlock.h"
#include "host/RecordingComponentHandler.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Steinberg::Vst
{
class HostApplication;
}

namespace ZargHost
{

// One plug-in instance driven the way real hosts drive a single-component
// effect: created as IComponent, its other faces queried from it, initialized
// once as component and once more as controller (the same object), with a
// recording component handler that offers a run loop. Calls made on the
// host's behalf hold the handler's host lock.
class PluginInstance
{
public:
    // hostContext: the module's (it must outlive the instance); the instance
    // makes its own when null.
    PluginInstance(Steinberg::IPluginFactory* factory, const Steinberg::FUID& classId,
                   Steinberg::FUnknown* hostContext = nullptr);
    // Deactivates, terminates and releases whatever is still open.
    ~PluginInstance();

    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    bool created() const { return comp != nullptr; }
    const std::string& error() const { return message; }

    Steinberg::Vst::IComponent* component() const { return comp; }
    Steinberg::Vst::IAudioProcessor* processor() const { return audio; }
    Steinberg::Vst::IEditController* controller() const { return edit; }
    Steinberg::Vst::IUnitInfo* unitInfo() const { return units; }
    Steinberg::Vst::IMidiMapping* midiMapping() const { return midi; }
    Steinberg::Vst::IConnectionPoint* connectionPoint() const { return connection; }
    RecordingComponentHandler& handler() { return *componentHandler; }

    // Any other interface of the object; null when it has none.
    template <typename I>
    Steinberg::IPtr<I> query() const
    {
        void* obj = nullptr;
        if (!comp || comp->queryInterface(I::iid, &obj) != Steinberg::kResultOk)
            return nullptr;
        return Steinberg::owned(static_cast<I*>(obj));
    }

    // initialize (component, then controller), then the component handler,
    // then the buses flagged active by default.
    Steinberg::tresult initialize();
    Steinberg::tresult setupProcessing(double sampleRate, Steinberg::int32 maxSamples,
                                       Steinberg::int32 processMode = Steinberg::Vst::kRealtime,
                                       Steinberg::int32 sampleSize = Steinberg::Vst::kSample32);
    Steinberg::tresult setBusArrangements(Steinberg::Vst::SpeakerArrangement input,
                                          Steinberg::Vst::SpeakerArrangement output);
    // setActive, then setProcessing (reversed on the way down).
    Steinberg::tresult activate();
    Steinberg::tresult deactivate();
    // One process call over the block's first numSamples; the transport moves on.
    Steinberg::tresult process(ProcessBlock& block, Steinberg::int32 numSamples);
    // A call with no samples and no audio buffers that only delivers the
    // block's parameter changes, as hosts do while stopped.
    Steinberg::tresult flush(ProcessBlock& block);

    // Controller calls made with the host's lock held.
    Steinberg::tresult setParamNormalized(Steinberg::Vst::ParamID id,
                                          Steinberg::Vst::ParamValue value);
    Steinberg::tresult setComponentState(const std::vector<char>& bytes);

    // The host's main loop idles once: the plug-in's timers fire.
    void idle() { loop->idle(); }
    ManualRunLoop& runLoop() { return *loop; }

    // Every parameter's normalised value, by id.
    std::map<Steinberg::Vst::ParamID, Steinberg::Vst::ParamValue> parameterValues() const;

    Steinberg::tresult getState(std::vector<char>& bytes);
    Steinberg::tresult setState(const std::vector<char>& bytes);

    Steinberg::tresult terminate();
    // Drops every reference; returns what the object's last release reported
    // (0 when nothing else holds it).
    Steinberg::uint32 release();

private:
    template <typename I>
    I* queried();

    std::string message;
    std::unique_ptr<Steinberg::Vst::HostApplication> ownContext;
    Steinberg::FUnknown* context;
    Steinberg::IPtr<RecordingComponentHandler> componentHandler;
    Steinberg::IPtr<ManualRunLoop> loop;
    Steinberg::Vst::IComponent* comp = nullptr;
    Steinberg::Vst::IAudioProcessor* audio = nullptr;
    Steinberg::Vst::IEditController* edit = nullptr;
    Steinberg::Vst::IUnitInfo* units = nullptr;
    Steinberg::Vst::IMidiMapping* midi = nullptr;
    Steinberg::Vst::IConnectionPoint* connection = nullptr;
    bool initialized = false;
    bool controllerInitialized = false;
    bool active = false;
    bool processing = false;
};

} // namespace ZargHost
