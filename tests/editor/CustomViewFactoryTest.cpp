// The processor's custom view factory and sub-controllers, through descriptions the
// editor builds: which name makes which control, read from which attributes.
#include "ControlsFixture.h"

#include "adapter/ParameterIds.h"
#include "adapter/Processor.h"
#include "editor/CKickButtonQX.h"
#include "editor/CPadControllerQX.h"
#include "editor/CTextEditQX.h"
#include "editor/CTextLabelQX.h"
#include "editor/CVuMeterQX.h"
#include "editor/CXYPadQX.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/uidescription/UIDescription.h"

#include <cmath>
#include <functional>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;

namespace
{

// The detector's coefficient for the analog time constant at 20 steps a second.
float analogCoefficient(float ms)
{
    return static_cast<float>(
        std::exp(-1.0023934841156006 / static_cast<double>(20.f * ms * 0.001f)));
}

struct NameCase
{
    const char* what;
    std::string node;
    // Checks the view built; the plug-in object's custom-view requests are in asked.
    std::function<void(CView* view, const std::vector<std::string>& asked)> check;
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << c.what;
}

template <class T>
T* as(CView* view)
{
    auto* t = dynamic_cast<T*>(view);
    EXPECT_NE(t, nullptr) << "built as " << (view ? typeid(*view).name() : "nothing");
    return t;
}

void kickButton(CView* view, int32_t mode)
{
    if (auto* kick = as<CKickButtonQX>(view))
    {
        EXPECT_EQ(kick->getKickMode(), mode);
        EXPECT_EQ(kick->getTag(), 5);
        EXPECT_NE(kick->getListener(), nullptr);
        EXPECT_EQ(kick->getViewSize(), CRect(10, 20, 30, 40));
        EXPECT_EQ(kick->getBackOffset(), CPoint(2, 3));
        ASSERT_NE(kick->getBackground(), nullptr);
        EXPECT_EQ(kick->getBackground()->getHeight(), 40) << "both frames of kick.png";
    }
}

void analogMeter(CView* view, bool inverted, double height, double zero, float attack)
{
    if (auto* meter = as<CVuMeterQX>(view))
    {
        EXPECT_TRUE(meter->isAnalog());
        EXPECT_EQ(meter->isInverted(), inverted);
        EXPECT_EQ(meter->getFrameHeight(), height);
        EXPECT_EQ(meter->getZeroFrame(), zero);
        EXPECT_EQ(meter->getFrameCount(), 80);
        EXPECT_EQ(meter->getStyle() & kVertical, kVertical);
        EXPECT_FLOAT_EQ(meter->getDetector().attackCoefficient, attack);
    }
}

const std::string kKick = R"(origin="10, 20" size="20, 20" bitmap="kick" control-tag="C5"
    background-offset="2, 3" class="CKickButton")";
const std::string kMeter = R"(origin="0, 0" size="17, 85" bitmap="vuledon"
    off-bitmap="vuledoff" class="CVuMeter")";
const std::string kPad = R"(origin="0, 0" size="100, 100" back-color="Pad" frame-color="Rim"
    font-color="Dot" frame-width="2" round-rect-radius="12" style-round-rect="true"
    style-no-frame="false" class="CXYPad")";

std::string node(const char* name, const std::string& attributes)
{
    return std::string("<view custom-view-name=\"") + name + "\" " + attributes + "/>";
}

const std::vector<std::string> kNobodyAsked;

class FactoryNames : public ControlsFixture, public testing::WithParamInterface<NameCase>
{
};

