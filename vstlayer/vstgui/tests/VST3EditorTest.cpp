#include "TestController.h"
#include "TestImages.h"

#include "vstgui/lib/CAnimKnob.h"
#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/COnOffButton.h"
#include "vstgui/lib/COptionMenu.h"
#include "vstgui/lib/COptionMenuPopup.h"
#include "vstgui/lib/CTextEdit.h"
#include "vstgui/lib/CVSTGUITimer.h"
#include "vstgui/lib/CXYPad.h"
#include "vstgui/lib/ITimerScheduler.h"
#include "vstgui/platform/linux/ResourcePath.h"
#include "vstgui/plugin-bindings/PadController.h"
#include "vstgui/plugin-bindings/StringConvert.h"
#include "vstgui/plugin-bindings/VST3Editor.h"
#include "vstgui/uidescription/UIDescription.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

using namespace VSTGUI;
using namespace VSTGUI::Test;
using namespace Steinberg;

namespace
{

struct ManualScheduler : ITimerScheduler
{
    std::map<CVSTGUITimer*, uint32_t> timers;
    void addTimer(CVSTGUITimer* t, uint32_t ms) override { timers[t] = ms; }
    void removeTimer(CVSTGUITimer* t) override { timers.erase(t); }
    void tick()
    {
        for (auto [t, ms] : std::map<CVSTGUITimer*, uint32_t>(timers))
            t->fire();
    }
};

template <class T>
T* find(
    CFrame* frame, const std::function<bool(T*)>& pred = [](T*) { return true; })
{
    T* found = nullptr;
    frame->forEachChild(
        [&](CView* v)
        {
            if (auto* t = dynamic_cast<T*>(v); t && !found && pred(t))
                found = t;
        });
    return found;
}

CPoint centreInFrame(CView* v)
{
    CPoint c = v->getViewSize().getCenter();
    return v->localToFrame(c);
}

class VST3EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resources = std::filesystem::temp_directory_path() /
                    ("vstgui-editor-" + std::to_string(::getpid()));
        std::filesystem::create_directories(resources);
        ASSERT_TRUE(writeStrip((resources / "strip.png").string(), 42, 42, 80));
        ASSERT_TRUE(writeStrip((resources / "toggle.png").string(), 20, 20, 2));
        std::filesystem::copy_file(VSTGUI_TEST_DATA "/panel.uidesc", resources / "panel.uidesc");
        ResourcePath::set(resources.string());
        CVSTGUITimer::setScheduler(&scheduler);
        controller = new TestController;
        handler = new RecordingHandler;
        controller->setComponentHandler(handler);
    }
    void TearDown() override
    {
        if (editor)
            editor->release();
        controller->setComponentHandler(nullptr);
        controller->release();
        handler->release();
        CVSTGUITimer::setScheduler(nullptr);
        ResourcePath::set("");
        std::filesystem::remove_all(resources);
    }
    VST3Editor* openEditor(const char* templ = "Main")
    {
        editor = new VST3Editor(controller, templ, "panel.uidesc");
        EXPECT_TRUE(editor->open(nullptr));
        return editor;
    }
    void click(CPoint where)
    {
        editor->getFrame()->onMouseDown(where, kLButton);
        editor->getFrame()->onMouseUp(where, kLButton);
    }

    std::filesystem::path resources;
    ManualScheduler scheduler;
    TestController* controller{nullptr};
    RecordingHandler* handler{nullptr};
    VST3Editor* editor{nullptr};
};

