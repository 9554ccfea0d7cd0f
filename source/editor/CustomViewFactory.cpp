#include "editor/CustomViewFactory.h"

#include "editor/CKickButtonQX.h"
#include "editor/CTextEditQX.h"
#include "editor/CTextLabelQX.h"
#include "editor/CVuMeterQX.h"
#include "editor/CXYPadQX.h"
#include "editor/EditorMessage.h"
#include "editor/ViewAttributeReader.h"
#include "framework/CPlugIn.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CParamDisplay.h"

#include <initializer_list>

using namespace VSTGUI;

namespace
{
constexpr const char* kAnalogMeter = "AnalogMeterView";
constexpr const char* kInvertedAnalogMeter = "InvertedAnalogMeterView";
// The meters' detector steps once per redraw, at the editor's 20 redraws a second.
constexpr float kMeterStepRate = 20.f;

bool hasAll(const ViewAttributeReader& node, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        if (!node.has(n))
            return false;
    return true;
}

bool contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// An analog meter's name may carry its frame height ("_H65") and zero frame ("_Z52").
double nameNumber(const std::string& name, const char* marker, const char* until)
{
    const auto at = name.find(marker);
    if (at == std::string::npos)
        return 0;
    const auto start = at + 2;
    const auto end = until ? name.find(until) : std::string::npos;
    if (end != std::string::npos && end < start)
        return 0;
    return ViewAttributeReader::toReal(
        name.substr(start, end == std::string::npos ? std::string::npos : end - start));
}
} // namespace

CustomViewFactory::CustomViewFactory(CPlugIn& object, EditorMessage& record, bool units)
    : plugIn(object), message(record), unitsViews(units)
{
}

CView* CustomViewFactory::createView(const std::string& name, const UIAttributes& attributes,
                                     const IUIDescription* description) const
{
    if (name.empty())
        return nullptr;
    const ViewAttributeReader node(attributes, description);
    if (name == "ZolvKickButton" || name == "ZolvKickButtonDU" || name == "ZolvKickButtonU" ||
        name == "ZolvKickButtonD")
        return kickButton(name, node);
    if (name == "TrackPad" || name == "Joystick")
        return xyPad(name, node);
    if (unitsViews && (name == "UnitsEdit" || name == "UnitsLabel"))
        return unitsView(name, node);
    if (contains(name, kAnalogMeter))
        if (CView* view = meter(name, node, true))
            return view;
    if (name == "InvertedMeterView" || name == "MeterView")
        if (CView* view = meter(name, node, false))
            return view;
    return askPlugIn(name, node);
}

CView* CustomViewFactory::kickButton(const std::string& name, const ViewAttributeReader& node) const
{
    if (!hasAll(node, {"size", "origin", "bitmap", "control-tag", "background-offset"}))
        return nullptr;
    auto* button = new CKickButtonQX(node.rect(), node.listener(), node.tag(),
                                     node.bitmap("bitmap").get(), node.point("background-offset"));
    if (name == "ZolvKickButtonDU")
        button->setKickMode(CKickButtonQX::kPressAndRelease);
    else if (name == "ZolvKickButtonD")
        button->setKickMode(CKickButtonQX::kPress);
    else
        button->setKickMode(CKickButtonQX::kRelease);
    return button;
}

CView* CustomViewFactory::xyPad(const std::string& name, const ViewAttributeReader& node) const
{
    if (!hasAll(node, {"size", "origin", "back-color", "frame-color", "font-color", "frame-width",
                       "round-rect-radius", "style-round-rect", "style-no-frame"}))
        return nullptr;
    auto* pad = new CXYPadQX(node.rect());
    pad->setJoystick(name != "TrackPad");
    pad->setBackColor(node.color("back-color"));
    pad->setFrameColor(node.color("frame-color"));
    pad->setFontColor(node.color("font-color"));
    pad->setFrameWidth(node.integer("frame-width"));
    pad->setRoundRectRadius(node.integer("round-rect-radius"));
    for (auto [attribute, bit] :
         {std::pair{"style-round-rect", kRoundRectStyle}, std::pair{"style-no-frame", kNoFrame}})
        pad->setStyle(node.flag(attribute) ? pad->getStyle() | bit : pad->getStyle() & ~bit);
    return pad;
}

CView* CustomViewFactory::unitsView(const std::string& name, const ViewAttributeReader& node) const
{
    if (!hasAll(node, {"origin", "size", "title", "control-tag"}))
        return nullptr;
    const int32_t tag = node.tag();
    const CControlDescriptor* descriptor =
        tag >= 0 ? plugIn.m_controlList.get(static_cast<uint32_t>(tag)) : nullptr;
    // Without a control the node is a plain label, built by the description.
    if (!descriptor)
        return nullptr;
    const std::string title = node.text("title");
    const SharedPointer<CBitmap> background = node.bitmap("bitmap");
    if (name == "UnitsEdit")
    {
        auto* edit =
            new CTextEditQX(node.rect(), node.listener(), tag, title.c_str(), background.get(), 0);
        edit->setUnits(descriptor->units);
        return edit;
    }
    auto* label = new CTextLabelQX(node.rect(), title.c_str(), background.get(), 0);
    label->setUnits(descriptor->units);
    return label;
}

