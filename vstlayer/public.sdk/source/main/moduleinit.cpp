#include "public.sdk/source/main/moduleinit.h"

#include <utility>
#include <vector>

namespace Steinberg
{
namespace
{

// Function statics: other statics register from their constructors, in any
// order of initialisation.
std::vector<ModuleInitFunction>& initFunctions()
{
    static std::vector<ModuleInitFunction> functions;
    return functions;
}

std::vector<ModuleTerminateFunction>& terminateFunctions()
{
    static std::vector<ModuleTerminateFunction> functions;
    return functions;
}

} // namespace

ModuleInitializer::ModuleInitializer(ModuleInitFunction&& func)
{
    initFunctions().push_back(std::move(func));
}

ModuleTerminator::ModuleTerminator(ModuleTerminateFunction&& func)
{
    terminateFunctions().push_back(std::move(func));
}

void* getPlatformModuleHandle()
{
    return moduleHandle;
}

} // namespace Steinberg

bool InitModule()
{
    for (const auto& func : Steinberg::initFunctions())
        func();
    return true;
}

bool DeinitModule()
{
    const auto& functions = Steinberg::terminateFunctions();
    for (auto it = functions.rbegin(); it != functions.rend(); ++it)
        (*it)();
    return true;
}