TEST_F(VST3EditorTest, OpensTheTemplateAndShowsParameterValues)
{
    controller->setParamNormalized(TestController::kKnob, 0.25);
    controller->setParamNormalized(TestController::kChoice, 0.5);
    openEditor();
    CFrame* frame = editor->getFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 120, 100));
    ViewRect r;
    editor->getSize(&r);
    EXPECT_EQ(r.getWidth(), 120);
    EXPECT_EQ(r.getHeight(), 100);
    EXPECT_EQ(controller->delegateCalls,
              (std::vector<std::string>{"createCustomView SpecialLabel", "createCustomView Plain",
                                        "createSubController Inner", "didOpen"}));

    auto* knob = find<CAnimKnob>(frame);
    ASSERT_NE(knob, nullptr);
    EXPECT_FLOAT_EQ(knob->getValueNormalized(), 0.25f);
    auto* menu = find<COptionMenu>(frame);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->getNbEntries(), 5);
    EXPECT_EQ(menu->getEntry(4)->getTitle(), "Epsilon");
    EXPECT_EQ(menu->getCurrentIndex(), 2);
    EXPECT_EQ(menu->getDisplayText(), "Gamma");
    auto* edit = find<CTextEdit>(frame);
    ASSERT_NE(edit, nullptr);
    Vst::String128 text{};
    controller->getParamStringByValue(TestController::kEdit,
                                      controller->getParamNormalized(TestController::kEdit), text);
    EXPECT_EQ(edit->getText(), StringConvert::toUTF8(text)) << "the parameter's value text";
    EXPECT_FALSE(edit->getText().empty());

    // Changes in the controller (automation, presets) reach the controls.
    controller->setParamNormalized(TestController::kKnob, 0.9);
    controller->setParamNormalized(TestController::kChoice, 1.0);
    controller->setParamNormalized(TestController::kToggle, 1.0);
    EXPECT_FLOAT_EQ(knob->getValueNormalized(), 0.9f);
    EXPECT_EQ(menu->getDisplayText(), "Epsilon");
    EXPECT_TRUE(find<COnOffButton>(frame)->isOn());
    EXPECT_TRUE(handler->calls.empty()) << "showing values sends nothing to the host";

    Vst::ParamID found = 0;
    const CPoint at = centreInFrame(knob);
    EXPECT_EQ(editor->findParameter(static_cast<int32>(at.x), static_cast<int32>(at.y), found),
              kResultTrue);
    EXPECT_EQ(found, TestController::kKnob);

    const std::string png = (resources / "snap.png").string();
    ASSERT_TRUE(editor->writeSnapshot(png));
    cairo_surface_t* s = cairo_image_surface_create_from_png(png.c_str());
    EXPECT_EQ(cairo_image_surface_get_width(s), 120);
    EXPECT_EQ(pixelAt(s, static_cast<int>(at.x), static_cast<int>(at.y)).r, knob->getFrameIndex());
    cairo_surface_destroy(s);

    editor->close();
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_EQ(controller->delegateCalls.back(), "willClose");
    // After close, parameter changes touch nothing (no dangling controls).
    controller->setParamNormalized(TestController::kKnob, 0.1);
}

TEST_F(VST3EditorTest, GesturesBecomeHostEdits)
{
    openEditor();
    CFrame* frame = editor->getFrame();
    controller->setKnobMode(Vst::kLinearMode);
    auto* knob = find<CAnimKnob>(frame);
    CPoint from = centreInFrame(knob), to = from;
    to.y -= 20;
    frame->onMouseDown(from, kLButton);
    frame->onMouseMoved(to, kLButton);
    frame->onMouseUp(to, kLButton);
    ASSERT_EQ(handler->calls, (std::vector<std::string>{"begin 0", "perform 0", "end 0"}));
    EXPECT_NEAR(handler->performed[0], 0.5 + 20 / CAnimKnob::kLinearRange, 1e-6);
    EXPECT_NEAR(controller->getParamNormalized(TestController::kKnob), handler->performed[0], 1e-6);

    handler->calls.clear();
    click(centreInFrame(find<COnOffButton>(frame)));
    EXPECT_EQ(handler->calls, (std::vector<std::string>{"begin 13", "perform 13", "end 13"}));
    EXPECT_EQ(controller->getParamNormalized(TestController::kToggle), 1.0);

    handler->calls.clear();
    auto* menu = find<COptionMenu>(frame);
    click(centreInFrame(menu));
    auto* popup = dynamic_cast<COptionMenuPopup*>(frame->getModalView());
    ASSERT_NE(popup, nullptr);
    click(popup->entryRect(3).getCenter());
    EXPECT_EQ(handler->calls, (std::vector<std::string>{"begin 18", "perform 18", "end 18"}));
    EXPECT_DOUBLE_EQ(handler->performed.back(), 0.75);
    EXPECT_EQ(menu->getDisplayText(), "Delta");
}

TEST_F(VST3EditorTest, TextEntryIsParsedByTheController)
{
    openEditor();
    CFrame* frame = editor->getFrame();
    auto* edit = find<CTextEdit>(frame);
    const std::string before = edit->getText();
    auto type = [&](const std::string& text)
    {
        click(centreInFrame(edit));
        for (int i = 0; i < 20; ++i)
        {
            VstKeyCode back{0, VKEY_BACK, 0};
            frame->onKeyDown(back);
        }
        for (char ch : text)
        {
            VstKeyCode k{ch, 0, 0};
            frame->onKeyDown(k);
        }
        VstKeyCode enter{0, VKEY_RETURN, 0};
        frame->onKeyDown(enter);
    };
    type("75");
    ASSERT_FALSE(handler->performed.empty());
    EXPECT_NEAR(handler->performed.back(), 0.75, 1e-6);
    EXPECT_EQ(handler->calls.front(), "begin 32768");
    EXPECT_EQ(handler->calls.back(), "end 32768");

    handler->calls.clear();
    handler->performed.clear();
    const std::string shown = edit->getText();
    type("not a number");
    EXPECT_TRUE(handler->performed.empty()) << "unreadable text is not sent";
    EXPECT_EQ(edit->getText(), shown) << "the control shows the parameter again";
}

