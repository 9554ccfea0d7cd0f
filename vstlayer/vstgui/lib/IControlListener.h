#pragma once

#include "vstgui/lib/VSTGUIFwd.h"

namespace VSTGUI
{

class IControlListener
{
public:
    virtual ~IControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
    virtual int32_t controlModifierClicked(CControl* /*control*/, int32_t /*buttons*/) { return 0; }
    virtual void controlBeginEdit(CControl* /*control*/) {}
    virtual void controlEndEdit(CControl* /*control*/) {}
};

} // namespace VSTGUI
