#pragma once

#include "editor/UnitsSuffix.h"

#include "vstgui/lib/CTextLabel.h"

// A text label that shows its units after every text it is given.
class CTextLabelQX : public VSTGUI::CTextLabel
{
public:
    CTextLabelQX(const VSTGUI::CRect& size, VSTGUI::UTF8StringPtr title,
                 VSTGUI::CBitmap* background, int32_t style);
    CLASS_METHODS(CTextLabelQX, CTextLabel)

    void setUnits(const std::string& suffix) { units.set(suffix); }
    const std::string& getUnits() const { return units.get(); }
    void setText(const VSTGUI::UTF8String& text) override;

private:
    UnitsSuffix units;
};
