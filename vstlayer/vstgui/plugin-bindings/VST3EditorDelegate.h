#pragma once

#include "vstgui/lib/CPoint.h"

#include "pluginterfaces/vst/vsttypes.h"

namespace VSTGUI
{

class COptionMenu;
class IController;
class IUIDescription;
class UIAttributes;
class VST3Editor;

// Implemented by the edit controller to take part in the editor's life.
class VST3EditorDelegate
{
public:
    virtual ~VST3EditorDelegate() = default;

    virtual CView* createCustomView(UTF8StringPtr /*name*/, const UIAttributes& /*attributes*/,
                                    const IUIDescription* /*description*/, VST3Editor* /*editor*/)
    {
        return nullptr;
    }
    virtual CView* verifyView(CView* view, const UIAttributes& /*attributes*/,
                              const IUIDescription* /*description*/, VST3Editor* /*editor*/)
    {
        return view;
    }
    virtual bool findParameter(const CPoint& /*pos*/, Steinberg::Vst::ParamID& /*paramID*/,
                               VST3Editor* /*editor*/)
    {
        return false;
    }
    // A private parameter is not bound to controls with its tag.
    virtual bool isPrivateParameter(const Steinberg::Vst::ParamID /*paramID*/) { return false; }
    virtual void didOpen(VST3Editor* /*editor*/) {}
    virtual void willClose(VST3Editor* /*editor*/) {}
    virtual IController* createSubController(UTF8StringPtr /*name*/,
                                             const IUIDescription* /*description*/,
                                             VST3Editor* /*editor*/)
    {
        return nullptr;
    }
    // A new menu (the editor releases it) for a right click at pos, or null.
    virtual COptionMenu* createContextMenu(const CPoint& /*pos*/, VST3Editor* /*editor*/)
    {
        return nullptr;
    }
};

} // namespace VSTGUI
