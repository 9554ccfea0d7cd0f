#pragma once

#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "offscreen/PanelView.h"

#include "editor/IOffscreenView.h"

#include <memory>
#include <string>
#include <vector>

// The plug-in's editor opened without a window, the way a host gets it: the bundle
// loaded through its factory, the instance initialized, the view "editor" asked of its
// controller and opened through the view's IOffscreenView.
class OffscreenPanel
{
public:
    // openView false: the instance only, for a host that attaches views to windows itself.
    explicit OffscreenPanel(const std::string& bundlePath, bool openView = true);
    ~OffscreenPanel();
    OffscreenPanel(const OffscreenPanel&) = delete;
    OffscreenPanel& operator=(const OffscreenPanel&) = delete;

    // False, with the reason in error(), when any step failed.
    bool ok() const { return message.empty(); }
    const std::string& error() const { return message; }

    ZargHost::PluginInstance& plugin() { return *instance; }
    Steinberg::Vst::IEditController& controller() { return *instance->controller(); }
    Steinberg::IPlugView* view() const { return plugView; }
    IOffscreenView* panel() const { return offscreen; }

    std::vector<std::string> presetNames() const;
    // A name, compared without regard to case; -1 when no preset has it.
    int findPreset(const std::string& name) const;
    void loadPreset(int index);

    std::vector<PanelView> views() const { return viewsOf(offscreen); }
    // The listing of any open editor view.
    static std::vector<PanelView> viewsOf(IOffscreenView* view);
    bool writePNG(const std::string& path)
    {
        return offscreen && offscreen->writePNG(path.c_str()) == Steinberg::kResultTrue;
    }

private:
    // The reason when a step fails, else empty.
    std::string open(const std::string& bundlePath, bool openView);

    std::string message;
    std::unique_ptr<ZargHost::PluginModule> module;
    std::unique_ptr<ZargHost::PluginInstance> instance;
    Steinberg::IPlugView* plugView{nullptr};
    IOffscreenView* offscreen{nullptr};
};
