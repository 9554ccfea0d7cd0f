#pragma once

#include "vstgui/lib/CControl.h"
#include "vstgui/lib/IControlListener.h"
#include "vstgui/lib/VSTGUIEditorInterface.h"

#include <vector>

namespace VSTGUI::Test
{

// Records what a control reports, in order.
struct RecordingListener : IControlListener
{
    std::vector<std::string> events;
    std::vector<float> values;
    void valueChanged(CControl* c) override
    {
        events.push_back("changed");
        values.push_back(c->getValueNormalized());
    }
    void controlBeginEdit(CControl*) override { events.push_back("begin"); }
    void controlEndEdit(CControl*) override { events.push_back("end"); }
};

struct FakeEditor : VSTGUIEditorInterface
{
    int32_t knobMode{kCircularMode};
    int32_t getKnobMode() const override { return knobMode; }
};

} // namespace VSTGUI::Test
