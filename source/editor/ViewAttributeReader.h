#pragma once

#include "vstgui/lib/CColor.h"
#include "vstgui/lib/CRect.h"
#include "vstgui/lib/SharedPointer.h"
#include "vstgui/lib/VSTGUIFwd.h"

#include <string>

namespace VSTGUI
{
class IUIDescription;
class UIAttributes;
} // namespace VSTGUI

// A description node's attributes read the way plug-in code of this kind reads them:
// numbers as the C library's atoi and atof read them (0 for text that is none),
// bitmaps by their file name in the resources, unknown colours as opaque white.
class ViewAttributeReader
{
public:
    ViewAttributeReader(const VSTGUI::UIAttributes& attributes,
                        const VSTGUI::IUIDescription* description);

    bool has(const char* name) const;
    // The attribute's text; empty when absent.
    std::string text(const char* name) const;
    int32_t integer(const char* name) const;
    double real(const char* name) const;
    // True exactly for "true".
    bool flag(const char* name) const;
    // "x, y", each half read as an integer; (0, 0) without a comma.
    VSTGUI::CPoint point(const char* name) const;
    // From "origin" and "size".
    VSTGUI::CRect rect() const;
    VSTGUI::CColor color(const char* name) const;
    // "control-tag" resolved by the description; -1 for an empty or unknown name.
    int32_t tag() const;
    VSTGUI::IControlListener* listener() const;
    // The attribute's text followed by ".png"; empty for an absent or empty attribute.
    std::string bitmapFile(const char* name) const;
    // That file loaded from the resources, or null.
    VSTGUI::SharedPointer<VSTGUI::CBitmap> bitmap(const char* name) const;

    // The C library's readings, free of the locale.
    static int32_t toInteger(const std::string& text);
    static double toReal(const std::string& text);

private:
    const VSTGUI::UIAttributes& attributes;
    const VSTGUI::IUIDescription* description;
};