TEST_F(VST3EditorTest, RightClickOpensTheDelegatesContextMenu)
{
    openEditor();
    CFrame* frame = editor->getFrame();
    auto* knob = find<CAnimKnob>(frame);
    const float before = knob->getValueNormalized();
    CPoint at = centreInFrame(knob);
    frame->onMouseDown(at, kRButton);
    EXPECT_EQ(controller->delegateCalls.back(), "createContextMenu");
    EXPECT_EQ(controller->contextPos, at);
    auto* popup = dynamic_cast<COptionMenuPopup*>(frame->getModalView());
    ASSERT_NE(popup, nullptr);
    click(popup->entryRect(1).getCenter());
    EXPECT_EQ(controller->contextChoice.chosen, (std::vector<int32_t>{1}));
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_EQ(knob->getValueNormalized(), before) << "the click did not reach the knob";
    EXPECT_TRUE(handler->calls.empty());

    // Points off any bound control are for the delegate to resolve.
    Vst::ParamID id = 0;
    EXPECT_EQ(editor->findParameter(1, 1, id), kResultTrue);
    EXPECT_EQ(id, 23u);
}

TEST(StringConvert, RoundTripsUTF16AndUTF8)
{
    const std::pair<std::u16string, std::string> cases[] = {
        {u"Gamma", "Gamma"},
        {u"Fuzz \u00ae \u00e9", "Fuzz \xc2\xae \xc3\xa9"},
        {u"\u266b", "\xe2\x99\xab"},
        {u"\U0001F3B8", "\xf0\x9f\x8e\xb8"},
        {u"", ""},
    };
    for (const auto& [wide, narrow] : cases)
    {
        const auto* w = reinterpret_cast<const Vst::TChar*>(wide.c_str());
        EXPECT_EQ(StringConvert::toUTF8(w), narrow);
        Vst::String128 back{};
        StringConvert::toUTF16(narrow, back, 128);
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(back)), wide);
    }
    // A lone surrogate becomes the replacement character; output never overflows.
    const char16_t lone[] = {u'a', 0xD800, u'b', 0};
    EXPECT_EQ(StringConvert::toUTF8(reinterpret_cast<const Vst::TChar*>(lone)), "a\xef\xbf\xbd"
                                                                                "b");
    Vst::TChar small[4];
    StringConvert::toUTF16("abcdef", small, 4);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(small)), u"abc");
    StringConvert::toUTF16("\xf0\x9f\x8e\xb8", small, 2);
    EXPECT_EQ(small[0], 0) << "no half of a surrogate pair";
}

TEST_F(VST3EditorTest, KnobModeFollowsTheHost)
{
    editor = new VST3Editor(controller, "Main", "panel.uidesc");
    const std::pair<Vst::KnobMode, int32_t> cases[] = {
        {Vst::kCircularMode, kCircularMode},
        {Vst::kRelativCircularMode, kRelativCircularMode},
        {Vst::kLinearMode, kLinearMode},
    };
    for (auto [host, expected] : cases)
    {
        controller->setKnobMode(host);
        EXPECT_EQ(editor->getKnobMode(), expected);
    }
    controller->setKnobMode(Vst::kCircularMode);
}

TEST_F(VST3EditorTest, IdleTimerTicksAndRebuildsAPendingView)
{
    openEditor();
    editor->setIdleRate(50);
    ASSERT_EQ(scheduler.timers.size(), 1u);
    EXPECT_EQ(scheduler.timers.begin()->second, 50u);

    EXPECT_FALSE(editor->exchangeView("NoSuchTemplate"));
    ASSERT_TRUE(editor->exchangeView("Group"));
    EXPECT_TRUE(editor->isRebuildPending());
    EXPECT_NE(find<COnOffButton>(editor->getFrame()), nullptr);
    scheduler.tick();
    EXPECT_FALSE(editor->isRebuildPending());
    EXPECT_EQ(find<COnOffButton>(editor->getFrame()), nullptr) << "the old view is gone";
    auto* knob = find<CAnimKnob>(editor->getFrame());
    ASSERT_NE(knob, nullptr);
    controller->setParamNormalized(TestController::kKnob, 0.3);
    EXPECT_FLOAT_EQ(knob->getValueNormalized(), 0.3f) << "the new view is bound";
    EXPECT_EQ(editor->getParameterChangeListener(TestController::kToggle), nullptr);

    editor->close();
    EXPECT_TRUE(scheduler.timers.empty()) << "closing stops the idle timer";
}

