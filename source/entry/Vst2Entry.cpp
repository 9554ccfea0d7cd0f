// The VST2 route into the same library: VSTPluginMain presents the factory's one class
// as a VST2 effect.
#include "adapter/Processor.h"
#include "entry/Version.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "public.sdk/source/vst/vst2wrapper/vst2wrapper.h"

extern "C" bool ModuleEntry(void* sharedLibraryHandle);

AEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    return Steinberg::Vst::Vst2Wrapper::create(GetPluginFactory(),
                                               Zeri2VST3::Processor::ProcessorUID.toTUID(),
                                               kZargVst2UniqueId, audioMaster);
}

extern "C" SMTG_EXPORT_SYMBOL AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    // A VST2 host calls no module entry: the first effect enters the module for the rest
    // of the process.
    static const bool entered = ModuleEntry(nullptr);
    // A host that does not answer to its version predates VST 2.
    if (!entered || !audioMaster ||
        audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    return createEffectInstance(audioMaster);
}
