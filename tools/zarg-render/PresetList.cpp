#include "PresetList.h"

#include "NumberText.h"
#include "RenderError.h"
#include "Utf16Text.h"

#include <algorithm>

using namespace Steinberg;
using namespace Steinberg::Vst;

PresetList::PresetList(IUnitInfo* units, ProgramListID listId)
{
    if (!units)
        return;
    for (int32 i = 0; i < units->getProgramListCount(); ++i)
    {
        ProgramListInfo info{};
        if (units->getProgramListInfo(i, info) != kResultOk || info.id != listId)
            continue;
        for (int32 program = 0; program < info.programCount; ++program)
        {
            String128 name{};
            if (units->getProgramName(listId, program, name) != kResultOk)
                break;
            presetNames.push_back(toUtf8(name));
        }
        break;
    }
}

int PresetList::find(const std::string& nameOrIndex) const
{
    // Names first: a preset could be called "1".
    const auto named = std::ranges::find_if(presetNames, [&](const std::string& name)
                                            { return sameName(name, nameOrIndex); });
    if (named != presetNames.end())
        return static_cast<int>(named - presetNames.begin());
    if (presetNames.empty())
        throw RenderError("the plug-in has no factory presets");
    const auto index = parseInteger(nameOrIndex);
    if (index && *index >= 0 && *index < static_cast<long long>(presetNames.size()))
        return static_cast<int>(*index);
    if (index)
        throw RenderError("preset index " + nameOrIndex + " is outside 0 to " +
                          std::to_string(presetNames.size() - 1));
    throw RenderError("unknown preset '" + nameOrIndex + "' (see --list)");
}

double PresetList::normalized(int index) const
{
    const auto count = static_cast<double>(presetNames.size());
    return count > 1 ? index / (count - 1) : 0.0;
}
