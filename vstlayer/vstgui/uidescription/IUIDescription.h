#pragma once

#include "vstgui/lib/CColor.h"
#include "vstgui/lib/VSTGUIFwd.h"

namespace VSTGUI
{

class IController;

// What views and controllers may ask of a description while it builds them.
class IUIDescription
{
public:
    virtual ~IUIDescription() = default;
    virtual CBitmap* getBitmap(UTF8StringPtr name) const = 0;
    virtual CFontRef getFont(UTF8StringPtr name) const = 0;
    virtual bool getColor(UTF8StringPtr name, CColor& color) const = 0;
    virtual CGradient* getGradient(UTF8StringPtr name) const = 0;
    virtual int32_t getTagForName(UTF8StringPtr name) const = 0;
    virtual IControlListener* getControlListener(UTF8StringPtr name) const = 0;
    virtual IController* getController() const = 0;
};

} // namespace VSTGUI
