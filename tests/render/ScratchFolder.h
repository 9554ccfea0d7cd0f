#pragma once

#include <set>
#include <string>

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return folder; }
    std::string file(const std::string& name) const { return folder + "/" + name; }
    // The names of the entries, hidden ones included.
    std::set<std::string> entries() const;

private:
    std::string folder;
};