struct ResizableEditor : VST3Editor
{
    using VST3Editor::VST3Editor;
    bool beforeSizeChange(const CRect&, const CRect&) override { return true; }
};

TEST_F(VST3EditorTest, SizeChangesRespectTheTemplateLimits)
{
    openEditor();
    // minSize and maxSize are both 120, 100 in the fixture.
    EXPECT_FALSE(editor->getFrame()->setSize(200, 150));
    EXPECT_EQ(editor->getFrame()->getViewSize(), CRect(0, 0, 120, 100));
    ViewRect bigger(0, 0, 200, 150);
    EXPECT_EQ(editor->onSize(&bigger), kResultFalse);

    auto* resizable = new ResizableEditor(controller, "Main", "panel.uidesc");
    ASSERT_TRUE(resizable->open(nullptr));
    EXPECT_TRUE(resizable->getFrame()->setSize(200, 150)) << "an override may allow it";
    EXPECT_EQ(resizable->getFrame()->getViewSize(), CRect(0, 0, 200, 150));
    resizable->close();
    resizable->release();
}

// A host that resizes its window when asked and then tells the view, as hosts do.
class ResizingHost : public FObject, public IPlugFrame
{
public:
    int requests{0};
    ViewRect last;
    tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* r) override
    {
        ++requests;
        last = *r;
        return view->onSize(r);
    }
    OBJ_METHODS(ResizingHost, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IPlugFrame)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};

TEST_F(VST3EditorTest, ResizesWithinLimitsThroughTheHost)
{
    auto* host = new ResizingHost;
    editor = new VST3Editor(controller, "Stretch", "panel.uidesc");
    editor->setFrame(host);
    ASSERT_TRUE(editor->open(nullptr));
    CFrame* frame = editor->getFrame();
    EXPECT_TRUE(frame->setSize(80, 70));
    EXPECT_EQ(host->requests, 1);
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 80, 70));
    ViewRect r;
    editor->getSize(&r);
    EXPECT_EQ(r.getWidth(), 80);

    ViewRect fromHost(0, 0, 90, 95);
    EXPECT_EQ(editor->onSize(&fromHost), kResultTrue);
    EXPECT_EQ(host->requests, 1) << "a size the host set is not asked back";
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 90, 95));

    EXPECT_FALSE(frame->setSize(120, 50));
    EXPECT_FALSE(frame->setSize(30, 50));
    EXPECT_EQ(host->requests, 1) << "out of limits: refused before asking";
    editor->close();
    editor->setFrame(nullptr);
    host->release();
}

// HiDPI: at a content scale the host sees and sets sizes in its pixels, while the
// template's size limits and every view coordinate stay those of scale 1.
TEST_F(VST3EditorTest, ContentScaleScalesTheHostsSizesNotTheLayout)
{
    auto* host = new ResizingHost;
    editor = new VST3Editor(controller, "Stretch", "panel.uidesc");
    editor->setFrame(host);
    ASSERT_EQ(editor->setContentScaleFactor(2.f), kResultTrue);
    ViewRect r;
    editor->getSize(&r);
    EXPECT_EQ(r.getWidth(), 100) << "the 50 x 50 template, before it opens";
    ASSERT_TRUE(editor->open(nullptr));
    CFrame* frame = editor->getFrame();
    EXPECT_EQ(frame->getZoom(), 2);
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 50, 50));

    EXPECT_TRUE(frame->setSize(80, 70));
    EXPECT_EQ(host->requests, 1);
    EXPECT_EQ(host->last.getWidth(), 160);
    EXPECT_EQ(host->last.getHeight(), 140);
    ViewRect fromHost(0, 0, 180, 190);
    EXPECT_EQ(editor->onSize(&fromHost), kResultTrue) << "90 x 95 is within the limits";
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 90, 95));

    ASSERT_EQ(editor->setContentScaleFactor(1.5f), kResultTrue);
    editor->getSize(&r);
    EXPECT_EQ(r.getWidth(), 135);
    EXPECT_EQ(r.getHeight(), 143) << "a partly covered pixel counts";
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 90, 95));
    editor->close();
    editor->setFrame(nullptr);
    host->release();
}

