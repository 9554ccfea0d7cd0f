#pragma once

#include "vstgui/lib/CParamDisplay.h"

namespace VSTGUI
{

// A display that shows a fixed text instead of its value.
class CTextLabel : public CParamDisplay
{
public:
    explicit CTextLabel(const CRect& size, UTF8StringPtr text = nullptr,
                        CBitmap* background = nullptr, int32_t style = 0);
    CLASS_METHODS(CTextLabel, CParamDisplay)

    virtual void setText(const UTF8String& text);
    const UTF8String& getText() const { return text; }
    std::string getDisplayText() const override { return text; }

protected:
    UTF8String text;
};

} // namespace VSTGUI
