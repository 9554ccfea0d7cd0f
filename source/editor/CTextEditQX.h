#pragma once

#include "editor/UnitsSuffix.h"

#include "vstgui/lib/CTextEdit.h"

// A text edit that shows its units after every text it is given; what the user types
// is read by the parameter, units or not.
class CTextEditQX : public VSTGUI::CTextEdit
{
public:
    CTextEditQX(const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
                VSTGUI::UTF8StringPtr title, VSTGUI::CBitmap* background, int32_t style);
    CLASS_METHODS(CTextEditQX, CTextEdit)

    void setUnits(const std::string& suffix) { units.set(suffix); }
    const std::string& getUnits() const { return units.get(); }
    void setText(const VSTGUI::UTF8String& text) override;

private:
    UnitsSuffix units;
};
