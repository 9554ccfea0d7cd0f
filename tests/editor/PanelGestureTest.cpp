// What users' hands do to the panel, through the built bundle: reset gestures, the
// host's context menu, and the value shown while a knob turns.
#include "ContextMenuHost.h"

#include "offscreen/OffscreenPanel.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/gui/iplugview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Kind = ZargHost::RecordingComponentHandler::Kind;

namespace
{

// The panel's knobs and the plain default of each one's parameter.
struct KnobDefault
{
    ParamID tag;
    const char* title;
    double plainDefault;
};
const KnobDefault kKnobDefaults[] = {
    {8, "Trim", 1.0},     {19, "Boost", 0.0}, {5, "Volume", 0.25},    {22, "NG Threshold", -50.0},
    {0, "Sustain", 0.05}, {6, "Tone", 0.5},   {7, "SlopeShift", 1.0},
};

// Every control of the panel that is bound to a parameter.
const ParamID kBoundTags[] = {0, 5, 6, 7, 8, 19, 22, 9, 10, 13, 14, 23, 18};

class PanelGestures : public testing::Test
{
protected:
    void SetUp() override
    {
        panel = std::make_unique<OffscreenPanel>(ZARG_BUNDLE);
        ASSERT_TRUE(panel->ok()) << panel->error();
    }

    IEditController& controller() { return panel->controller(); }
    IOffscreenView& mouse() { return *panel->panel(); }

    PanelView controlWithTag(ParamID tag)
    {
        for (const PanelView& v : panel->views())
            if (v.tag == static_cast<int>(tag) && v.kind != "entry")
                return v;
        ADD_FAILURE() << "no control with tag " << tag;
        return {};
    }

    // Labels that float on the frame itself rather than in the panel's groups.
    std::vector<PanelView> floatingLabels()
    {
        std::vector<PanelView> result;
        for (const PanelView& v : panel->views())
            if (v.kind == "CTextLabel" && v.parent == 0)
                result.push_back(v);
        return result;
    }

    double plain(ParamID tag)
    {
        return controller().normalizedParamToPlain(tag, controller().getParamNormalized(tag));
    }

    ParamValue defaultOf(ParamID tag)
    {
        for (int32 i = 0; i < controller().getParameterCount(); ++i)
        {
            ParameterInfo info{};
            controller().getParameterInfo(i, info);
            if (info.id == tag)
                return info.defaultNormalizedValue;
        }
        ADD_FAILURE() << "no parameter " << tag;
        return -1;
    }

    // Display text and units, as the readout should show them.
    std::string displayText(ParamID tag)
    {
        String128 text{};
        controller().getParamStringByValue(tag, controller().getParamNormalized(tag), text);
        std::string result = toAscii(text);
        for (int32 i = 0; i < controller().getParameterCount(); ++i)
        {
            ParameterInfo info{};
            controller().getParameterInfo(i, info);
            if (info.id == tag && info.units[0])
                result.append(1, ' ').append(toAscii(info.units));
        }
        return result;
    }

    static std::string toAscii(const String128 text)
    {
        char ascii[256]{};
        UString(const_cast<char16*>(text), 128).toAscii(ascii, sizeof ascii);
        return ascii;
    }

