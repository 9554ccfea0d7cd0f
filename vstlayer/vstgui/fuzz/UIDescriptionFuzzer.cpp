#include "vstgui/lib/CView.h"
#include "vstgui/uidescription/IController.h"
#include "vstgui/uidescription/UIAttributes.h"
#include "vstgui/uidescription/UIDescription.h"

#include <cstddef>
#include <cstdint>

namespace
{

// Takes every offer, so the custom-view and sub-controller paths run too.
struct FuzzController : VSTGUI::IController
{
    VSTGUI::CView* createView(const VSTGUI::UIAttributes& attributes,
                              const VSTGUI::IUIDescription*) override
    {
        const std::string* name = attributes.getAttributeValue("custom-view-name");
        return name && name->size() % 2 ? new VSTGUI::CView(VSTGUI::CRect(0, 0, 1, 1)) : nullptr;
    }
    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr,
                                             const VSTGUI::IUIDescription*) override
    {
        return new FuzzController;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // No bitmap exists under this folder: every reference to one must fail cleanly.
    VSTGUI::UIDescription description("fuzz.uidesc", "/nonexistent-vstgui-fuzz");
    if (!description.parseText(reinterpret_cast<const char*>(data), size))
        return 0;
    FuzzController controller;
    for (const std::string& name : description.getTemplateNames())
        if (VSTGUI::CView* view = description.createView(name.c_str(), &controller))
            view->forget();
    return 0;
}
