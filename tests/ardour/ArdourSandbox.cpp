#include "ArdourSandbox.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace
{

constexpr int kScanSeconds = 60;

} // namespace

ArdourSandbox::ArdourSandbox() : home(scratch.file("home"))
{
    const fs::path vst3 = fs::path(home) / ".vst3";
    fs::create_directories(vst3);
    // ZARG_ARDOUR_BUNDLE points the tests at another build of the bundle.
    const char* other = std::getenv("ZARG_ARDOUR_BUNDLE");
    fs::copy(other && *other ? other : ZARG_BUNDLE, bundle(), fs::copy_options::recursive);
    // Ardour trusts its index only when it is newer than the library, to the
    // second; a copy made in the second of the scan would look stale.
    const auto past = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(bundle()))
        fs::last_write_time(entry.path(), past);
    fs::last_write_time(bundle(), past);
    fs::create_directories(fs::path(vst2Link()).parent_path());
    fs::create_symlink("../.vst3/ZARG.vst3/Contents/x86_64-linux/ZARG.so", vst2Link());
}

std::string ArdourSandbox::bundle() const
{
    return home + "/.vst3/ZARG.vst3";
}

std::map<std::string, std::string> ArdourSandbox::environment() const
{
    return {{"HOME", home},
            {"XDG_CONFIG_HOME", home + "/.config"},
            {"XDG_CACHE_HOME", home + "/.cache"},
            {"XDG_DATA_HOME", home + "/.local/share"},
            {"LUA_PATH", ZARG_ARDOUR_DATA "/lua/?.lua;;"}};
}

std::string ArdourSandbox::vst2Link() const
{
    return home + "/.vst/ZARG.so";
}

TimedProcess::Outcome ArdourSandbox::scan() const
{
    return runScanner(ZARG_ARDOUR_SCANNER, bundle());
}

TimedProcess::Outcome ArdourSandbox::scanVst2() const
{
    return runScanner(ZARG_ARDOUR_VST2_SCANNER, vst2Link());
}

TimedProcess::Outcome ArdourSandbox::runScanner(const std::string& scanner,
                                                const std::string& file) const
{
    std::map<std::string, std::string> variables = environment();
    // The scanners are not wrapped like ardour7-lua: they need Ardour's libraries.
    variables["LD_LIBRARY_PATH"] = fs::path(scanner).parent_path().string();
    return TimedProcess::run({scanner, "--force", "--verbose", file}, variables, scratch.path(),
                             scratch.file("scan"), kScanSeconds);
}

bool ArdourSandbox::indexed() const
{
    const fs::path index = fs::path(home) / ".cache/ardour7/vst";
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(index, ec))
        if (entry.path().extension() == ".v3i")
            return true;
    return false;
}

void ArdourSandbox::prepareGui() const
{
    const fs::path config = fs::path(home) / ".config/ardour7";
    fs::create_directories(config);
    // Its presence says the first-run wizard has been through.
    std::ofstream(config / ".a7").close();
    fs::copy_file(ZARG_ARDOUR_DATA "/gui/config", config / "config",
                  fs::copy_options::overwrite_existing);
}

ScriptRunner ArdourSandbox::lua(int timeoutSeconds) const
{
    return ScriptRunner({ZARG_ARDOUR_LUA}, environment(), scratch.path(), timeoutSeconds);
}

std::string ArdourSandbox::script(const std::string& name)
{
    return ZARG_ARDOUR_DATA "/lua/" + name + ".lua";
}
