#pragma once

#include "RecordingContextMenu.h"

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <utility>
#include <vector>

// A host's component handler that offers parameter context menus (IComponentHandler3)
// and notes every request and popup.
class ContextMenuHost : public Steinberg::FObject,
                        public Steinberg::Vst::IComponentHandler,
                        public Steinberg::Vst::IComponentHandler3
{
public:
    struct Request
    {
        Steinberg::IPlugView* view;
        bool hasParameter;
        Steinberg::Vst::ParamID parameter;
    };

    // false: the host answers with no menu.
    bool offersMenus{true};
    std::vector<Request> requests;
    std::vector<std::pair<int, int>> popups;

    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID) override
    {
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue) override
    {
        edited.push_back(id);
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID) override
    {
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32) override
    {
        return Steinberg::kResultOk;
    }
    Steinberg::Vst::IContextMenu* PLUGIN_API
    createContextMenu(Steinberg::IPlugView* view, const Steinberg::Vst::ParamID* id) override
    {
        requests.push_back({view, id != nullptr, id ? *id : 0});
        return offersMenus ? new RecordingContextMenu(popups) : nullptr;
    }

    std::vector<Steinberg::Vst::ParamID> edited;

    OBJ_METHODS(ContextMenuHost, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Vst::IComponentHandler)
    DEF_INTERFACE(Steinberg::Vst::IComponentHandler3)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};