CView* CustomViewFactory::meter(const std::string& name, const ViewAttributeReader& node,
                                bool analog) const
{
    if (!hasAll(node, {"size", "origin", "bitmap", "off-bitmap", "num-led"}))
        return nullptr;
    const bool inverted =
        analog ? contains(name, kInvertedAnalogMeter) : name == "InvertedMeterView";
    auto* view =
        new CVuMeterQX(node.rect(), node.bitmap("bitmap").get(), node.bitmap("off-bitmap").get(),
                       node.integer("num-led"), inverted, analog, kVertical);
    if (analog)
    {
        view->setFrameHeight(nameNumber(name, "_H", "_Z"));
        view->setFrameCount(node.real("num-led"));
        view->setZeroFrame(nameNumber(name, "_Z", nullptr));
    }
    setBallistics(*view, node, analog);
    return view;
}

void CustomViewFactory::setBallistics(CVuMeterQX& view, const ViewAttributeReader& node,
                                      bool needsMeterVariable) const
{
    const std::string tagName = node.text("control-tag");
    if (tagName.empty())
        return;
    for (uint32_t i = 0; i < plugIn.m_controlList.count(); ++i)
    {
        const CControlDescriptor* d = plugIn.m_controlList.get(i);
        if (!d || tagName != d->name || (needsMeterVariable && !d->meterVariable))
            continue;
        view.getDetector().init(kMeterStepRate, d->meterAttackMs, d->meterReleaseMs, true,
                                d->meterDetectorMode, d->meterFlag);
    }
}

CView* CustomViewFactory::askPlugIn(const std::string& name, const ViewAttributeReader& node) const
{
    // The texts and colours live until the object has answered.
    const std::string bitmapFile = node.bitmapFile("bitmap");
    const std::string handleBitmapFile = node.bitmapFile("handle-bitmap");
    const std::string offBitmapFile = handleBitmapFile.empty() ? node.bitmapFile("off-bitmap") : "";
    const std::string orientation = node.text("orientation");
    const CColor backColor = node.color("back-color");
    const CColor frameColor = node.color("frame-color");
    const CColor fontColor = node.color("font-color");
    auto colorIfGiven = [&node](const char* attribute, const CColor& color)
    { return node.text(attribute).empty() ? nullptr : &color; };

    EditorMessage& m = message;
    m.message = kGuiCreateCustomView;
    m.customViewName = name.c_str();
    m.extraText = "";
    m.parentWindow = nullptr;
    m.editor = nullptr;
    m.moduleHandle = nullptr;
    m.controlListener = nullptr;
    m.ownEditor = false;
    m.editorWidth = 0;
    m.editorHeight = 0;
    m.controlTag = -1;
    if (!node.text("control-tag").empty())
    {
        m.controlTag = node.tag();
        m.controlListener = node.listener();
    }
    const CRect r = node.rect();
    m.left = static_cast<int32_t>(r.left);
    m.top = static_cast<int32_t>(r.top);
    m.bottom = static_cast<int32_t>(r.bottom);
    m.right = static_cast<int32_t>(r.right);
    const CPoint offset = node.point("background-offset");
    m.backgroundOffsetX = static_cast<int32_t>(offset.x);
    m.backgroundOffsetY = static_cast<int32_t>(offset.y);
    m.bitmapFile = bitmapFile.c_str();
    m.handleBitmapFile = handleBitmapFile.c_str();
    m.offBitmapFile = offBitmapFile.c_str();
    m.orientation = orientation.c_str();
    m.backColor = colorIfGiven("back-color", backColor);
    m.frameColor = colorIfGiven("frame-color", frameColor);
    m.fontColor = colorIfGiven("font-color", fontColor);
    m.frameWidth = node.integer("frame-width");
    m.roundRectRadius = node.integer("round-rect-radius");
    m.noFrame = node.flag("style-no-frame");
    m.roundRect = node.flag("style-round-rect");
    m.heightOfOneImage = node.integer("height-of-one-image");
    m.subPixmaps = node.integer("sub-pixmaps");

    auto* view = reinterpret_cast<CView*>(plugIn.onEditorMessage(m));

    // Nothing in the record may point at texts that are gone.
    m.customViewName = m.bitmapFile = m.handleBitmapFile = m.offBitmapFile = m.orientation = "";
    m.backColor = m.frameColor = m.fontColor = nullptr;
    return view;
}
