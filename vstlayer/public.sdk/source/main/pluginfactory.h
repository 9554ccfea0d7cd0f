#pragma once

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"

#include <vector>

namespace Steinberg
{

// The SDK's interfaces have no virtual destructors by design (objects die
// through release), which the warning cannot know.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The factory a plug-in hands to the host from GetPluginFactory: a list of
// class records, each with the function that creates an instance.
class CPluginFactory : public IPluginFactory3
{
public:
    using CreateFunction = FUnknown* (*)(void* context);

    explicit CPluginFactory(const PFactoryInfo& info);
    virtual ~CPluginFactory();

    // Each record is copied; the caller's struct need not outlive the call.
    bool registerClass(const PClassInfo* info, CreateFunction createFunc, void* context = nullptr);
    bool registerClass(const PClassInfo2* info, CreateFunction createFunc, void* context = nullptr);
    bool registerClass(const PClassInfoW* info, CreateFunction createFunc, void* context = nullptr);

    bool isClassRegistered(const FUID& cid);
    void removeAllClasses();

    DECLARE_FUNKNOWN_METHODS

    //--- IPluginFactory
    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) SMTG_OVERRIDE;
    int32 PLUGIN_API countClasses() SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) SMTG_OVERRIDE;
    tresult PLUGIN_API createInstance(FIDString cid, FIDString _iid, void** obj) SMTG_OVERRIDE;

    //--- IPluginFactory2
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) SMTG_OVERRIDE;

    //--- IPluginFactory3
    tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) SMTG_OVERRIDE;
    tresult PLUGIN_API setHostContext(FUnknown* context) SMTG_OVERRIDE;

protected:
    // Both text forms are kept so every getter is a plain copy.
    struct PClassEntry
    {
        PClassInfo2 info8;
        PClassInfoW info16;
        CreateFunction createFunc;
        void* context;
        bool isUnicode;
    };

    const PClassEntry* entryAt(int32 index) const;

    PFactoryInfo factoryInfo;
    std::vector<PClassEntry> classes;
    IPtr<FUnknown> hostContext;
};
#pragma GCC diagnostic pop

// The one factory of this module, built by the first GetPluginFactory call.
extern CPluginFactory* gPluginFactory;

} // namespace Steinberg

// Factory-definition macros, used as
//   BEGIN_FACTORY_DEF (vendor, url, email)
//   DEF_CLASS2 (cid, cardinality, category, name, flags, subCategories, version, sdkVersion,
//   create) END_FACTORY
// BEGIN_FACTORY_DEF itself comes with pluginterfaces/vst/ivstcomponent.h.
#define BEGIN_FACTORY(vendor, url, email, flags)                                                   \
    using namespace Steinberg;                                                                     \
    SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()                               \
    {                                                                                              \
        if (!gPluginFactory)                                                                       \
        {                                                                                          \
            static PFactoryInfo factoryInfo(vendor, url, email, flags);                            \
            gPluginFactory = new CPluginFactory(factoryInfo);

#define DEF_CLASS(cid, cardinality, category, name, createMethod)                                  \
    {                                                                                              \
        TUID lcid = cid;                                                                           \
        static PClassInfo componentClass(lcid, cardinality, category, name);                       \
        gPluginFactory->registerClass(&componentClass, createMethod);                              \
    }

#define DEF_CLASS2(cid, cardinality, category, name, classFlags, subCategories, version,           \
                   sdkVersion, createMethod)                                                       \
    {                                                                                              \
        TUID lcid = cid;                                                                           \
        static PClassInfo2 componentClass(lcid, cardinality, category, name, classFlags,           \
                                          subCategories, nullptr, version, sdkVersion);            \
        gPluginFactory->registerClass(&componentClass, createMethod);                              \
    }

#define DEF_CLASS_W(cid, cardinality, category, name, classFlags, subCategories, version,          \
                    sdkVersion, createMethod)                                                      \
    {                                                                                              \
        TUID lcid = cid;                                                                           \
        static PClassInfoW componentClass(lcid, cardinality, category, name, classFlags,           \
                                          subCategories, nullptr, version, sdkVersion);            \
        gPluginFactory->registerClass(&componentClass, createMethod);                              \
    }

#define END_FACTORY                                                                                \
    }                                                                                              \
    else gPluginFactory->addRef();                                                                 \
    return gPluginFactory;                                                                         \
    }