TEST_P(FactoryNames, BuildTheirControls)
{
    const NameCase& c = GetParam();
    controller->setParamNormalized(EditorPlugIn::kThreshold, 0.25);
    ASSERT_NE(openEditor(c.node), nullptr);
    std::vector<std::string> asked;
    for (const auto& request : plugIn->customViewRequests)
        asked.push_back(request.name);
    c.check(firstView(), asked);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FactoryNames,
    testing::Values(
        NameCase{"kick_release", node("ZolvKickButton", kKick),
                 [](CView* v, auto&) { kickButton(v, 1); }},
        NameCase{"kick_release_U", node("ZolvKickButtonU", kKick),
                 [](CView* v, auto&) { kickButton(v, 1); }},
        NameCase{"kick_press", node("ZolvKickButtonD", kKick),
                 [](CView* v, auto&) { kickButton(v, 2); }},
        NameCase{"kick_both", node("ZolvKickButtonDU", kKick),
                 [](CView* v, auto&) { kickButton(v, 0); }},
        NameCase{"not_a_kick_name", node("ZolvKickButtonX", kKick),
                 [](CView* v, auto& asked)
                 {
                     EXPECT_EQ(asked, std::vector<std::string>{"ZolvKickButtonX"});
                     EXPECT_NE(as<CKickButton>(v), nullptr);
                     EXPECT_EQ(dynamic_cast<CKickButtonQX*>(v), nullptr) << "the plain class";
                 }},
        NameCase{"units_label_without_tag",
                 node("UnitsLabel", R"(origin="1, 2" size="60, 16" control-tag="" title="Guitar"
                      class="CTextLabel")"),
                 [](CView* v, auto& asked)
                 {
                     auto* label = as<CTextLabel>(v);
                     EXPECT_EQ(dynamic_cast<CTextLabelQX*>(v), nullptr) << "the plain class";
                     EXPECT_EQ(label->getText(), "Guitar");
                     EXPECT_EQ(asked, kNobodyAsked);
                 }},
        NameCase{"units_label_threshold",
                 node("UnitsLabel", R"(origin="1, 2" size="60, 16" control-tag="NG2_Threshold"
                      title="x" class="CTextLabel")"),
                 [](CView* v, auto&)
                 {
                     if (auto* label = as<CTextLabelQX>(v))
                     {
                         EXPECT_EQ(label->getUnits(), "dB");
                         EXPECT_EQ(label->getTag(), 1);
                         EXPECT_EQ(label->getText(), "2.50 dB") << "the parameter's text";
                     }
                 }},
        NameCase{"units_edit",
                 node("UnitsEdit", R"(origin="1, 2" size="60, 16" control-tag="NG2_Threshold"
                      title="" bitmap="" class="CTextEdit")"),
                 [](CView* v, auto&)
                 {
                     if (auto* edit = as<CTextEditQX>(v))
                     {
                         EXPECT_EQ(edit->getUnits(), "dB");
                         EXPECT_NE(edit->getListener(), nullptr);
                         EXPECT_EQ(edit->getBackground(), nullptr);
                         EXPECT_EQ(edit->getText(), "2.50 dB");
                     }
                 }},
        NameCase{
            "analog_meter_named_frames",
            node("MyAnalogMeterView_H40_Z30", kMeter + R"( num-led="80" control-tag="OutMeter")"),
            [](CView* v, auto&) { analogMeter(v, false, 40, 30, analogCoefficient(10.f)); }},
        NameCase{
            "analog_meter_inverted_unnamed_frames",
            node("InvertedAnalogMeterView", kMeter + R"( num-led="80" control-tag="OutMeter")"),
            [](CView* v, auto&) { analogMeter(v, true, 0, 0, analogCoefficient(10.f)); }},
        NameCase{"analog_meter_needs_a_meter_variable",
                 node("AnalogMeterView_H32_Z52", kMeter + R"( num-led="80" control-tag="C2")"),
                 [](CView* v, auto&) { analogMeter(v, false, 32, 52, 0.f); }},
        NameCase{"analog_meter_without_off_bitmap",
                 node("AnalogMeterView", R"(origin="0, 0" size="17, 85" bitmap="vuledon"
                      num-led="80" control-tag="OutMeter" class="CVuMeter")"),
                 [](CView* v, auto& asked)
                 {
                     EXPECT_EQ(asked, std::vector<std::string>{"AnalogMeterView"});
                     EXPECT_NE(as<CVuMeter>(v), nullptr);
                     EXPECT_EQ(dynamic_cast<CVuMeterQX*>(v), nullptr) << "the plain class";
                 }},
        NameCase{"led_meter_any_descriptor",
                 node("MeterView", kMeter + R"( num-led="10" control-tag="C2")"),
                 [](CView* v, auto&)
                 {
                     if (auto* meter = as<CVuMeterQX>(v))
                     {
                         EXPECT_FALSE(meter->isAnalog());
                         EXPECT_FALSE(meter->isInverted());
                         EXPECT_EQ(meter->getNbLed(), 10);
                         const EnvelopeDetector& d = meter->getDetector();
                         EXPECT_FLOAT_EQ(d.attackCoefficient, analogCoefficient(100.f));
                         EXPECT_FLOAT_EQ(d.releaseCoefficient, analogCoefficient(1000.f));
                         EXPECT_EQ(d.mode, 1);
                         EXPECT_TRUE(d.logarithmicOutput);
                         EXPECT_EQ(d.rate, 20.f);
                     }
                 }},
        NameCase{"led_meter_inverted",
                 node("InvertedMeterView", kMeter + R"( num-led="10" control-tag="OutMeter")"),
                 [](CView* v, auto&)
                 {
                     if (auto* meter = as<CVuMeterQX>(v))
                     {
                         EXPECT_TRUE(meter->isInverted() && !meter->isAnalog());
                     }
                 }},
        NameCase{"track_pad", node("TrackPad", kPad),
                 [](CView* v, auto&)
                 {
                     if (auto* pad = as<CXYPadQX>(v))
                     {
                         EXPECT_FALSE(pad->getJoystick());
                         EXPECT_EQ(pad->getBackColor(), CColor(0x10, 0x20, 0x30, 0xff));
                         EXPECT_EQ(pad->getFrameColor(), CColor(0x40, 0x50, 0x60, 0xff));
                         EXPECT_EQ(pad->getFontColor(), CColor(0xff, 0, 0, 0xff));
                         EXPECT_EQ(pad->getFrameWidth(), 2);
                         EXPECT_EQ(pad->getRoundRectRadius(), 12);
                         EXPECT_EQ(pad->getStyle() & (kRoundRectStyle | kNoFrame), kRoundRectStyle);
                         EXPECT_EQ(pad->getTag(), -1) << "a pad controller binds it";
                     }
                 }},
        NameCase{"joystick_unknown_colour_is_white",
                 node("Joystick", R"(origin="0, 0" size="100, 100" back-color="Nowhere"
                      frame-color="Rim" font-color="Dot" frame-width="1" round-rect-radius="9"
                      style-round-rect="false" style-no-frame="true" class="CXYPad")"),
                 [](CView* v, auto&)
                 {
                     if (auto* pad = as<CXYPadQX>(v))
                     {
                         EXPECT_TRUE(pad->getJoystick());
                         EXPECT_EQ(pad->getBackColor(), kWhiteCColor);
                         EXPECT_EQ(pad->getStyle() & (kRoundRectStyle | kNoFrame), kNoFrame);
                     }
                 }},
        NameCase{"empty_name_is_no_custom_view",
                 node("", R"(origin="0, 0" size="10, 10" title="t" class="CTextLabel")"),
                 [](CView* v, auto& asked)
                 {
                     EXPECT_NE(as<CTextLabel>(v), nullptr);
                     EXPECT_EQ(asked, kNobodyAsked);
                 }}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.what); });

