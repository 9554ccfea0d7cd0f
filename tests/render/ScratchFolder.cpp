#include "ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zarg-render-test.XXXXXX");
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch folder");
    folder = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

std::set<std::string> ScratchFolder::entries() const
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}
