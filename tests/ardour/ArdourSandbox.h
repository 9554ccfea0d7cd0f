#pragma once

#include "ScratchFolder.h"
#include "ScriptRunner.h"
#include "TimedProcess.h"

#include <map>
#include <string>

// A home of its own for one test's Ardour: HOME and the XDG configuration and
// cache folders in a scratch folder, so that neither the developer's plug-in
// cache nor their settings play a part. ZARG is copied into ~/.vst3, where
// Ardour looks for VST3 bundles; Ardour's scanner then indexes it, and
// ardour7-lua, which only reads that index, finds it. ~/.vst/ZARG.so links to
// the copy's library, as the install makes it for VST2 hosts.
class ArdourSandbox
{
public:
    ArdourSandbox();

    std::string path(const std::string& name) const { return scratch.file(name); }
    std::string bundle() const;
    std::map<std::string, std::string> environment() const;

    // Ardour's VST3 scanner run on the bundle copy, forced to write a new index.
    TimedProcess::Outcome scan() const;
    // Ardour's VST2 scanner run on ~/.vst/ZARG.so, the same way.
    TimedProcess::Outcome scanVst2() const;
    std::string vst2Link() const;
    // Whether Ardour's plug-in index holds an entry.
    bool indexed() const;
    // Ardour's GUI set up to open a session at once: no first-run wizard, and
    // the Dummy backend started as last used, without the engine dialog.
    void prepareGui() const;
    // A runner of the scripts in tests/ardour/lua.
    ScriptRunner lua(int timeoutSeconds) const;
    // The path of a script in tests/ardour/lua, by name.
    static std::string script(const std::string& name);

private:
    TimedProcess::Outcome runScanner(const std::string& scanner, const std::string& file) const;

    ScratchFolder scratch;
    std::string home;
};
