#pragma once

#include "vstgui/lib/VSTGUIFwd.h"

namespace VSTGUI
{

class IUIDescription;
class UIAttributes;

// Creates the standard view classes by name and applies description attributes to views.
class UIViewFactory
{
public:
    static bool isKnownClass(const std::string& className);
    // Null for an unknown class or attributes that cannot be applied.
    static CView* createView(const UIAttributes& attributes, const IUIDescription* description);
    // Applies every attribute the view's class understands; false when one is malformed
    // or names a resource that is missing.
    static bool applyAttributes(CView* view, const UIAttributes& attributes,
                                const IUIDescription* description);
};

} // namespace VSTGUI
