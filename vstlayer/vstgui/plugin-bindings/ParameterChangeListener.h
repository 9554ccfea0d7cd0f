#pragma once

#include "vstgui/lib/VSTGUIFwd.h"

#include "base/source/fobject.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <string>
#include <vector>

namespace VSTGUI
{

// Ties the controls of one tag to the parameter of that id: they show its value and
// follow its changes; their gestures become edits of it.
class ParameterChangeListener : public Steinberg::FObject
{
public:
    ParameterChangeListener(Steinberg::Vst::EditController* controller,
                            Steinberg::Vst::Parameter* parameter);
    ~ParameterChangeListener() override;

    void addControl(CControl* control);
    void removeControl(CControl* control);
    bool containsControl(const CControl* control) const;
    bool hasControls() const { return !controls.empty(); }

    Steinberg::Vst::Parameter* getParameter() const { return parameter; }
    Steinberg::Vst::ParamID getParameterID() const;
    // The controller's text for a normalised value.
    std::string valueString(Steinberg::Vst::ParamValue normalized) const;

    void beginEdit();
    void endEdit();
    // Sets the parameter and tells the host; a lone edit gets its own begin/end.
    void performEdit(Steinberg::Vst::ParamValue normalized);

    void PLUGIN_API update(Steinberg::FUnknown* changedUnknown, Steinberg::int32 message) override;
    void updateControlValue(Steinberg::Vst::ParamValue normalized);

    OBJ_METHODS(ParameterChangeListener, FObject)

private:
    void fillMenu(class COptionMenu* menu) const;
    void showValue(CControl* control, Steinberg::Vst::ParamValue normalized) const;

    Steinberg::Vst::EditController* controller;
    Steinberg::Vst::Parameter* parameter;
    std::vector<CControl*> controls;
    int32_t editCount{0};
};

} // namespace VSTGUI
