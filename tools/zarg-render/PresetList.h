#pragma once

#include "pluginterfaces/vst/ivstunits.h"

#include <string>
#include <vector>

// The factory presets as the plug-in lists them through IUnitInfo. A preset
// is loaded by setting the program-change parameter of the same id to its
// index spread over 0..1.
class PresetList
{
public:
    // units may be null: the plug-in has no presets then.
    PresetList(Steinberg::Vst::IUnitInfo* units, Steinberg::Vst::ProgramListID listId);

    const std::vector<std::string>& names() const { return presetNames; }
    // A name (ignoring case) or an index; throws when it names no preset.
    int find(const std::string& nameOrIndex) const;
    double normalized(int index) const;

private:
    std::vector<std::string> presetNames;
};
