#include "OffscreenTest.h"

#include "vstgui/lib/CAnimKnob.h"
#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CColor.h"
#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/COnOffButton.h"
#include "vstgui/lib/COptionMenu.h"
#include "vstgui/lib/COptionMenuPopup.h"
#include "vstgui/lib/CTextEdit.h"
#include "vstgui/lib/CVSTGUITimer.h"
#include "vstgui/lib/ITimerScheduler.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace
{

TEST(Geometry, RectOperations)
{
    const CRect a(10, 10, 50, 30);
    EXPECT_EQ(a.getWidth(), 40);
    EXPECT_EQ(a.getCenter(), CPoint(30, 20));
    EXPECT_TRUE(a.pointInside(CPoint(10, 10)));
    EXPECT_FALSE(a.pointInside(CPoint(50, 20))) << "right edge is exclusive";
    EXPECT_EQ(CRect(a).bound(CRect(40, 0, 100, 15)), CRect(40, 10, 50, 15));
    EXPECT_TRUE(CRect(a).bound(CRect(60, 60, 70, 70)).isEmpty());
    EXPECT_EQ(CRect(a).unite(CRect(0, 0, 5, 5)), CRect(0, 0, 50, 30));
    EXPECT_EQ(CRect(a).unite(CRect()), a) << "an empty rect does not stretch the union";
    EXPECT_EQ(CRect().unite(a), a);
    EXPECT_FALSE(a.rectOverlap(CRect(50, 10, 60, 30)));
    EXPECT_EQ(CRect(a).offset(5, -5).getTopLeft(), CPoint(15, 5));
}

TEST(Geometry, ColorFromString)
{
    struct Case
    {
        const char* text;
        bool ok;
        CColor expected;
    } cases[] = {
        {"#B2C929ff", true, CColor(0xb2, 0xc9, 0x29, 0xff)},
        {"#c8c8c8", true, CColor(200, 200, 200, 255)},
        {"#ffffff59", true, CColor(255, 255, 255, 0x59)},
        {"c8c8c8ff", false, {}},
        {"#c8c8c", false, {}},
        {"#gg0000ff", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases)
    {
        CColor color(1, 2, 3, 4);
        EXPECT_EQ(CColor::fromString(c.text, color), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(color, c.expected) << c.text;
        else
            EXPECT_EQ(color, CColor(1, 2, 3, 4)) << "untouched on failure: " << c.text;
    }
}

TEST_F(OffscreenTest, MissingBitmapReportsFailureAndDrawsNothing)
{
    auto* missing = new CBitmap(path("nope.png"));
    EXPECT_FALSE(missing->isLoaded());
    EXPECT_EQ(missing->getWidth(), 0);
    const std::string garbage = path("garbage.png");
    {
        FILE* f = std::fopen(garbage.c_str(), "wb");
        std::fputs("not a png", f);
        std::fclose(f);
    }
    auto* broken = new CBitmap(garbage);
    EXPECT_FALSE(broken->isLoaded());
    ASSERT_TRUE(writeStrip(path("ok.png"), 10, 20, 3));
    auto* ok = new CBitmap(path("ok.png"));
    EXPECT_TRUE(ok->isLoaded());
    EXPECT_EQ(ok->getWidth(), 10);
    EXPECT_EQ(ok->getHeight(), 60);

    auto* view = new CView(CRect(0, 0, 20, 20));
    view->setBackground(missing);
    frame->setBackgroundColor(kBlueCColor);
    frame->addView(view);
    const Pixel p = render(5, 5);
    EXPECT_EQ(p.b, 255) << "the frame's colour shows through an unloaded bitmap";
    missing->forget();
    broken->forget();
    ok->forget();
}

// HiDPI: a zoomed frame draws each bitmap from its "name#<scale>x.png" sibling made for
// that scale, else from the smallest larger one; a sibling of the wrong size is not one.
TEST_F(OffscreenTest, ZoomedFrameDrawsTheBitmapMadeForItsScale)
{
    ASSERT_TRUE(writeStrip(path("b.png"), 10, 10, 1, 100));
    ASSERT_TRUE(writeStrip(path("b#2x.png"), 20, 20, 1, 200));
    ASSERT_TRUE(writeStrip(path("b#3x.png"), 25, 25, 1, 50));
    auto* bitmap = new CBitmap(path("b.png"));
    EXPECT_EQ(bitmap->getWidth(), 10) << "sizes stay those of 1x";
    auto* view = new CView(CRect(40, 40, 50, 50));
    view->setBackground(bitmap);
    frame->addView(view);
    const struct
    {
        double zoom;
        int green;
    } cases[] = {{1, 100}, {2, 200}, {1.5, 200}, {3, 200}, {1, 100}};
    for (const auto& c : cases)
    {
        ASSERT_TRUE(frame->setZoom(c.zoom));
        cairo_surface_t* image = frame->renderToImage();
        EXPECT_EQ(cairo_image_surface_get_width(image), 200 * c.zoom);
        EXPECT_EQ(pixelAt(image, static_cast<int>(45 * c.zoom), static_cast<int>(45 * c.zoom)).g,
                  c.green)
            << c.zoom;
        EXPECT_NE(pixelAt(image, static_cast<int>(39 * c.zoom), static_cast<int>(45 * c.zoom)).g,
                  c.green)
            << "placed at the zoomed position " << c.zoom;
        cairo_surface_destroy(image);
    }
    EXPECT_FALSE(frame->setZoom(0));
    bitmap->forget();
}

TEST_F(OffscreenTest, KnobShowsFrameOfItsValue)
{
    ASSERT_TRUE(writeStrip(path("strip.png"), 42, 42, 80));
    auto* strip = new CBitmap(path("strip.png"));
    auto* knob = new CAnimKnob(CRect(20, 30, 62, 72), &listener, 0, 80, 42, strip);
    strip->forget();
    frame->addView(knob);
    struct Case
    {
        float value;
        int frame;
    } cases[] = {{0.f, 0}, {1.f, 79}, {0.5f, 40}, {0.25f, 20}, {1.f / 79.f, 1}, {0.994f, 79}};
    for (const auto& c : cases)
    {
        knob->setValueNormalized(c.value);
        EXPECT_EQ(knob->getFrameIndex(), c.frame) << c.value;
        const Pixel p = render(20 + 21, 30 + 21);
        EXPECT_EQ(p.r, c.frame) << c.value;
        EXPECT_EQ(p.g, 200);
        // Corners too: the whole 42 x 42 frame, not a neighbour's rows.
        EXPECT_EQ(render(20, 30).r, c.frame);
        EXPECT_EQ(render(61, 71).r, c.frame);
    }
    knob->setInverseBitmap(true);
    knob->setValueNormalized(0.f);
    EXPECT_EQ(knob->getFrameIndex(), 79);
}

class KnobDragTest : public OffscreenTest
{
protected:
    void SetUp() override
    {
        OffscreenTest::SetUp();
        // Centre at (100, 100), inside a nested container to exercise coordinate mapping.
        auto* box = new CViewContainer(CRect(40, 40, 160, 160));
        knob = new CAnimKnob(CRect(39, 39, 81, 81), &listener, 3, 80, 42, nullptr);
        box->addView(knob);
        frame->addView(box);
    }
    CAnimKnob* knob{nullptr};
};

TEST_F(KnobDragTest, LinearModeFollowsVerticalAndHorizontalTravel)
{
    editor.knobMode = kLinearMode;
    knob->setValueNormalized(0.2f);
    drag(CPoint(100, 100), CPoint(100, 60));
    EXPECT_NEAR(knob->getValueNormalized(), 0.2 + 40 / CAnimKnob::kLinearRange, 1e-5);
    drag(CPoint(100, 100), CPoint(130, 100));
    EXPECT_NEAR(knob->getValueNormalized(), 0.4 + 30 / CAnimKnob::kLinearRange, 1e-5);
    drag(CPoint(100, 100), CPoint(100, 900));
    EXPECT_EQ(knob->getValueNormalized(), 0.f) << "clamped";

    knob->setZoomFactor(4.f);
    knob->setValueNormalized(0.5f);
    drag(CPoint(100, 100), CPoint(100, 20), kShift);
    EXPECT_NEAR(knob->getValueNormalized(), 0.5 + 80 / (4 * CAnimKnob::kLinearRange), 1e-5);
}

TEST_F(KnobDragTest, CircularModeTakesTheMouseAngle)
{
    editor.knobMode = kCircularMode;
    knob->setValueNormalized(0.f);
    CPoint down(100, 100 - 15);
    frame->onMouseDown(down, kLButton);
    EXPECT_EQ(knob->getValueNormalized(), 0.f) << "a press alone does not move the knob";
    struct Case
    {
        CPoint where;
        float expected;
    } cases[] = {
        {{100, 70}, 0.5f},           // 12 o'clock
        {{130, 100}, 225.f / 270.f}, // 3 o'clock
        {{70, 100}, 45.f / 270.f},   // 9 o'clock
        {{100 - 5, 130}, 0.f},       // dead zone, nearer the start
        {{100 + 5, 130}, 1.f},       // dead zone, nearer the end
    };
    for (auto c : cases)
    {
        frame->onMouseMoved(c.where, kLButton);
        EXPECT_NEAR(knob->getValueNormalized(), c.expected, 1e-4) << c.where.x << "," << c.where.y;
    }
    frame->onMouseUp(down, kLButton);
}

TEST_F(KnobDragTest, RelativeCircularModeAddsTheTurnedAngle)
{
    editor.knobMode = kRelativCircularMode;
    knob->setValueNormalized(0.25f);
    CPoint top(100, 85);
    frame->onMouseDown(top, kLButton);
    CPoint right(130, 100);
    frame->onMouseMoved(right, kLButton);
    EXPECT_NEAR(knob->getValueNormalized(), 0.25f + 90.f / 270.f, 1e-4)
        << "a quarter turn clockwise, wherever it started";
    CPoint back(100, 70);
    frame->onMouseMoved(back, kLButton);
    EXPECT_NEAR(knob->getValueNormalized(), 0.25f, 1e-4);
    frame->onMouseUp(back, kLButton);
}

TEST_F(KnobDragTest, GestureIsBracketedByBeginAndEnd)
{
    editor.knobMode = kLinearMode;
    knob->setValueNormalized(0.5f);
    drag(CPoint(100, 100), CPoint(100, 80));
    ASSERT_GE(listener.events.size(), 3u);
    EXPECT_EQ(listener.events.front(), "begin");
    EXPECT_EQ(listener.events.back(), "end");
    EXPECT_EQ(std::count(listener.events.begin(), listener.events.end(), "begin"), 1);
    EXPECT_GE(std::count(listener.events.begin(), listener.events.end(), "changed"), 1);

    // A press outside the knob reaches nobody.
    listener.events.clear();
    drag(CPoint(5, 5), CPoint(5, 50));
    EXPECT_TRUE(listener.events.empty());

    // The wheel is one complete gesture.
    knob->setWheelInc(0.1f);
    frame->onWheel(CPoint(100, 100), 1.f, 0);
    EXPECT_NEAR(knob->getValueNormalized(), 0.7f, 1e-5);
    EXPECT_EQ(listener.events, (std::vector<std::string>{"begin", "changed", "end"}));
}

TEST_F(OffscreenTest, OnOffButtonTogglesAndShowsLowerFrameWhenOn)
{
    ASSERT_TRUE(writeStrip(path("toggle.png"), 42, 42, 2));
    auto* bitmap = new CBitmap(path("toggle.png"));
    // Shorter than one frame, like a switch that sticks out of its group.
    auto* button = new COnOffButton(CRect(10, 10, 52, 49), &listener, 14, bitmap);
    bitmap->forget();
    frame->addView(button);
    EXPECT_EQ(render(30, 48).r, 0) << "off: upper frame";
    CPoint click(30, 30);
    frame->onMouseDown(click, kLButton);
    frame->onMouseUp(click, kLButton);
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_EQ(render(30, 10).r, 1) << "on: the lower frame from its first row";
    EXPECT_EQ(render(30, 48).r, 1);
    frame->onMouseDown(click, kLButton);
    EXPECT_EQ(button->getValue(), 0.f);
    EXPECT_EQ(listener.events,
              (std::vector<std::string>{"begin", "changed", "end", "begin", "changed", "end"}));
    CPoint right(30, 30);
    frame->onMouseDown(right, kRButton);
    EXPECT_EQ(button->getValue(), 0.f) << "only the left button toggles";
}

TEST_F(OffscreenTest, OptionMenuPopupChoosesAnEntry)
{
    auto* menu = new COptionMenu(CRect(30, 150, 104, 170), &listener, 18);
    for (const char* name : {"Zero", "One", "Two", "Three", "Four", "Five", "Six"})
        menu->addEntry(name);
    frame->addView(menu);
    EXPECT_EQ(menu->getCurrentIndex(), 0);
    menu->setValue(2.f);
    EXPECT_EQ(menu->getCurrentIndex(), 2);
    EXPECT_EQ(menu->getDisplayText(), "Two");
    EXPECT_EQ(menu->getMax(), 6.f);

    CPoint click(50, 160);
    frame->onMouseDown(click, kLButton);
    ASSERT_TRUE(menu->isPopupOpen());
    auto* popup = dynamic_cast<COptionMenuPopup*>(frame->getModalView());
    ASSERT_NE(popup, nullptr);
    EXPECT_LE(popup->getViewSize().bottom, frame->getHeight()) << "kept inside the frame";
    EXPECT_TRUE(listener.events.empty()) << "opening changes nothing";

    // Clicks below the menu go to the popup, not to views under it.
    CPoint pick = popup->entryRect(5).getCenter();
    frame->onMouseMoved(pick, 0);
    EXPECT_EQ(popup->getHoverIndex(), 5);
    frame->onMouseDown(pick, kLButton);
    frame->onMouseUp(pick, kLButton);
    EXPECT_FALSE(menu->isPopupOpen());
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_EQ(menu->getCurrentIndex(), 5);
    EXPECT_EQ(menu->getValue(), 5.f);
    EXPECT_EQ(listener.events, (std::vector<std::string>{"begin", "changed", "end"}));

    // A click outside closes without a change.
    listener.events.clear();
    frame->onMouseDown(click, kLButton);
    ASSERT_TRUE(menu->isPopupOpen());
    CPoint outside(199, 0);
    frame->onMouseDown(outside, kLButton);
    EXPECT_FALSE(menu->isPopupOpen());
    EXPECT_EQ(menu->getCurrentIndex(), 5);
    EXPECT_TRUE(listener.events.empty());

    // Removing the menu, or every view, while its popup is open is safe.
    frame->onMouseDown(click, kLButton);
    frame->removeView(menu);
    frame->removeAll();
    EXPECT_EQ(frame->getModalView(), nullptr);
    CPoint later(50, 160);
    EXPECT_EQ(frame->onMouseDown(later, kLButton), kMouseEventNotHandled);
}

// Code written for VSTGUI passes style bits as numbers (0x8000 round rect, 0x4000 no
// frame, 0x0008 3D in): they must draw what VSTGUI draws for them.
TEST_F(OffscreenTest, ParamDisplayStyleNumbersDrawAsInVSTGUI)
{
    enum Look
    {
        kOutside, // the frame's colour: nothing drawn there
        kBack,
        kBorder,
        kDark, // the 3D shading
    };
    auto lookOf = [](Pixel p)
    {
        if (p.g > 150 && p.r < 100 && p.b < 100)
            return kOutside;
        if (p.b > 150 && p.r < 100)
            return kBack;
        if (p.r > 150 && p.b < 100)
            return kBorder;
        return kDark;
    };
    struct Case
    {
        int32_t style;
        Look corner, topEdge;
    } cases[] = {
        {0, kBorder, kBorder},     {0x8000, kOutside, kBorder}, {0x4000, kBack, kBack},
        {0xC000, kOutside, kBack}, {0x0008, kDark, kDark},
    };
    frame->setBackgroundColor(kGreenCColor);
    for (const Case& c : cases)
    {
        auto* display = new CParamDisplay(CRect(20, 20, 120, 60));
        display->setBackColor(kBlueCColor);
        display->setFrameColor(kRedCColor);
        display->setRoundRectRadius(10);
        display->setStyle(c.style | kNoTextStyle);
        frame->addView(display);
        EXPECT_EQ(lookOf(render(20, 20)), c.corner) << std::hex << c.style;
        EXPECT_EQ(lookOf(render(70, 20)), c.topEdge) << std::hex << c.style;
        frame->removeView(display);
    }
}

TEST_F(OffscreenTest, TextEditTakesTypedText)
{
    auto* edit = new CTextEdit(CRect(10, 10, 90, 30), &listener, 4, "1.0");
    edit->setStringToValueFunction(
        [](const UTF8String& text, float& v, CTextEdit*)
        {
            v = std::stof(text);
            return true;
        });
    edit->setMax(100.f);
    frame->addView(edit);
    CPoint click(20, 20);
    frame->onMouseDown(click, kLButton);
    ASSERT_EQ(frame->getFocusView(), edit);
    for (auto typed : {VstKeyCode{0, VKEY_BACK, 0}, VstKeyCode{0, VKEY_BACK, 0},
                       VstKeyCode{0, VKEY_BACK, 0}, VstKeyCode{'4', 0, 0}, VstKeyCode{'2', 0, 0}})
        EXPECT_EQ(frame->onKeyDown(typed), 1);
    VstKeyCode enter{0, VKEY_RETURN, 0};
    frame->onKeyDown(enter);
    EXPECT_EQ(edit->getText(), "42");
    EXPECT_EQ(edit->getValue(), 42.f);
    EXPECT_EQ(listener.events, (std::vector<std::string>{"begin", "changed", "end"}));
    EXPECT_EQ(frame->getFocusView(), nullptr);

    // Escape puts the old text back and reports nothing.
    listener.events.clear();
    frame->onMouseDown(click, kLButton);
    VstKeyCode x{'x', 0, 0}, escape{0, VKEY_ESCAPE, 0};
    frame->onKeyDown(x);
    frame->onKeyDown(escape);
    EXPECT_EQ(edit->getText(), "42");
    EXPECT_EQ(listener.events, (std::vector<std::string>{"begin", "end"}));
}

// Editing starts with the text selected: a key typed replaces it, erasing empties it;
// an arrow key drops the selection and typing goes on after the text.
TEST_F(OffscreenTest, TextEditTypingReplacesTheSelection)
{
    auto* edit = new CTextEdit(CRect(10, 10, 90, 30), &listener, 4, "-50.00 dB");
    frame->addView(edit);
    CPoint click(20, 20);
    struct Case
    {
        std::vector<VstKeyCode> keys;
        const char* text;
    } cases[] = {
        {{VstKeyCode{'7', 0, 0}, VstKeyCode{'5', 0, 0}}, "75"},
        {{VstKeyCode{0, VKEY_DELETE, 0}}, ""},
        {{VstKeyCode{0, VKEY_BACK, 0}, VstKeyCode{'1', 0, 0}}, "1"},
        {{VstKeyCode{0, VKEY_RIGHT, 0}, VstKeyCode{'5', 0, 0}}, "-50.00 dB5"},
    };
    for (const Case& c : cases)
    {
        frame->onMouseDown(click, kLButton);
        EXPECT_TRUE(edit->isTextSelected());
        for (VstKeyCode key : c.keys)
            EXPECT_EQ(frame->onKeyDown(key), 1);
        EXPECT_EQ(edit->getText(), c.text);
        VstKeyCode escape{0, VKEY_ESCAPE, 0};
        frame->onKeyDown(escape);
        EXPECT_EQ(edit->getText(), "-50.00 dB");
        EXPECT_FALSE(edit->isTextSelected());
    }
}

struct ManualScheduler : ITimerScheduler
{
    std::map<CVSTGUITimer*, uint32_t> timers;
    void addTimer(CVSTGUITimer* t, uint32_t ms) override { timers[t] = ms; }
    void removeTimer(CVSTGUITimer* t) override { timers.erase(t); }
};

struct TimerTarget : CBaseObject
{
    int ticks{0};
    CMessageResult notify(CBaseObject*, IdStringPtr message) override
    {
        if (message == CVSTGUITimer::kMsgTimer)
            ++ticks;
        return kMessageNotified;
    }
};

TEST(Timer, RunsThroughTheSchedulerAndNotifiesItsTarget)
{
    ManualScheduler scheduler;
    TimerTarget target;
    auto* early = new CVSTGUITimer(&target, 20, true);
    CVSTGUITimer::setScheduler(&scheduler);
    EXPECT_EQ(scheduler.timers.count(early), 1u) << "a timer started before the scheduler";
    auto* timer = new CVSTGUITimer(&target, 50, true);
    EXPECT_EQ(scheduler.timers[timer], 50u);
    timer->fire();
    timer->fire();
    EXPECT_EQ(target.ticks, 2);
    timer->setFireTime(10);
    EXPECT_EQ(scheduler.timers[timer], 10u);
    timer->stop();
    EXPECT_EQ(scheduler.timers.count(timer), 0u);
    timer->fire();
    EXPECT_EQ(target.ticks, 2) << "a stopped timer does not tick";
    timer->forget();
    int calls = 0;
    auto* lambda = new CVSTGUITimer(
        [&](CVSTGUITimer* t)
        {
            ++calls;
            t->stop();
        });
    lambda->fire();
    lambda->fire();
    EXPECT_EQ(calls, 1);
    lambda->forget();
    CVSTGUITimer::setScheduler(nullptr);
    EXPECT_TRUE(scheduler.timers.empty()) << "leaving the scheduler takes every timer along";
    early->forget();
    EXPECT_EQ(CVSTGUITimer::getRunningCount(), 0);
}

} // namespace
