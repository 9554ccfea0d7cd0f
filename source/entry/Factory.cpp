#include "adapter/Processor.h"
#include "dsp/CFftwRealTransform.h"
#include "entry/Version.h"
#include "vstgui/platform/linux/SharedLibraryPin.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/main/pluginfactory.h"

bool InitModule()
{
    VSTGUI::pinDrawingLibraries();
    return true;
}

// The host has released every instance by now.
bool DeinitModule()
{
    CFftwRealTransform::releasePlannerMemory();
    return true;
}

BEGIN_FACTORY_DEF(ZARG_VENDOR, ZARG_URL, ZARG_EMAIL)

DEF_CLASS2(INLINE_UID_FROM_FUID(Zeri2VST3::Processor::ProcessorUID), PClassInfo::kManyInstances,
           kVstAudioEffectClass, ZARG_PRODUCT, 0, ZARG_SUBCATEGORIES, ZARG_VERSION,
           ZARG_SDK_VERSION, Zeri2VST3::Processor::createInstance)

END_FACTORY
