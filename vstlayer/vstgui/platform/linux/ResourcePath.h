#pragma once

#include <string>

namespace VSTGUI
{

// Where descriptions and bitmaps are found: "Resources" next to the folder of the
// shared object this code is linked into (ZARG.vst3/Contents/Resources), unless set.
class ResourcePath
{
public:
    static std::string get();
    // A resource file by its name, as plug-in code names its bitmaps ("knob.png").
    static std::string file(const std::string& name);
    // An empty path goes back to the automatic one.
    static void set(const std::string& path);
};

} // namespace VSTGUI
