#include "vstgui/lib/CParamDisplay.h"

#include "vstgui/lib/CDrawContext.h"
#include "vstgui/lib/CFontDesc.h"

#include <cstdio>

namespace VSTGUI
{

CParamDisplay::CParamDisplay(const CRect& r, CBitmap* bg, int32_t s)
    : CControl(r, nullptr, -1, bg), font(kNormalFont), style(s)
{
    font->remember();
}

CParamDisplay::CParamDisplay(const CParamDisplay& d)
    : CControl(d), font(d.font), fontColor(d.fontColor), backColor(d.backColor),
      frameColor(d.frameColor), shadowColor(d.shadowColor), horiTxtAlign(d.horiTxtAlign),
      style(d.style), frameWidth(d.frameWidth), roundRectRadius(d.roundRectRadius),
      textInset(d.textInset), precision(d.precision), valueToString(d.valueToString)
{
    font->remember();
}

CParamDisplay::~CParamDisplay()
{
    font->forget();
}

void CParamDisplay::setFont(CFontRef f)
{
    if (!f || f == font)
        return;
    f->remember();
    font->forget();
    font = f;
}

std::string CParamDisplay::getDisplayText() const
{
    std::string text;
    if (valueToString && valueToString(value, text, const_cast<CParamDisplay*>(this)))
        return text;
    char buf[64];
    std::snprintf(buf, sizeof(buf), "%.*f", static_cast<int>(precision),
                  static_cast<double>(value));
    return buf;
}

void CParamDisplay::drawBack(CDrawContext* context)
{
    const bool round = (style & kRoundRectStyle) != 0;
    if (!getTransparency())
    {
        context->setFillColor(backColor);
        if (round)
            context->drawRoundRect(size, roundRectRadius, kDrawFilled);
        else
            context->drawRect(size, kDrawFilled);
    }
    if (background)
        context->drawBitmap(background, size, backOffset);
    // A transparent display shows only its text.
    if (getTransparency() || (style & kNoFrame) || frameWidth <= 0)
        return;
    context->setLineWidth(frameWidth);
    if (style & (k3DIn | k3DOut))
    {
        const bool in = (style & k3DIn) != 0;
        context->setFrameColor(in ? kBlackCColor : kWhiteCColor);
        context->drawLine(CPoint(size.left, size.bottom - 1), CPoint(size.left, size.top));
        context->drawLine(CPoint(size.left, size.top), CPoint(size.right - 1, size.top));
        context->setFrameColor(in ? kWhiteCColor : kBlackCColor);
        context->drawLine(CPoint(size.right - 1, size.top),
                          CPoint(size.right - 1, size.bottom - 1));
        context->drawLine(CPoint(size.right - 1, size.bottom - 1),
                          CPoint(size.left, size.bottom - 1));
        return;
    }
    context->setFrameColor(frameColor);
    if (round)
        context->drawRoundRect(size, roundRectRadius, kDrawStroked);
    else
        context->drawRect(size, kDrawStroked);
}

void CParamDisplay::drawText(CDrawContext* context, const std::string& text)
{
    if ((style & kNoTextStyle) || text.empty())
        return;
    CRect textRect(size);
    textRect.inset(textInset.x, textInset.y);
    context->setFont(font);
    if (style & kShadowText)
    {
        CRect shadow(textRect);
        shadow.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(text, shadow, horiTxtAlign);
    }
    context->setFontColor(fontColor);
    context->drawString(text, textRect, horiTxtAlign);
}

void CParamDisplay::draw(CDrawContext* context)
{
    if (!(style & kNoDrawStyle))
    {
        drawBack(context);
        drawText(context, getDisplayText());
    }
    setDirty(false);
}

} // namespace VSTGUI
