#pragma once

#include "public.sdk/source/vst/vst2wrapper/vst2eventlist.h"
#include "public.sdk/source/vst/vst2wrapper/vst2interface.h"
#include "public.sdk/source/vst/vst2wrapper/vst2parameterchanges.h"
#include "public.sdk/source/vst/vst2wrapper/vst2runloop.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace Steinberg::Vst
{

// One VST3 single-component effect presented to a VST2 host as an AEffect. The wrapper
// is the VST3 object's host: its context, component handler and plug frame, with a run
// loop that the host's effEditIdle drives.
//
// Threads, as VST2 hosts call: the dispatcher on the main thread (effProcessEvents on
// the audio thread), processReplacing on the audio thread, setParameter and
// getParameter on either. A parameter value set by the host waits in its slot, without
// a lock, for the next block (the processor) and for the main thread (the controller).
// Calls back into the host that the VST3 object makes wait for the next effEditIdle
// unless they come from inside it: a host may hold locks around its other calls.
class Vst2Wrapper : public FObject,
                    public IHostApplication,
                    public IComponentHandler,
                    public IPlugFrame
{
public:
    // The class vst3ComponentID of factory as a VST2 effect with the unique id vst2ID;
    // null when the class cannot be created or has no controller in the same object.
    // The wrapper takes over the caller's reference to the factory.
    static AEffect* create(IPluginFactory* factory, const TUID vst3ComponentID, VstInt32 vst2ID,
                           audioMasterCallback callback);

    // IHostApplication
    tresult PLUGIN_API getName(String128 name) override;
    tresult PLUGIN_API createInstance(TUID cid, TUID interfaceId, void** obj) override;

    // IComponentHandler
    tresult PLUGIN_API beginEdit(ParamID id) override;
    tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) override;
    tresult PLUGIN_API endEdit(ParamID id) override;
    tresult PLUGIN_API restartComponent(int32 flags) override;

    // IPlugFrame
    tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) override;

    tresult PLUGIN_API queryInterface(const TUID queried, void** obj) override;
    REFCOUNT_METHODS(FObject)
    OBJ_METHODS(Vst2Wrapper, FObject)

private:
    // A host parameter: where its latest value waits for the processor and the controller.
    struct ParameterSlot
    {
        ParamID id = kNoParamId;
        std::atomic<double> value{0.0};
        std::atomic<bool> toProcessor{false};
        std::atomic<bool> toController{false};
    };
    struct HostCall
    {
        int32 opcode;
        int32 index;
        VstIntPtr value;
        float opt;
    };

    Vst2Wrapper(IPluginFactory* factory, audioMasterCallback callback);
    ~Vst2Wrapper() override;
    bool setUp(const TUID classId, VstInt32 vst2ID);
    void readClassInfo(const TUID classId);
    void setUpBusses();
    void collectParameters();
    void collectPrograms();
    void mapMidiControllers();
    void tearDown();

    static Vst2Wrapper* of(AEffect* effect);
    static VstIntPtr dispatcherProc(AEffect* effect, int opcode, int index, VstIntPtr value,
                                    void* ptr, float opt);
    static void processReplacingProc(AEffect* effect, float** inputs, float** outputs, int frames);
    static void processProc(AEffect* effect, float** inputs, float** outputs, int frames);
    static void setParameterProc(AEffect* effect, int index, float value);
    static float getParameterProc(AEffect* effect, int index);

    VstIntPtr dispatch(int opcode, int index, VstIntPtr value, void* ptr, float opt);
    VstIntPtr canDo(const char* feature) const;

    // Parameters (index: the VST2 parameter number).
    ParameterSlot* slotAt(int index) const;
    int indexOf(ParamID id) const;
    void setParameter(int index, double value);
    double getParameter(int index) const;
    bool parameterText(int opcode, int index, char* text);
    bool parameterFromText(int index, const char* text);
    // Main thread: the host's values reach the controller; the controller's reach the slots.
    void syncController();
    void refreshFromController();

    // Programs and chunks.
    void setProgram(int program);
    bool programName(int program, char* text);
    VstIntPtr getChunk(void** data);
    bool setChunk(const void* data, VstIntPtr size);
    bool restoreState(const char* bytes, size_t size);

    bool pinProperties(BusDirection direction, int index, VstPinProperties* properties);

    // Audio (vst2wrapperprocess.cpp).
    void setSampleRate(float rate);
    void setBlockSize(VstIntPtr size);
    void resume();
    void suspend();
    void processEvents(const VstEvents* events);
    void mapMidiEvent(int32 offset, const unsigned char* midi);
    void mapController(int32 offset, int32 channel, int32 controller, ParamValue value);
    void processReplacing(float** inputs, float** outputs, int32 frames);
    void processAccumulating(float** inputs, float** outputs, int32 frames);
    // Both: the host's block in parts of the announced size, added to the output or
    // written over it.
    void process(float** inputs, float** outputs, int32 frames, bool accumulate);
    void updateContext(int32 frames);

    // Editor and idle (vst2wrappereditor.cpp).
    bool editorRect(ERect** rect);
    bool openEditor(void* parent);
    void closeEditor();
    void idle();
    void callHost(int32 opcode, int32 index = 0, VstIntPtr value = 0, float opt = 0.0f);

    AEffect effect{};
    audioMasterCallback host;
    IPluginFactory* factory;
    IPtr<IComponent> component;
    IPtr<IAudioProcessor> processor;
    IPtr<IEditController> controller;
    IPtr<Vst2RunLoop> runLoop;
    TUID classId{};
    bool initialized = false;

    std::string effectName;
    std::string vendorName;

    std::unique_ptr<ParameterSlot[]> slots;
    int32 slotCount = 0;    // the VST2 parameters, then the program-change parameter
    int32 bypassIndex = -1; // the VST2 parameter that bypasses, if any
    int32 programSlot = -1; // the program-change parameter's slot, if any
    ProgramListID programList = kNoProgramListId;
    int32 currentProgram = 0;
    // The parameter each MIDI controller of each channel drives; kNoParamId for none.
    std::vector<ParamID> midiControllers;

    ProcessSetup setup{kRealtime, kSample32, 1024, 44100.0};
    bool active = false;
    bool hasEventInput = false;
    // The host's channels from the current part of its block on; sized at set-up.
    std::vector<float*> inputPointers;
    std::vector<float*> outputPointers;
    Vst2ParameterChanges inputChanges;
    Vst2ParameterChanges outputChanges;
    Vst2ParameterChanges noChanges;
    Vst2EventList events;
    ProcessContext context{};
    int64 ownSamplePosition = 0;
    // The accumulating call's replacing output, and its channel lists; sized at set-up.
    std::vector<std::vector<float>> accumulateScratch;
    std::vector<float*> accumulateOutputs;

    IPtr<IPlugView> view;
    bool editorOpen = false;
    ERect rect{};
    bool idling = false;
    std::vector<HostCall> deferredCalls;
    std::vector<char> chunk;
};

} // namespace Steinberg::Vst
