// The VST2 route into the same library: VSTPluginMain presents the factory's one class
// as a VST2 effect.
#include "adapter/Processor.h"
#include "entry/Version.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "public.sdk/source/vst/vst2wrapper/vst2wrapper.h"

extern "C" bool ModuleEntry(void* sharedLibraryHandle);
extern "C" bool ModuleExit();

namespace
{
// VST2 hosts call no module entry or exit: the first effect enters the module, and the
// library's unloading (or the process's end) leaves it.
class Vst2Module
{
public:
    Vst2Module() : entered(ModuleEntry(nullptr)) {}
    ~Vst2Module()
    {
        if (entered)
            ModuleExit();
    }
    Vst2Module(const Vst2Module&) = delete;
    Vst2Module& operator=(const Vst2Module&) = delete;

    const bool entered;
};
} // namespace

AEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    return Steinberg::Vst::Vst2Wrapper::create(GetPluginFactory(),
                                               Zeri2VST3::Processor::ProcessorUID.toTUID(),
                                               kZargVst2UniqueId, audioMaster);
}

extern "C" SMTG_EXPORT_SYMBOL AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    static const Vst2Module module;
    // A host that does not answer to its version predates VST 2.
    if (!module.entered || !audioMaster ||
        audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    return createEffectInstance(audioMaster);
}
