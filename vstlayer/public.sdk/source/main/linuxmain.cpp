#include "pluginterfaces/base/fplatform.h"
#include "public.sdk/source/main/moduleinit.h"

void* moduleHandle = nullptr;

namespace
{
int entryCount = 0;
}

extern "C"
{
    SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle);
    SMTG_EXPORT_SYMBOL bool ModuleExit();
}

bool ModuleEntry(void* sharedLibraryHandle)
{
    if (++entryCount > 1)
        return true;
    moduleHandle = sharedLibraryHandle;
    if (InitModule())
        return true;
    // A failed entry leaves nothing to exit from.
    entryCount = 0;
    moduleHandle = nullptr;
    return false;
}

bool ModuleExit()
{
    // An exit without a matching entry must not unbalance the count.
    if (entryCount <= 0)
        return false;
    if (--entryCount > 0)
        return true;
    moduleHandle = nullptr;
    return DeinitModule();
}