struct SubControllerCase
{
    const char* name;
    bool made;
    bool ownClass; // CPadControllerQX rather than the library's
    ParamID x, y;
};

void PrintTo(const SubControllerCase& c, std::ostream* out)
{
    *out << c.name;
}

class SubControllerNames : public ControlsFixture,
                           public testing::WithParamInterface<SubControllerCase>
{
};

TEST_P(SubControllerNames, BindTheirParameters)
{
    const SubControllerCase& c = GetParam();
    // A pad inside the container shows where the controller points.
    ASSERT_NE(openEditor(std::string("<view class=\"CViewContainer\" origin=\"0, 0\" "
                                     "size=\"100, 100\" sub-controller=\"") +
                         c.name + "\">" + node("TrackPad", kPad) + "</view>"),
              nullptr);
    auto* container = dynamic_cast<CViewContainer*>(firstView());
    ASSERT_NE(container, nullptr);
    auto* pad = dynamic_cast<CXYPadQX*>(container->getView(0));
    ASSERT_NE(pad, nullptr);
    auto* pads = dynamic_cast<PadController*>(container->getSubController());
    EXPECT_EQ(pads != nullptr, c.made);
    if (!pads)
        return;
    EXPECT_EQ(dynamic_cast<CPadControllerQX*>(pads) != nullptr, c.ownClass);
    EXPECT_EQ(pad->getListener(), pads);
    controller->setParamNormalized(c.x, 0.2);
    controller->setParamNormalized(c.y, 0.9);
    float x = 0.f;
    float y = 0.f;
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_FLOAT_EQ(x, 0.2f) << "X from parameter " << c.x;
    EXPECT_FLOAT_EQ(y, 0.1f) << "Y from parameter " << c.y << ", 1 at the top";
}

