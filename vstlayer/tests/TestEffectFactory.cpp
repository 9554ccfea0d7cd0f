#include "TestEffect.h"
#include "TestEffectIds.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/main/pluginfactory.h"

using ZargTestEffect::TestEffect;

BEGIN_FACTORY_DEF(ZargTestEffect::kVendor, ZargTestEffect::kUrl, ZargTestEffect::kEmail)

DEF_CLASS2(INLINE_UID_FROM_FUID(ZargTestEffect::kEffectUID), PClassInfo::kManyInstances,
           kVstAudioEffectClass, ZargTestEffect::kName, 0, ZargTestEffect::kSubCategories,
           ZargTestEffect::kVersion, kVstVersionString, TestEffect::createInstance)

DEF_CLASS_W(INLINE_UID_FROM_FUID(ZargTestEffect::kUnicodeEffectUID), 1, kVstAudioEffectClass,
            u"Z\u00e4rg \U0001D11E", 0, ZargTestEffect::kSubCategories, u"0.0.1.0", u"VST 3.7.2",
            TestEffect::createInstance)

END_FACTORY
