#pragma once

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"

#include <set>
#include <string>

namespace ZargHost
{

// A loaded VST3 bundle, as a host keeps it: the library opened, its
// ModuleEntry called and its factory held (given the host context). The
// destructor releases the factory, calls ModuleExit and closes the library;
// every instance must be released before.
class PluginModule
{
public:
    explicit PluginModule(const std::string& bundlePath);
    ~PluginModule();

    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    bool loaded() const { return factoryPtr != nullptr; }
    // Why loading failed; empty when it did not.
    const std::string& error() const { return message; }
    const std::string& libraryPath() const { return library; }
    Steinberg::IPluginFactory* factory() const { return factoryPtr; }
    Steinberg::FUnknown* hostContext() const;

    // <bundle>/Contents/x86_64-linux/<bundle name without .vst3>.so
    static std::string libraryPathOf(const std::string& bundlePath);
    // The names of the dynamic symbols a library defines (nm -D --defined-only).
    static std::set<std::string> exportedSymbols(const std::string& libraryPath);

private:
    void fail(const std::string& what);
    void unload();

    std::string library;
    std::string message;
    void* handle = nullptr;
    bool entered = false;
    Steinberg::IPluginFactory* factoryPtr = nullptr;
    // The SDK's host application does not count references: owned here.
};

} // namespace ZargHost
