#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

#include <utility>
#include <vector>

// A host's context menu that only notes where the plug-in pops it up.
class RecordingContextMenu : public Steinberg::FObject, public Steinberg::Vst::IContextMenu
{
public:
    explicit RecordingContextMenu(std::vector<std::pair<int, int>>& list) : popups(list) {}

    Steinberg::int32 PLUGIN_API getItemCount() override { return 0; }
    Steinberg::tresult PLUGIN_API getItem(Steinberg::int32, Item&,
                                          Steinberg::Vst::IContextMenuTarget**) override
    {
        return Steinberg::kResultFalse;
    }
    Steinberg::tresult PLUGIN_API addItem(const Item&, Steinberg::Vst::IContextMenuTarget*) override
    {
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API removeItem(const Item&,
                                             Steinberg::Vst::IContextMenuTarget*) override
    {
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API popup(Steinberg::UCoord x, Steinberg::UCoord y) override
    {
        popups.emplace_back(x, y);
        return Steinberg::kResultOk;
    }

    OBJ_METHODS(RecordingContextMenu, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Vst::IContextMenu)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    std::vector<std::pair<int, int>>& popups;
};
