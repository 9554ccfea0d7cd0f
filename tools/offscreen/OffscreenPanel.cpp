#include "offscreen/OffscreenPanel.h"

#include "adapter/ParameterIds.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

FUID effectClassOf(IPluginFactory& factory)
{
    for (int32 i = 0; i < factory.countClasses(); ++i)
    {
        PClassInfo info{};
        if (factory.getClassInfo(i, &info) == kResultOk &&
            std::strcmp(info.category, kVstAudioEffectClass) == 0)
            return FUID::fromTUID(info.cid);
    }
    return {};
}

bool sameName(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y)
                      {
                          return std::tolower(static_cast<unsigned char>(x)) ==
                                 std::tolower(static_cast<unsigned char>(y));
                      });
}

PanelView parseLine(const std::string& line)
{
    PanelView v;
    std::istringstream in(line);
    std::string field;
    auto next = [&]() -> std::string
    {
        std::getline(in, field, '\t');
        return field;
    };
    v.id = std::stoi(next());
    v.parent = std::stoi(next());
    v.kind = next();
    v.left = std::stod(next());
    v.top = std::stod(next());
    v.width = std::stod(next());
    v.height = std::stod(next());
    v.tag = std::stoi(next());
    v.value = std::stod(next());
    v.state = std::stoi(next());
    std::getline(in, v.text);
    return v;
}

} // namespace

OffscreenPanel::OffscreenPanel(const std::string& bundlePath, bool openView)
{
    message = open(bundlePath, openView);
}

std::string OffscreenPanel::open(const std::string& bundlePath, bool openView)
{
    module = std::make_unique<ZargHost::PluginModule>(bundlePath);
    if (!module->loaded())
        return "cannot load bundle '" + bundlePath + "': " + module->error();
    const FUID effect = effectClassOf(*module->factory());
    if (!effect.isValid())
        return "the bundle holds no audio effect";
    instance = std::make_unique<ZargHost::PluginInstance>(module->factory(), effect,
                                                          module->hostContext());
    if (!instance->created() || !instance->controller())
        return "cannot create the plug-in: " + instance->error();
    if (instance->initialize() != kResultOk)
        return "the plug-in failed to initialize";
    if (!openView)
        return {};
    plugView = instance->controller()->createView(ViewType::kEditor);
    if (!plugView)
        return "the plug-in has no editor";
    void* obj = nullptr;
    if (plugView->queryInterface(IOffscreenView::iid, &obj) != kResultOk || !obj)
        return "the editor cannot be opened offscreen";
    offscreen = static_cast<IOffscreenView*>(obj);
    if (offscreen->openOffscreen() != kResultTrue)
    {
        offscreen->release();
        offscreen = nullptr;
        return "the editor did not open";
    }
    return {};
}

OffscreenPanel::~OffscreenPanel()
{
    if (offscreen)
    {
        offscreen->closeOffscreen();
        offscreen->release();
    }
    if (plugView)
        plugView->release();
    instance.reset();
}

std::vector<std::string> OffscreenPanel::presetNames() const
{
    std::vector<std::string> names;
    IUnitInfo* units = instance ? instance->unitInfo() : nullptr;
    if (!units)
        return names;
    for (int32 i = 0; i < units->getProgramListCount(); ++i)
    {
        ProgramListInfo info{};
        if (units->getProgramListInfo(i, info) != kResultOk || info.id != Zeri2VST3::kPresetParamId)
            continue;
        for (int32 program = 0; program < info.programCount; ++program)
        {
            String128 name{};
            if (units->getProgramName(info.id, program, name) != kResultOk)
                break;
            char utf8[256]{};
            UString(name, 128).toAscii(utf8, sizeof utf8);
            names.emplace_back(utf8);
        }
    }
    return names;
}

int OffscreenPanel::findPreset(const std::string& name) const
{
    const std::vector<std::string> names = presetNames();
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&](const std::string& n) { return sameName(n, name); });
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

void OffscreenPanel::loadPreset(int index)
{
    const auto count = static_cast<double>(presetNames().size());
    controller().setParamNormalized(Zeri2VST3::kPresetParamId,
                                    count > 1 ? index / (count - 1) : 0.0);
}

std::vector<PanelView> OffscreenPanel::viewsOf(IOffscreenView* view)
{
    std::vector<PanelView> result;
    if (!view)
        return result;
    std::string text(static_cast<size_t>(std::max(view->describeViews(nullptr, 0), 1)), '\0');
    view->describeViews(text.data(), static_cast<int32>(text.size()));
    text.resize(std::strlen(text.c_str()));
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        result.push_back(parseLine(line));
    return result;
}
