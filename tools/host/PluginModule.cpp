#include "host/PluginModule.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <sstream>

using namespace Steinberg;

namespace ZargHost
{

namespace
{
using ModuleEntryProc = bool (*)(void*);
using ModuleExitProc = bool (*)();
} // namespace

std::string PluginModule::libraryPathOf(const std::string& bundlePath)
{
    std::filesystem::path bundle(bundlePath);
    if (!bundle.has_filename())
        bundle = bundle.parent_path();
    return (bundle / "Contents" / "x86_64-linux" / bundle.stem()).string() + ".so";
}

PluginModule::PluginModule(const std::string& bundlePath) : library(libraryPathOf(bundlePath))
{
    handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
    {
        const char* reason = dlerror();
        fail("cannot open " + library + ": " + (reason ? reason : "unknown error"));
        return;
    }
    auto entry = reinterpret_cast<ModuleEntryProc>(dlsym(handle, "ModuleEntry"));
    if (!entry || !dlsym(handle, "ModuleExit"))
    {
        fail(library + " has no ModuleEntry/ModuleExit");
        return;
    }
    if (!entry(handle))
    {
        fail("ModuleEntry of " + library + " failed");
        return;
    }
    entered = true;

    auto getFactory = reinterpret_cast<GetFactoryProc>(dlsym(handle, "GetPluginFactory"));
    if (!getFactory)
    {
        fail(library + " has no GetPluginFactory");
        return;
    }
    IPluginFactory* created = getFactory();
    if (!created)
    {
        fail("GetPluginFactory of " + library + " returned no factory");
        return;
    }

    FUnknownPtr<IPluginFactory3> factory3(created);
    if (factory3)
        factory3->setHostContext(hostContext());
    factoryPtr = created;
}

FUnknown* PluginModule::hostContext() const
{
    // One for the process, as a real host has, and never destroyed: modules of
    // the same bundle share one factory, which keeps the last context it got.
    static auto* host = new Vst::HostApplication;
    return host;
}

PluginModule::~PluginModule()
{
    unload();
}

void PluginModule::fail(const std::string& what)
{
    message = what;
    unload();
}

// Undoes whatever loading did so far, newest first.
void PluginModule::unload()
{
    if (factoryPtr)
    {
        factoryPtr->release();
        factoryPtr = nullptr;
    }
    if (entered)
    {
        if (auto exitProc = reinterpret_cast<ModuleExitProc>(dlsym(handle, "ModuleExit")))
            exitProc();
        entered = false;
    }
    if (handle)
    {
        dlclose(handle);
        handle = nullptr;
    }
}

std::set<std::string> PluginModule::exportedSymbols(const std::string& libraryPath)
{
    std::set<std::string> names;
    const std::string command = std::string(ZARG_NM) + " -D --defined-only '" + libraryPath + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return names;
    char line[1024];
    while (std::fgets(line, sizeof(line), pipe))
    {
        // "<address> <type> <name>"; versioned names keep their @VERSION.
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            names.insert(name);
    }
    pclose(pipe);
    return names;
}

} // namespace ZargHost
