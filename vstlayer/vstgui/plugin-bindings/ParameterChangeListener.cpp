#include "vstgui/plugin-bindings/ParameterChangeListener.h"

#include "vstgui/lib/COptionMenu.h"
#include "vstgui/lib/CTextLabel.h"
#include "vstgui/plugin-bindings/StringConvert.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

using namespace Steinberg;
using namespace Steinberg::Vst;

ParameterChangeListener::ParameterChangeListener(EditController* c, Parameter* p)
    : controller(c), parameter(p)
{
    parameter->addRef();
    parameter->addDependent(this);
}

ParameterChangeListener::~ParameterChangeListener()
{
    while (editCount > 0)
        endEdit();
    parameter->removeDependent(this);
    parameter->release();
}

ParamID ParameterChangeListener::getParameterID() const
{
    return parameter->getInfo().id;
}

std::string ParameterChangeListener::valueString(ParamValue normalized) const
{
    String128 text{};
    if (controller->getParamStringByValue(getParameterID(), normalized, text) != kResultTrue)
        return {};
    return StringConvert::toUTF8(text, 128);
}

void ParameterChangeListener::fillMenu(COptionMenu* menu) const
{
    const int32 steps = parameter->getInfo().stepCount;
    if (steps <= 0)
        return;
    menu->removeAllEntry();
    for (int32 i = 0; i <= steps; ++i)
        menu->addEntry(valueString(static_cast<ParamValue>(i) / steps));
    menu->setMin(0.f);
    menu->setMax(static_cast<float>(steps));
}

void ParameterChangeListener::addControl(CControl* control)
{
    if (!control || containsControl(control))
        return;
    controls.push_back(control);
    // The parameter's default is what a reset gesture returns to, in the control's range.
    const ParamValue defaultValue = parameter->getInfo().defaultNormalizedValue;
    const int32 steps = parameter->getInfo().stepCount;
    if (auto* menu = dynamic_cast<COptionMenu*>(control))
    {
        fillMenu(menu);
        if (steps > 0)
            menu->setDefaultValue(static_cast<float>(std::lround(defaultValue * steps)));
    }
    else
    {
        control->setDefaultValue(control->getMin() +
                                 static_cast<float>(defaultValue) * control->getRange());
        if (auto* display = dynamic_cast<CParamDisplay*>(control);
            display && !dynamic_cast<CTextLabel*>(control))
        {
            display->setValueToStringFunction(
                [this](float, std::string& text, CParamDisplay* d)
                {
                    text = valueString(d->getValueNormalized());
                    return true;
                });
        }
    }
    showValue(control, parameter->getNormalized());
}

void ParameterChangeListener::removeControl(CControl* control)
{
    std::erase(controls, control);
}

bool ParameterChangeListener::containsControl(const CControl* control) const
{
    return std::find(controls.begin(), controls.end(), control) != controls.end();
}

void ParameterChangeListener::showValue(CControl* control, ParamValue normalized) const
{
    const int32 steps = parameter->getInfo().stepCount;
    if (auto* menu = dynamic_cast<COptionMenu*>(control); menu && steps > 0)
        menu->setValue(static_cast<float>(std::lround(normalized * steps)));
    else
        control->setValueNormalized(static_cast<float>(normalized));
    if (auto* label = dynamic_cast<CTextLabel*>(control))
        label->setText(valueString(normalized));
    control->invalid();
}

void ParameterChangeListener::updateControlValue(ParamValue normalized)
{
    for (CControl* c : std::vector<CControl*>(controls))
        showValue(c, normalized);
}

void PLUGIN_API ParameterChangeListener::update(FUnknown*, int32 message)
{
    if (message == IDependent::kChanged)
        updateControlValue(parameter->getNormalized());
}

void ParameterChangeListener::beginEdit()
{
    if (editCount++ == 0)
        controller->beginEdit(getParameterID());
}

void ParameterChangeListener::endEdit()
{
    if (editCount == 0)
        return;
    if (--editCount == 0)
        controller->endEdit(getParameterID());
}

void ParameterChangeListener::performEdit(ParamValue normalized)
{
    const bool lone = editCount == 0;
    if (lone)
        beginEdit();
    controller->setParamNormalized(getParameterID(), normalized);
    controller->performEdit(getParameterID(), normalized);
    if (lone)
        endEdit();
}

} // namespace VSTGUI
