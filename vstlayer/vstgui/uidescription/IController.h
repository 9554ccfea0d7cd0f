#pragma once

#include "vstgui/lib/IControlListener.h"

namespace VSTGUI
{

class IUIDescription;
class UIAttributes;

// Takes part in building views from a description.
class IController : public IControlListener
{
public:
    void valueChanged(CControl*) override {}
    virtual int32_t getTagForName(UTF8StringPtr /*name*/, int32_t registeredTag) const
    {
        return registeredTag;
    }
    virtual IControlListener* getControlListener(UTF8StringPtr /*controlTagName*/) { return this; }
    // Offered every node with a "custom-view-name" first; null builds the standard class.
    virtual CView* createView(const UIAttributes& /*attributes*/,
                              const IUIDescription* /*description*/)
    {
        return nullptr;
    }
    virtual CView* verifyView(CView* view, const UIAttributes& /*attributes*/,
                              const IUIDescription* /*description*/)
    {
        return view;
    }
    // For nodes with "sub-controller"; the view built from the node then owns the result.
    virtual IController* createSubController(UTF8StringPtr /*name*/,
                                             const IUIDescription* /*description*/)
    {
        return nullptr;
    }
};

} // namespace VSTGUI