INSTANTIATE_TEST_SUITE_P(
    Table, SubControllerNames,
    testing::Values(SubControllerCase{"VectorJoystick", true, false, Zeri2VST3::kJoystickXId,
                                      Zeri2VST3::kJoystickYId},
                    SubControllerCase{"Joystick_X20_Y21", true, true, 20, 21},
                    SubControllerCase{"TrackPad_X3_Y2", true, true, 3, 2},
                    SubControllerCase{"Joystick_Y21_X20", false, false, 0, 0},
                    SubControllerCase{"Joystick_X20", false, false, 0, 0},
                    SubControllerCase{"Joystick_Y1_TrackPad_X2_Y3", true, true, 2, 3},
                    SubControllerCase{"Joystick_X20_Y999", false, false, 0, 0},
                    SubControllerCase{"VectorJoystick2", false, false, 0, 0}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// The request for a name the factory does not know: the node's attributes in the
// record's members, texts alive for the call, and the object's view used.
TEST_F(ControlsFixture, UnknownNamesAskThePlugInObject)
{
    const std::string text = description(R"(
    <view custom-view-name="Widget" class="CView" origin="5, 6" size="30, 40" bitmap="vuledon"
          off-bitmap="vuledoff" control-tag="C4" background-offset="7, 8" orientation="vertical"
          back-color="Pad" frame-color="Nowhere" frame-width="3" round-rect-radius="4"
          style-no-frame="true" style-round-rect="false" height-of-one-image="32"
          sub-pixmaps="80"/>
    <view custom-view-name="Bare" class="CView" handle-bitmap="kick" off-bitmap="vuledoff"/>)");
    SharedPointer<UIDescription> desc(new UIDescription("", scratch.string()), false);
    ASSERT_TRUE(desc->parseText(text.data(), text.size()));
    plugIn->makesViewFor = "Widget";
    auto* qx = new VST3EditorQX(processor, "T", (scratch / "none.uidesc").c_str());
    editorView = owned(static_cast<IPlugView*>(qx));
    CView* view = desc->createView("T", qx);
    ASSERT_NE(view, nullptr);
    auto* container = dynamic_cast<CViewContainer*>(view);
    ASSERT_EQ(plugIn->customViewRequests.size(), 2u);

    const auto& widget = plugIn->customViewRequests[0];
    const EditorMessage& m = widget.record;
    EXPECT_EQ(m.message, kGuiCreateCustomView);
    EXPECT_EQ(widget.name, "Widget");
    EXPECT_EQ(m.controlTag, 4);
    EXPECT_EQ(m.controlListener, qx);
    EXPECT_EQ((std::vector<int32_t>{m.left, m.top, m.bottom, m.right}),
              (std::vector<int32_t>{5, 6, 46, 35}));
    EXPECT_EQ(m.backgroundOffsetX, 7);
    EXPECT_EQ(m.backgroundOffsetY, 8);
    EXPECT_EQ(widget.bitmapFile, "vuledon.png");
    EXPECT_EQ(widget.handleBitmapFile, "");
    EXPECT_EQ(widget.offBitmapFile, "vuledoff.png");
    EXPECT_EQ(widget.orientation, "vertical");
    EXPECT_EQ(widget.colors, (std::vector<CColor>{CColor(0x10, 0x20, 0x30, 0xff), kWhiteCColor}));
    ASSERT_EQ(widget.colorAddresses.size(), 3u);
    EXPECT_NE(widget.colorAddresses[0], widget.colorAddresses[1]) << "a colour value each";
    EXPECT_EQ(widget.colorAddresses[2], nullptr) << "no font-color attribute";
    EXPECT_EQ(
        (std::vector<int32_t>{m.frameWidth, m.roundRectRadius, m.heightOfOneImage, m.subPixmaps}),
        (std::vector<int32_t>{3, 4, 32, 80}));
    EXPECT_TRUE(m.noFrame);
    EXPECT_FALSE(m.roundRect);
    EXPECT_STREQ(m.extraText, "");
    EXPECT_EQ(m.editor, nullptr);
    EXPECT_FALSE(m.ownEditor);

    const auto& bare = plugIn->customViewRequests[1];
    EXPECT_EQ(bare.record.controlTag, -1);
    EXPECT_EQ(bare.record.controlListener, nullptr);
    EXPECT_EQ((std::vector<int32_t>{bare.record.left, bare.record.top, bare.record.bottom,
                                    bare.record.right}),
              (std::vector<int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(bare.bitmapFile, "") << "the empty text, never null";
    EXPECT_EQ(bare.handleBitmapFile, "kick.png");
    EXPECT_EQ(bare.offBitmapFile, "") << "not with a handle bitmap";
    EXPECT_EQ(bare.colors, std::vector<CColor>{});

    // The object's view took the node's place, with the node's attributes applied.
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(container->getView(0)->getViewSize(), CRect(5, 6, 35, 46));
    view->forget();
}

} // namespace
