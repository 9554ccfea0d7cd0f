#include "vstgui/uidescription/UIViewFactory.h"

#include "vstgui/lib/CAnimKnob.h"
#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CKickButton.h"
#include "vstgui/lib/COnOffButton.h"
#include "vstgui/lib/COptionMenu.h"
#include "vstgui/lib/CTextEdit.h"
#include "vstgui/lib/CViewContainer.h"
#include "vstgui/lib/CVuMeter.h"
#include "vstgui/lib/CXYPad.h"
#include "vstgui/uidescription/IUIDescription.h"
#include "vstgui/uidescription/UIAttributes.h"

#include <cmath>
#include <numbers>

namespace VSTGUI
{

namespace
{
constexpr double kMaxCoord = 16384;

bool readPoint(const UIAttributes& a, const char* name, CPoint& out, bool nonNegative)
{
    const std::string* text = a.getAttributeValue(name);
    if (!text)
        return true;
    const auto p = UIAttributes::parsePoint(*text);
    if (!p || std::abs(p->x) > kMaxCoord || std::abs(p->y) > kMaxCoord)
        return false;
    if (nonNegative && (p->x < 0 || p->y < 0))
        return false;
    out = *p;
    return true;
}

// Colours may be names (the description's or the standard ones) or "#rrggbbaa".
bool readColor(const UIAttributes& a, const char* name, const IUIDescription* d, CColor& out)
{
    const std::string* text = a.getAttributeValue(name);
    if (!text || text->empty())
        return false;
    return d->getColor(text->c_str(), out);
}

std::optional<float> readFloat(const UIAttributes& a, const char* name)
{
    if (auto v = a.getDoubleAttribute(name))
        return static_cast<float>(*v);
    return std::nullopt;
}

// A bitmap of the description; false when it is named but cannot be loaded.
bool readBitmap(const UIAttributes& a, const char* name, const IUIDescription* d, CBitmap*& out)
{
    out = nullptr;
    const std::string* text = a.getAttributeValue(name);
    if (!text || text->empty())
        return true;
    out = d->getBitmap(text->c_str());
    return out && out->isLoaded();
}

bool applyViewAttributes(CView* view, const UIAttributes& a, const IUIDescription* d)
{
    CPoint origin = view->getViewSize().getTopLeft();
    CPoint extent = view->getViewSize().getSize();
    if (!readPoint(a, "origin", origin, false) || !readPoint(a, "size", extent, true))
        return false;
    view->setViewSize(CRect(origin, extent), false);
    if (auto v = a.getBooleanAttribute("transparent"))
        view->setTransparency(*v);
    if (auto v = a.getBooleanAttribute("mouse-enabled"))
        view->setMouseEnabled(*v);
    if (auto v = a.getBooleanAttribute("visible"))
        view->setVisible(*v);
    CBitmap* bitmap = nullptr;
    if (!readBitmap(a, "bitmap", d, bitmap))
        return false;
    if (bitmap)
        view->setBackground(bitmap);
    return true;
}

void applyContainerAttributes(CViewContainer* c, const UIAttributes& a, const IUIDescription* d)
{
    CColor color;
    if (readColor(a, "background-color", d, color))
        c->setBackgroundColor(color);
    if (const std::string* s = a.getAttributeValue("background-color-draw-style"))
    {
        if (*s == "stroked")
            c->setBackgroundColorDrawStyle(kDrawStroked);
        else if (*s == "filled")
            c->setBackgroundColorDrawStyle(kDrawFilled);
        else if (*s == "filled and stroked")
            c->setBackgroundColorDrawStyle(kDrawFilledAndStroked);
    }
}

bool applyControlAttributes(CControl* c, const UIAttributes& a, const IUIDescription* d)
{
    if (const std::string* tagName = a.getAttributeValue("control-tag");
        tagName && !tagName->empty())
    {
        c->setTag(d->getTagForName(tagName->c_str()));
        c->setListener(d->getControlListener(tagName->c_str()));
    }
    if (auto v = readFloat(a, "min-value"))
        c->setMin(*v);
    if (auto v = readFloat(a, "max-value"))
        c->setMax(*v);
    if (auto v = readFloat(a, "default-value"))
    {
        c->setDefaultValue(*v);
        c->setValue(*v);
    }
    if (auto v = readFloat(a, "wheel-inc-value"))
        c->setWheelInc(*v);
    CPoint offset = c->getBackOffset();
    if (!readPoint(a, "background-offset", offset, false))
        return false;
    c->setBackOffset(offset);
    c->bounceValue();
    return true;
}

bool applyKnobAttributes(CAnimKnob* k, const UIAttributes& a)
{
    constexpr double degree = std::numbers::pi / 180.;
    if (auto v = a.getDoubleAttribute("height-of-one-image"))
    {
        if (*v < 0 || *v > kMaxCoord)
            return false;
        k->setHeightOfOneImage(*v);
    }
    else if (k->getHeightOfOneImage() <= 0)
    {
        k->setHeightOfOneImage(k->getHeight());
    }
    if (auto v = a.getIntegerAttribute("sub-pixmaps"))
    {
        if (*v < 1 || *v > 100000)
            return false;
        k->setNumSubPixmaps(*v);
    }
    else if (CBitmap* bitmap = k->getBackground(); bitmap && k->getHeightOfOneImage() > 0)
    {
        k->setNumSubPixmaps(static_cast<int32_t>(bitmap->getHeight() / k->getHeightOfOneImage()));
    }
    if (auto v = a.getDoubleAttribute("angle-start"))
        k->setStartAngle(static_cast<float>(*v * degree));
    if (auto v = a.getDoubleAttribute("angle-range"))
        k->setRangeAngle(static_cast<float>(*v * degree));
    if (auto v = readFloat(a, "zoom-factor"))
        k->setZoomFactor(*v);
    if (auto v = a.getBooleanAttribute("inverse-bitmap"))
        k->setInverseBitmap(*v);
    return true;
}

bool applyKickButtonAttributes(CKickButton* k, const UIAttributes& a)
{
    if (auto v = a.getDoubleAttribute("height-of-one-image"))
    {
        if (*v < 0 || *v > kMaxCoord)
            return false;
        k->setHeightOfOneImage(*v);
    }
    return true;
}

bool applyMeterAttributes(CVuMeter* m, const UIAttributes& a, const IUIDescription* d)
{
    CBitmap* off = nullptr;
    if (!readBitmap(a, "off-bitmap", d, off))
        return false;
    if (off)
        m->setOffBitmap(off);
    if (auto v = a.getIntegerAttribute("num-led"))
        m->setNbLed(*v);
    if (const std::string* s = a.getAttributeValue("orientation"))
    {
        if (*s == "horizontal")
            m->setStyle((m->getStyle() & ~kVertical) | kHorizontal);
        else if (*s == "vertical")
            m->setStyle((m->getStyle() & ~kHorizontal) | kVertical);
    }
    if (auto v = readFloat(a, "decrease-step-value"))
        m->setDecreaseStepValue(*v);
    return true;
}

bool applyDisplayAttributes(CParamDisplay* p, const UIAttributes& a, const IUIDescription* d)
{
    if (const std::string* name = a.getAttributeValue("font"); name && !name->empty())
        if (CFontRef font = d->getFont(name->c_str()))
            p->setFont(font);
    CColor color;
    if (readColor(a, "font-color", d, color))
        p->setFontColor(color);
    if (readColor(a, "back-color", d, color))
        p->setBackColor(color);
    if (readColor(a, "frame-color", d, color))
        p->setFrameColor(color);
    if (readColor(a, "shadow-color", d, color))
        p->setShadowColor(color);
    if (auto v = a.getDoubleAttribute("frame-width"))
        p->setFrameWidth(std::clamp(*v, 0., 100.));
    if (auto v = a.getDoubleAttribute("round-rect-radius"))
        p->setRoundRectRadius(std::clamp(*v, 0., kMaxCoord));
    if (auto v = a.getIntegerAttribute("value-precision"))
        p->setPrecision(static_cast<uint8_t>(std::clamp(*v, 0, 12)));
    CPoint inset = p->getTextInset();
    if (!readPoint(a, "text-inset", inset, false))
        return false;
    p->setTextInset(inset);
    if (const std::string* s = a.getAttributeValue("text-alignment"))
    {
        if (*s == "left")
            p->setHoriAlign(kLeftText);
        else if (*s == "right")
            p->setHoriAlign(kRightText);
        else if (*s == "center")
            p->setHoriAlign(kCenterText);
    }
    static const std::pair<const char*, int32_t> flags[] = {
        {"style-3D-in", k3DIn},
        {"style-3D-out", k3DOut},
        {"style-no-text", kNoTextStyle},
        {"style-no-draw", kNoDrawStyle},
        {"style-shadow-text", kShadowText},
        {"style-round-rect", kRoundRectStyle},
        {"style-no-frame", kNoFrame},
    };
    int32_t style = p->getStyle();
    for (const auto& [name, bit] : flags)
        if (auto v = a.getBooleanAttribute(name))
            style = *v ? (style | bit) : (style & ~bit);
    if (dynamic_cast<COptionMenu*>(p))
    {
        if (auto v = a.getBooleanAttribute("menu-popup-style"))
            style = *v ? (style | COptionMenu::kPopupStyle) : (style & ~COptionMenu::kPopupStyle);
        if (auto v = a.getBooleanAttribute("menu-check-style"))
            style = *v ? (style | COptionMenu::kCheckStyle) : (style & ~COptionMenu::kCheckStyle);
    }
    p->setStyle(style);
    if (auto* label = dynamic_cast<CTextLabel*>(p))
        if (const std::string* title = a.getAttributeValue("title"))
            label->setText(*title);
    return true;
}
} // namespace

bool UIViewFactory::isKnownClass(const std::string& n)
{
    return n == "CView" || n == "CViewContainer" || n == "CAnimKnob" || n == "COnOffButton" ||
           n == "COptionMenu" || n == "CParamDisplay" || n == "CTextLabel" || n == "CTextEdit" ||
           n == "CKickButton" || n == "CVuMeter" || n == "CXYPad";
}

CView* UIViewFactory::createView(const UIAttributes& attributes, const IUIDescription* description)
{
    const std::string* cls = attributes.getAttributeValue("class");
    if (!cls)
        return nullptr;
    const CRect r;
    CView* view = nullptr;
    if (*cls == "CView")
        view = new CView(r);
    else if (*cls == "CViewContainer")
        view = new CViewContainer(r);
    else if (*cls == "CAnimKnob")
        view = new CAnimKnob(r, nullptr, -1, 1, 0, nullptr);
    else if (*cls == "COnOffButton")
        view = new COnOffButton(r);
    else if (*cls == "COptionMenu")
        view = new COptionMenu(r, nullptr, -1);
    else if (*cls == "CParamDisplay")
        view = new CParamDisplay(r);
    else if (*cls == "CTextLabel")
        view = new CTextLabel(r);
    else if (*cls == "CTextEdit")
        view = new CTextEdit(r, nullptr, -1);
    else if (*cls == "CKickButton")
        view = new CKickButton(r, nullptr, -1, nullptr);
    else if (*cls == "CVuMeter")
        view = new CVuMeter(r, nullptr, nullptr, 100);
    else if (*cls == "CXYPad")
        view = new CXYPad(r);
    if (view && !applyAttributes(view, attributes, description))
    {
        view->forget();
        return nullptr;
    }
    return view;
}

bool UIViewFactory::applyAttributes(CView* view, const UIAttributes& a, const IUIDescription* d)
{
    if (!view || !d || !applyViewAttributes(view, a, d))
        return false;
    if (auto* c = dynamic_cast<CViewContainer*>(view))
        applyContainerAttributes(c, a, d);
    if (auto* c = dynamic_cast<CControl*>(view))
        if (!applyControlAttributes(c, a, d))
            return false;
    if (auto* k = dynamic_cast<CAnimKnob*>(view))
        if (!applyKnobAttributes(k, a))
            return false;
    if (auto* k = dynamic_cast<CKickButton*>(view))
        if (!applyKickButtonAttributes(k, a))
            return false;
    if (auto* m = dynamic_cast<CVuMeter*>(view))
        if (!applyMeterAttributes(m, a, d))
            return false;
    if (auto* p = dynamic_cast<CParamDisplay*>(view))
        if (!applyDisplayAttributes(p, a, d))
            return false;
    return true;
}

} // namespace VSTGUI
