#pragma once

#include "vstgui/lib/CColor.h"
#include "vstgui/lib/CControl.h"

#include <functional>

namespace VSTGUI
{

// VSTGUI's own bit values: plug-in code and descriptions written for VSTGUI pass them
// as numbers. The bits between them belong to the option menu's styles.
enum CParamDisplayStyle : int32_t
{
    kShadowText = 1 << 2,
    k3DIn = 1 << 3,
    k3DOut = 1 << 4,
    kNoTextStyle = 1 << 11,
    kNoDrawStyle = 1 << 12,
    kNoFrame = 1 << 14,
    kRoundRectStyle = 1 << 15,
};

// Shows its value as text, with colours, frame and alignment.
class CParamDisplay : public CControl
{
public:
    using ValueToStringFunction =
        std::function<bool(float value, std::string& text, CParamDisplay*)>;

    explicit CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
    // The copy shares the font, remembered once more.
    CParamDisplay(const CParamDisplay& display);
    ~CParamDisplay() override;
    CLASS_METHODS(CParamDisplay, CControl)

    void setFont(CFontRef font);
    CFontRef getFont() const { return font; }
    void setFontColor(const CColor& c) { fontColor = c; }
    const CColor& getFontColor() const { return fontColor; }
    void setBackColor(const CColor& c) { backColor = c; }
    const CColor& getBackColor() const { return backColor; }
    void setFrameColor(const CColor& c) { frameColor = c; }
    const CColor& getFrameColor() const { return frameColor; }
    void setShadowColor(const CColor& c) { shadowColor = c; }
    const CColor& getShadowColor() const { return shadowColor; }
    void setHoriAlign(CHoriTxtAlign a) { horiTxtAlign = a; }
    CHoriTxtAlign getHoriAlign() const { return horiTxtAlign; }
    void setStyle(int32_t s) { style = s; }
    int32_t getStyle() const { return style; }
    void setFrameWidth(CCoord w) { frameWidth = w; }
    CCoord getFrameWidth() const { return frameWidth; }
    void setRoundRectRadius(CCoord r) { roundRectRadius = r; }
    CCoord getRoundRectRadius() const { return roundRectRadius; }
    void setTextInset(const CPoint& p) { textInset = p; }
    const CPoint& getTextInset() const { return textInset; }
    void setPrecision(uint8_t p) { precision = p > 12 ? 12 : p; }
    uint8_t getPrecision() const { return precision; }
    void setValueToStringFunction(ValueToStringFunction f) { valueToString = std::move(f); }

    // The text shown now.
    virtual std::string getDisplayText() const;
    void draw(CDrawContext* context) override;

protected:
    void drawBack(CDrawContext* context);
    void drawText(CDrawContext* context, const std::string& text);

    CFontRef font;
    CColor fontColor{kWhiteCColor};
    CColor backColor{kBlackCColor};
    CColor frameColor{kBlackCColor};
    CColor shadowColor{kRedCColor};
    CHoriTxtAlign horiTxtAlign{kCenterText};
    int32_t style;
    CCoord frameWidth{1};
    CCoord roundRectRadius{6};
    CPoint textInset;
    uint8_t precision{2};
    ValueToStringFunction valueToString;
};

} // namespace VSTGUI
