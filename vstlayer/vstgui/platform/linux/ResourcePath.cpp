#include "vstgui/platform/linux/ResourcePath.h"

#include <cstdlib>
#include <dlfcn.h>

namespace VSTGUI
{

namespace
{
std::string& overridePath()
{
    static std::string path;
    return path;
}

std::string moduleResourcePath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&moduleResourcePath), &info) == 0 || !info.dli_fname)
        return {};
    // A host may load the library through a link (VST2 hosts, from ~/.vst): the
    // resources are beside the file itself.
    char* resolved = realpath(info.dli_fname, nullptr);
    std::string module(resolved ? resolved : info.dli_fname);
    std::free(resolved);
    const auto slash = module.rfind('/');
    if (slash == std::string::npos)
        return "../Resources";
    const std::string dir = module.substr(0, slash);
    const auto up = dir.rfind('/');
    return (up == std::string::npos ? std::string(".") : dir.substr(0, up)) + "/Resources";
}
} // namespace

std::string ResourcePath::get()
{
    if (!overridePath().empty())
        return overridePath();
    return moduleResourcePath();
}

std::string ResourcePath::file(const std::string& name)
{
    return get() + "/" + name;
}

void ResourcePath::set(const std::string& path)
{
    overridePath() = path;
}

} // namespace VSTGUI
