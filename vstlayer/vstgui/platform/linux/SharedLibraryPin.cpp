#include "vstgui/platform/linux/SharedLibraryPin.h"

#include <dlfcn.h>
#include <initializer_list>

namespace VSTGUI
{

void pinDrawingLibraries()
{
    // RTLD_NOLOAD: only libraries this module already brought in; the extra
    // reference is dropped again, RTLD_NODELETE is what stays.
    for (const char* name : {"libpixman-1.so.0", "libcairo.so.2"})
        if (void* handle = dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE))
            dlclose(handle);
}

} // namespace VSTGUI
