#include "editor/ModuleHandle.h"

#include <dlfcn.h>

void* ownModuleHandle()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ownModuleHandle), &info) == 0)
        return nullptr;
    return info.dli_fbase;
}
