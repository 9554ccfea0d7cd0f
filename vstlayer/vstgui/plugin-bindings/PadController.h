#pragma once

#include "vstgui/uidescription/IController.h"

#include "base/source/fobject.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace VSTGUI
{

class CXYPad;

// Ties the first CXYPad among the views it controls to two parameters: the pad's x and
// y become the X and Y parameters and follow their changes. Everything else is passed
// on to the parent controller.
class PadController : public IController, public Steinberg::FObject
{
public:
    PadController(IController* parentController, Steinberg::Vst::EditController* editController,
                  Steinberg::Vst::Parameter* xParam, Steinberg::Vst::Parameter* yParam);
    ~PadController() override;

    CXYPad* getPad() const { return pad; }

    void valueChanged(CControl* control) override;
    int32_t controlModifierClicked(CControl* control, int32_t buttons) override;
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;

    int32_t getTagForName(UTF8StringPtr name, int32_t registeredTag) const override;
    IControlListener* getControlListener(UTF8StringPtr controlTagName) override;
    CView* createView(const UIAttributes& attributes, const IUIDescription* description) override;
    CView* verifyView(CView* view, const UIAttributes& attributes,
                      const IUIDescription* description) override;
    IController* createSubController(UTF8StringPtr name,
                                     const IUIDescription* description) override;

    // A change of either parameter.
    void PLUGIN_API update(Steinberg::FUnknown* changedUnknown, Steinberg::int32 message) override;

    OBJ_METHODS(PadController, FObject)

private:
    void showParameters();

    IController* parent;
    Steinberg::Vst::EditController* editController;
    Steinberg::Vst::Parameter* xParam;
    Steinberg::Vst::Parameter* yParam;
    CXYPad* pad{nullptr};
};

} // namespace VSTGUI
