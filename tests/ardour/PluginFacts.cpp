#include "PluginFacts.h"

#include "host/PluginInstance.h"

#include "base/source/fstring.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

std::string utf8(const TChar* text)
{
    String converted(text);
    converted.toMultiByte(kCP_Utf8);
    return converted.text8();
}

bool offered(const ParameterInfo& info)
{
    return !(info.flags & (ParameterInfo::kIsReadOnly | ParameterInfo::kIsProgramChange));
}

FUID effectClass(IPluginFactory& factory, PClassInfo& found)
{
    for (int32 i = 0; i < factory.countClasses(); ++i)
        if (factory.getClassInfo(i, &found) == kResultOk &&
            std::strcmp(found.category, kVstAudioEffectClass) == 0)
            return FUID::fromTUID(found.cid);
    throw std::runtime_error("the bundle holds no audio effect");
}

// An initialized instance of the bundle's effect.
std::unique_ptr<ZargHost::PluginInstance> instance(const ZargHost::PluginModule& module)
{
    PClassInfo info{};
    auto plugin = std::make_unique<ZargHost::PluginInstance>(
        module.factory(), effectClass(*module.factory(), info), module.hostContext());
    if (!plugin->created() || !plugin->controller() || plugin->initialize() != kResultOk)
        throw std::runtime_error("cannot set up the plug-in: " + plugin->error());
    return plugin;
}

std::vector<ParameterInfo> parameters(IEditController& controller)
{
    std::vector<ParameterInfo> list;
    for (int32 i = 0; i < controller.getParameterCount(); ++i)
    {
        ParameterInfo info{};
        if (controller.getParameterInfo(i, info) == kResultOk)
            list.push_back(info);
    }
    return list;
}

// The names of the programs the program-change parameter selects.
std::vector<std::string> programNames(IUnitInfo* units, const ParameterInfo& programChange)
{
    std::vector<std::string> names;
    if (!units)
        return names;
    ProgramListID listId = kNoProgramListId;
    for (int32 i = 0; i < units->getUnitCount(); ++i)
    {
        UnitInfo unit{};
        if (units->getUnitInfo(i, unit) == kResultOk && unit.id == programChange.unitId)
            listId = unit.programListId;
    }
    for (int32 i = 0; i < units->getProgramListCount(); ++i)
    {
        ProgramListInfo list{};
        if (units->getProgramListInfo(i, list) != kResultOk ||
            (listId != kNoProgramListId && list.id != listId))
            continue;
        for (int32 program = 0; program < list.programCount; ++program)
        {
            String128 name{};
            units->getProgramName(list.id, program, name);
            names.push_back(utf8(name));
        }
        break;
    }
    return names;
}

} // namespace

PluginFacts::PluginFacts(const std::string& bundle)
    : module(std::make_unique<ZargHost::PluginModule>(bundle))
{
    if (!module->loaded())
        throw std::runtime_error("cannot load " + bundle + ": " + module->error());
    PClassInfo info{};
    const FUID classId = effectClass(*module->factory(), info);
    className = info.name;
    FUnknownPtr<IPluginFactory2> factory2(module->factory());
    for (int32 i = 0; factory2 && i < factory2->countClasses(); ++i)
    {
        PClassInfo2 info2{};
        if (factory2->getClassInfo2(i, &info2) == kResultOk && FUID::fromTUID(info2.cid) == classId)
            categories = info2.subCategories;
    }

    const auto plugin = instance(*module);
    for (const ParameterInfo& p : parameters(*plugin->controller()))
    {
        if (offered(p))
            inputTitles.push_back(utf8(p.title));
        else if (p.flags & ParameterInfo::kIsProgramChange)
            presetNames = programNames(plugin->unitInfo(), p);
    }
}

PluginFacts::~PluginFacts() = default;

std::vector<double> PluginFacts::values(const std::string& preset) const
{
    const auto plugin = instance(*module);
    IEditController& controller = *plugin->controller();
    const std::vector<ParameterInfo> all = parameters(controller);
    if (!preset.empty())
    {
        const auto chosen = std::ranges::find(presetNames, preset);
        const auto programChange = std::ranges::find_if(
            all, [](const ParameterInfo& p) { return p.flags & ParameterInfo::kIsProgramChange; });
        if (chosen == presetNames.end() || programChange == all.end())
            throw std::runtime_error("no factory preset " + preset);
        const auto index = static_cast<double>(chosen - presetNames.begin());
        const auto last = static_cast<double>(presetNames.size() - 1);
        controller.setParamNormalized(programChange->id, last > 0 ? index / last : 0.0);
    }
    std::vector<double> plain;
    for (const ParameterInfo& p : all)
        if (offered(p))
            plain.push_back(
                controller.normalizedParamToPlain(p.id, controller.getParamNormalized(p.id)));
    return plain;
}

double PluginFacts::plainAt(const std::string& title, double normalized) const
{
    const auto plugin = instance(*module);
    for (const ParameterInfo& p : parameters(*plugin->controller()))
        if (utf8(p.title) == title)
            return plugin->controller()->normalizedParamToPlain(p.id, normalized);
    throw std::runtime_error("no parameter " + title);
}