    std::unique_ptr<OffscreenPanel> panel;
};

TEST_F(PanelGestures, CtrlClickAndDoubleClickResetEachKnobToItsParametersDefault)
{
    using Press = std::vector<int32>;
    const int32 left = IOffscreenView::kLeftButton;
    struct Gesture
    {
        const char* name;
        Press presses; // button states of successive clicks at the knob's centre
    };
    const Gesture gestures[] = {
        {"Ctrl+click", {left | IOffscreenView::kControlKey}},
        {"double-click", {left, left | IOffscreenView::kDoubleClickFlag}},
    };
    for (const Gesture& gesture : gestures)
        for (const KnobDefault& knob : kKnobDefaults)
        {
            const PanelView view = controlWithTag(knob.tag);
            controller().setParamNormalized(knob.tag, 0.9);
            panel->plugin().handler().clear();
            for (int32 buttons : gesture.presses)
            {
                mouse().mouse(IOffscreenView::kMouseDown, view.centerX(), view.centerY(), buttons);
                mouse().mouse(IOffscreenView::kMouseUp, view.centerX(), view.centerY(), 0);
            }
            EXPECT_NEAR(plain(knob.tag), knob.plainDefault, 1e-3)
                << gesture.name << " on " << knob.title;
            EXPECT_NEAR(controller().getParamNormalized(knob.tag), defaultOf(knob.tag), 1e-6)
                << gesture.name << " on " << knob.title;
            const auto& calls = panel->plugin().handler().calls();
            ASSERT_FALSE(calls.empty()) << gesture.name << " on " << knob.title;
            EXPECT_EQ(calls.back().kind, Kind::EndEdit);
            const auto lastEdit =
                std::find_if(calls.rbegin(), calls.rend(),
                             [](const auto& call) { return call.kind == Kind::PerformEdit; });
            ASSERT_NE(lastEdit, calls.rend());
            EXPECT_EQ(lastEdit->id, knob.tag);
            EXPECT_NEAR(lastEdit->value, defaultOf(knob.tag), 1e-6)
                << "the host hears of the reset: " << gesture.name << " on " << knob.title;
        }
}

TEST_F(PanelGestures, RightClickPopsUpTheHostsMenuForThatParameter)
{
    IPtr<ContextMenuHost> host = owned(new ContextMenuHost);
    controller().setComponentHandler(host);
    for (ParamID tag : kBoundTags)
    {
        const PanelView view = controlWithTag(tag);
        const ParamValue before = controller().getParamNormalized(tag);
        host->requests.clear();
        host->popups.clear();
        mouse().mouse(IOffscreenView::kMouseDown, view.centerX(), view.centerY(),
                      IOffscreenView::kRightButton);
        mouse().mouse(IOffscreenView::kMouseUp, view.centerX(), view.centerY(), 0);
        ASSERT_EQ(host->requests.size(), 1u) << "tag " << tag;
        EXPECT_EQ(host->requests[0].view, panel->view()) << "tag " << tag;
        EXPECT_TRUE(host->requests[0].hasParameter) << "tag " << tag;
        EXPECT_EQ(host->requests[0].parameter, tag);
        EXPECT_EQ(host->popups,
                  (std::vector<std::pair<int, int>>{
                      {static_cast<int>(view.centerX()), static_cast<int>(view.centerY())}}))
            << "tag " << tag;
        EXPECT_EQ(controller().getParamNormalized(tag), before) << "the control stays put";
    }
    EXPECT_TRUE(host->edited.empty());

    // The bare face plate has no parameter to offer a menu for.
    host->requests.clear();
    host->popups.clear();
    mouse().mouse(IOffscreenView::kMouseDown, 5, 5, IOffscreenView::kRightButton);
    mouse().mouse(IOffscreenView::kMouseUp, 5, 5, 0);
    EXPECT_TRUE(host->requests.empty());
    EXPECT_TRUE(host->popups.empty());

    // A host that has no menu to give: asked, nothing pops up, nothing moves.
    host->offersMenus = false;
    host->requests.clear();
    host->popups.clear();
    const PanelView knob = controlWithTag(0);
    const ParamValue before = controller().getParamNormalized(0);
    mouse().mouse(IOffscreenView::kMouseDown, knob.centerX(), knob.centerY(),
                  IOffscreenView::kRightButton);
    mouse().mouse(IOffscreenView::kMouseUp, knob.centerX(), knob.centerY(), 0);
    EXPECT_EQ(host->requests.size(), 1u);
    EXPECT_TRUE(host->popups.empty());
    EXPECT_EQ(controller().getParamNormalized(0), before);
    controller().setComponentHandler(nullptr);
}

TEST_F(PanelGestures, DraggedKnobShowsItsValueNextToItUntilReleased)
{
    struct Case
    {
        ParamID tag;
        const char* atDefault; // the readout when the press starts at the default
    };
    const Case cases[] = {{22, "-50.00 dB"}, {19, "0.00"}, {8, "1.00"}, {5, "0.25"}};
    for (const Case& c : cases)
    {
        controller().setParamNormalized(c.tag, defaultOf(c.tag));
        const PanelView knob = controlWithTag(c.tag);
        ASSERT_TRUE(floatingLabels().empty());

        mouse().mouse(IOffscreenView::kMouseDown, knob.centerX(), knob.centerY(),
                      IOffscreenView::kLeftButton);
        std::vector<PanelView> shown = floatingLabels();
        ASSERT_EQ(shown.size(), 1u) << "tag " << c.tag;
        EXPECT_EQ(shown[0].text, c.atDefault);
        // Right under the knob, centred on it.
        EXPECT_NEAR(shown[0].centerX(), knob.centerX(), 1.0) << "tag " << c.tag;
        EXPECT_GE(shown[0].top, knob.top + knob.height);
        EXPECT_LE(shown[0].top, knob.top + knob.height + 4);

        mouse().mouse(IOffscreenView::kMouseMoved, knob.centerX(), knob.centerY() - 30,
                      IOffscreenView::kLeftButton);
        shown = floatingLabels();
        ASSERT_EQ(shown.size(), 1u) << "tag " << c.tag;
        EXPECT_NE(shown[0].text, c.atDefault) << "the readout follows the drag";
        EXPECT_EQ(shown[0].text, displayText(c.tag));

        mouse().mouse(IOffscreenView::kMouseUp, knob.centerX(), knob.centerY() - 30, 0);
        EXPECT_TRUE(floatingLabels().empty()) << "hidden on release, tag " << c.tag;
    }
}

} // namespace
