#pragma once

#include <functional>

// Module set-up hooks, run by the platform entry points: ModuleEntry calls
// InitModule on the first of possibly nested entries, ModuleExit calls
// DeinitModule on the last exit.
bool InitModule();
bool DeinitModule();

// The handle the host passed to ModuleEntry; null outside entry and exit.
extern void* moduleHandle;

namespace Steinberg
{

using ModuleInitFunction = std::function<void()>;
using ModuleTerminateFunction = std::function<void()>;

// A static of either type registers work for InitModule (in registration
// order) or DeinitModule (in reverse order), so a module needs no hook code.
struct ModuleInitializer
{
    explicit ModuleInitializer(ModuleInitFunction&& func);
};

struct ModuleTerminator
{
    explicit ModuleTerminator(ModuleTerminateFunction&& func);
};

void* getPlatformModuleHandle();

} // namespace Steinberg
