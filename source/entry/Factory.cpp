#include "adapter/Processor.h"
#include "entry/Version.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/main/pluginfactory.h"

// Module set-up and tear-down have nothing of their own to do.
bool InitModule()
{
    return true;
}

bool DeinitModule()
{
    return true;
}

BEGIN_FACTORY_DEF(ZARG_VENDOR, ZARG_URL, ZARG_EMAIL)

DEF_CLASS2(INLINE_UID_FROM_FUID(Zeri2VST3::Processor::ProcessorUID), PClassInfo::kManyInstances,
           kVstAudioEffectClass, ZARG_PRODUCT, 0, ZARG_SUBCATEGORIES, ZARG_VERSION,
           ZARG_SDK_VERSION, Zeri2VST3::Processor::createInstance)

END_FACTORY