TEST_F(VST3EditorTest, PrivateParametersStayUnbound)
{
    controller->privateKnob = true;
    openEditor();
    EXPECT_EQ(editor->getParameterChangeListener(TestController::kKnob), nullptr);
    EXPECT_NE(editor->getParameterChangeListener(TestController::kToggle), nullptr);
}

TEST_F(VST3EditorTest, BrokenDescriptionsGiveNoEditor)
{
    struct Case
    {
        const char* file;
        const char* templ;
    } cases[] = {{"missing.uidesc", "Main"},
                 {"panel.uidesc", "Broken"},
                 {"panel.uidesc", "MissingBitmap"},
                 {"panel.uidesc", "Nope"}};
    std::filesystem::remove(resources / "toggle.png");
    for (const auto& c : cases)
    {
        auto* e = new VST3Editor(controller, c.templ, c.file);
        EXPECT_FALSE(e->open(nullptr)) << c.file << " " << c.templ;
        EXPECT_EQ(e->getFrame(), nullptr);
        e->release();
    }
    auto* e = new VST3Editor(controller, "Main", "panel.uidesc");
    EXPECT_FALSE(e->open(nullptr)) << "a used bitmap that is missing";
    e->release();
    EXPECT_TRUE(scheduler.timers.empty());
}

TEST_F(VST3EditorTest, PlugViewChecksPlatformAndRunLoop)
{
    editor = new VST3Editor(controller, "Main", "panel.uidesc");
    EXPECT_EQ(editor->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
    EXPECT_EQ(editor->isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
    // Without a plug frame offering a run loop there is no way to get events.
    EXPECT_EQ(editor->attached(reinterpret_cast<void*>(0x1234), kPlatformTypeX11EmbedWindowID),
              kResultFalse);
    EXPECT_EQ(editor->getFrame(), nullptr);
    FUnknown* finder = nullptr;
    ASSERT_EQ(editor->queryInterface(Vst::IParameterFinder::iid, reinterpret_cast<void**>(&finder)),
              kResultOk);
    finder->release();
}

// The parent controller a pad controller stands in front of.
struct ParentController : IController
{
    std::vector<std::string> calls;
    void valueChanged(CControl*) override { calls.push_back("changed"); }
    CView* verifyView(CView* view, const UIAttributes&, const IUIDescription*) override
    {
        calls.push_back("verify");
        return view;
    }
    IControlListener* getControlListener(UTF8StringPtr) override { return this; }
};

TEST_F(VST3EditorTest, PadControllerTiesThePadToTwoParameters)
{
    ParentController parent;
    Vst::Parameter* x = controller->getParameterObject(TestController::kKnob);
    Vst::Parameter* y = controller->getParameterObject(TestController::kEdit);
    auto pads = std::make_unique<PadController>(&parent, controller, x, y);
    auto* pad = new CXYPad(CRect(0, 0, 110, 110));
    const UIAttributes none;
    EXPECT_EQ(pads->verifyView(pad, none, nullptr), pad);
    EXPECT_EQ(parent.calls, std::vector<std::string>{"verify"}) << "then the parent's turn";
    EXPECT_EQ(pad->getListener(), pads.get());
    EXPECT_FLOAT_EQ(pad->getValue(), CXYPad::calculateValue(0.5f, 0.5f)) << "both defaults";

    controller->setParamNormalized(TestController::kKnob, 0.25);
    EXPECT_FLOAT_EQ(pad->getValue(), CXYPad::calculateValue(0.25f, 0.5f));

    pad->beginEdit();
    pad->setValue(CXYPad::calculateValue(0.75f, 0.2f));
    pad->valueChanged();
    pad->endEdit();
    EXPECT_EQ(handler->calls, (std::vector<std::string>{"begin 0", "begin 32768", "perform 0",
                                                        "perform 32768", "end 0", "end 32768"}))
        << "X first";
    ASSERT_EQ(handler->performed.size(), 2u);
    EXPECT_NEAR(handler->performed[0], 0.75, 1e-6);
    EXPECT_NEAR(handler->performed[1], 0.2, 1e-6);
    EXPECT_NEAR(controller->getParamNormalized(TestController::kEdit), 0.2, 1e-6);

    // Other controls and names are the parent's business.
    CControl other(CRect(0, 0, 1, 1));
    pads->valueChanged(&other);
    EXPECT_EQ(parent.calls.back(), "changed");
    EXPECT_EQ(pads->getControlListener("Knob"), &parent);
    pads.reset();
    controller->setParamNormalized(TestController::kKnob, 0.9);
    EXPECT_FLOAT_EQ(pad->getValue(), CXYPad::calculateValue(0.75f, 0.2f))
        << "a controller that is gone no longer follows the parameters";
    pad->forget();
}

} // namespace
