#pragma once

#include "vstgui/lib/COptionMenu.h"
#include "vstgui/plugin-bindings/VST3EditorDelegate.h"
#include "vstgui/uidescription/IController.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <string>
#include <vector>

namespace VSTGUI::Test
{

// Records what the editor sends to the host, as "begin 0", "perform 0 0.5", "end 0".
class RecordingHandler : public Steinberg::FObject, public Steinberg::Vst::IComponentHandler
{
public:
    std::vector<std::string> calls;
    std::vector<double> performed;

    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override
    {
        calls.push_back("begin " + std::to_string(id));
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue v) override
    {
        calls.push_back("perform " + std::to_string(id));
        performed.push_back(v);
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override
    {
        calls.push_back("end " + std::to_string(id));
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32) override
    {
        return Steinberg::kResultOk;
    }

    OBJ_METHODS(RecordingHandler, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Vst::IComponentHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};

struct ChoiceListener : IControlListener
{
    std::vector<int32_t> chosen;
    void valueChanged(CControl* c) override
    {
        chosen.push_back(static_cast<COptionMenu*>(c)->getCurrentIndex());
    }
};

// Parameters for the tags of tests/data/panel.uidesc, and a delegate that records.
class TestController : public Steinberg::Vst::EditController, public VST3EditorDelegate
{
public:
    static constexpr Steinberg::Vst::ParamID kKnob = 0, kToggle = 13, kChoice = 18, kEdit = 32768;
    std::vector<std::string> delegateCalls;
    bool privateKnob{false};

    TestController()
    {
        using namespace Steinberg::Vst;
        parameters.addParameter(STR16("Knob"), nullptr, 0, 0.5, ParameterInfo::kCanAutomate, kKnob);
        parameters.addParameter(STR16("Toggle"), nullptr, 1, 0, ParameterInfo::kCanAutomate,
                                kToggle);
        auto* list = new StringListParameter(STR16("Choice"), kChoice);
        for (const char16_t* s : {u"Alpha", u"Beta", u"Gamma", u"Delta", u"Epsilon"})
            list->appendString(reinterpret_cast<const Steinberg::Vst::TChar*>(s));
        parameters.addParameter(list);
        parameters.addParameter(new RangeParameter(STR16("Edit"), kEdit, nullptr, 0, 100, 50));
    }

    void didOpen(VST3Editor*) override { delegateCalls.push_back("didOpen"); }
    void willClose(VST3Editor*) override { delegateCalls.push_back("willClose"); }
    bool isPrivateParameter(const Steinberg::Vst::ParamID id) override
    {
        return privateKnob && id == kKnob;
    }
    CView* createCustomView(UTF8StringPtr name, const UIAttributes&, const IUIDescription*,
                            VST3Editor*) override
    {
        delegateCalls.push_back(std::string("createCustomView ") + name);
        return nullptr;
    }
    COptionMenu* createContextMenu(const CPoint& pos, VST3Editor*) override
    {
        delegateCalls.push_back("createContextMenu");
        contextPos = pos;
        auto* menu = new COptionMenu(CRect(), &contextChoice, -1);
        menu->addEntry("Learn");
        menu->addEntry("Forget");
        return menu;
    }
    bool findParameter(const CPoint&, Steinberg::Vst::ParamID& id, VST3Editor*) override
    {
        id = 23;
        return true;
    }
    ChoiceListener contextChoice;
    CPoint contextPos;

    IController* createSubController(UTF8StringPtr name, const IUIDescription*,
                                     VST3Editor*) override
    {
        delegateCalls.push_back(std::string("createSubController ") + name);
        return nullptr;
    }
};

} // namespace VSTGUI::Test
