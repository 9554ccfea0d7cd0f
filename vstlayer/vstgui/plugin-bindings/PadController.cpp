#include "vstgui/plugin-bindings/PadController.h"

#include "vstgui/lib/CXYPad.h"

#include "base/source/updatehandler.h"

namespace VSTGUI
{

using namespace Steinberg;
using namespace Steinberg::Vst;

PadController::PadController(IController* parentController, EditController* controller,
                             Parameter* x, Parameter* y)
    : parent(parentController), editController(controller), xParam(x), yParam(y)
{
    // Parameters tell their dependents through the SDK's update handler.
    UpdateHandler::instance();
    for (Parameter* p : {xParam, yParam})
    {
        p->addRef();
        p->addDependent(this);
    }
}

PadController::~PadController()
{
    for (Parameter* p : {xParam, yParam})
    {
        p->removeDependent(this);
        p->release();
    }
    if (pad)
        pad->forget();
}

void PadController::showParameters()
{
    pad->setValue(CXYPad::calculateValue(static_cast<float>(xParam->getNormalized()),
                                         static_cast<float>(yParam->getNormalized())));
    pad->invalid();
}

void PLUGIN_API PadController::update(FUnknown*, int32 message)
{
    if (pad && message == IDependent::kChanged)
        showParameters();
}

void PadController::valueChanged(CControl* control)
{
    if (!pad || control != pad)
    {
        if (parent)
            parent->valueChanged(control);
        return;
    }
    float x = 0.f;
    float y = 0.f;
    CXYPad::calculateXY(pad->getValue(), x, y);
    for (auto [p, v] : {std::pair{xParam, x}, std::pair{yParam, y}})
    {
        const ParamID id = p->getInfo().id;
        editController->setParamNormalized(id, v);
        editController->performEdit(id, v);
    }
}

int32_t PadController::controlModifierClicked(CControl* control, int32_t buttons)
{
    return parent && control != pad ? parent->controlModifierClicked(control, buttons) : 0;
}

void PadController::controlBeginEdit(CControl* control)
{
    if (pad && control == pad)
    {
        editController->beginEdit(xParam->getInfo().id);
        editController->beginEdit(yParam->getInfo().id);
    }
    else if (parent)
    {
        parent->controlBeginEdit(control);
    }
}

void PadController::controlEndEdit(CControl* control)
{
    if (pad && control == pad)
    {
        editController->endEdit(xParam->getInfo().id);
        editController->endEdit(yParam->getInfo().id);
    }
    else if (parent)
    {
        parent->controlEndEdit(control);
    }
}

int32_t PadController::getTagForName(UTF8StringPtr name, int32_t registeredTag) const
{
    return parent ? parent->getTagForName(name, registeredTag) : registeredTag;
}

IControlListener* PadController::getControlListener(UTF8StringPtr controlTagName)
{
    return parent ? parent->getControlListener(controlTagName) : this;
}

CView* PadController::createView(const UIAttributes& attributes, const IUIDescription* description)
{
    return parent ? parent->createView(attributes, description) : nullptr;
}

CView* PadController::verifyView(CView* view, const UIAttributes& attributes,
                                 const IUIDescription* description)
{
    if (auto* candidate = dynamic_cast<CXYPad*>(view); candidate && !pad)
    {
        // Held until this controller goes, which may be after the pad left its container.
        pad = candidate;
        pad->remember();
        pad->setListener(this);
        showParameters();
    }
    return parent ? parent->verifyView(view, attributes, description) : view;
}

IController* PadController::createSubController(UTF8StringPtr name,
                                                const IUIDescription* description)
{
    return parent ? parent->createSubController(name, description) : nullptr;
}

} // namespace VSTGUI
