// zarg-snapshot: renders the plug-in's editor to a PNG without a window, loading the
// bundle the way a host does.
//
//   zarg-snapshot [--bundle PATH] [--preset NAME] --out FILE.png
#include "offscreen/OffscreenPanel.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

namespace
{

int usage(const char* why)
{
    std::cerr << "zarg-snapshot: " << why << "\n"
              << "usage: zarg-snapshot [--bundle PATH] [--preset NAME] --out FILE.png\n";
    return 2;
}

int snapshot(int argc, char** argv)
{
    std::string bundle = ZARG_SNAPSHOT_BUNDLE;
    std::string preset;
    std::string out;
    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h")
        {
            std::cout << "usage: zarg-snapshot [--bundle PATH] [--preset NAME] --out FILE.png\n";
            return 0;
        }
        if (i + 1 >= argc || (option != "--bundle" && option != "--preset" && option != "--out"))
            return usage(("unknown or incomplete option '" + option + "'").c_str());
        const std::string value = argv[++i];
        if (value.empty())
            return usage(("empty value for " + option).c_str());
        (option == "--bundle" ? bundle : option == "--preset" ? preset : out) = value;
    }
    if (out.empty())
        return usage("--out is required");

    OffscreenPanel panel(bundle);
    if (!panel.ok())
    {
        std::cerr << "zarg-snapshot: " << panel.error() << "\n";
        return 1;
    }
    if (!preset.empty())
    {
        const int index = panel.findPreset(preset);
        if (index < 0)
        {
            std::cerr << "zarg-snapshot: unknown preset '" << preset << "'; the presets are:\n";
            for (const std::string& name : panel.presetNames())
                std::cerr << "  " << name << "\n";
            return 1;
        }
        panel.loadPreset(index);
    }
    if (!panel.writePNG(out))
    {
        std::error_code ignored;
        std::filesystem::remove(out, ignored);
        std::cerr << "zarg-snapshot: cannot write '" << out << "'\n";
        return 1;
    }
    std::cout << out << "\n";
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const int status = snapshot(argc, argv);
    // The editor's drawing libraries keep font caches for the life of the process; letting
    // them go once the bundle is unloaded leaves a leak checker only real leaks to report.
    cairo_debug_reset_static_data();
    FcFini();
    return status;
}
