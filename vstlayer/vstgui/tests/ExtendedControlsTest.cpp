// The kick button, the LED meter and the XY pad, drawn offscreen and driven through the
// frame as a window system would.
#include "OffscreenTest.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CKickButton.h"
#include "vstgui/lib/CVuMeter.h"
#include "vstgui/lib/CXYPad.h"
#include "vstgui/uidescription/UIDescription.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace
{

using Events = std::vector<std::string>;

// A rendered image, checked at several points without drawing again.
class Image
{
public:
    explicit Image(CFrame* frame) : surface(frame->renderToImage()) {}
    ~Image() { cairo_surface_destroy(surface); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    Pixel operator()(int x, int y) const { return pixelAt(surface, x, y); }

private:
    cairo_surface_t* surface;
};

TEST_F(OffscreenTest, KickButtonReportsOnlyAClickReleasedInside)
{
    // Frame 0 (released) has red 0, frame 1 (pressed) red 1.
    ASSERT_TRUE(writeStrip(path("kick.png"), 20, 20, 2));
    auto* bitmap = new CBitmap(path("kick.png"));
    auto* kick = new CKickButton(CRect(10, 10, 30, 30), &listener, 7, bitmap);
    bitmap->forget();
    frame->addView(kick);
    CPoint inside(20, 20);
    CPoint outside(100, 100);

    EXPECT_EQ(frame->onMouseDown(inside, kRButton), kMouseEventNotHandled);
    EXPECT_TRUE(listener.events.empty());

    frame->onMouseDown(inside, kLButton);
    EXPECT_TRUE(kick->isPressed());
    EXPECT_EQ(render(20, 20).r, 1) << "the pressed frame";
    frame->onMouseMoved(outside, kLButton);
    EXPECT_FALSE(kick->isPressed()) << "dragged off";
    EXPECT_EQ(render(20, 20).r, 0);
    frame->onMouseMoved(inside, kLButton);
    frame->onMouseUp(inside, kLButton);
    EXPECT_EQ(listener.events, (Events{"begin", "changed", "changed", "end"}));
    EXPECT_EQ(listener.values, (std::vector<float>{1.f, 0.f})) << "the press, then back";
    EXPECT_EQ(render(20, 20).r, 0);

    listener.events.clear();
    frame->onMouseDown(inside, kLButton);
    frame->onMouseMoved(outside, kLButton);
    frame->onMouseUp(outside, kLButton);
    EXPECT_EQ(listener.events, (Events{"begin", "end"})) << "abandoned outside";
    EXPECT_FALSE(kick->isPressed());
}

class MeterTest : public OffscreenTest
{
protected:
    void SetUp() override
    {
        OffscreenTest::SetUp();
        // On: green 200, off: green 50; 100 pixels along the meter.
        ASSERT_TRUE(writeStrip(path("on.png"), 10, 100, 1, kOn));
        ASSERT_TRUE(writeStrip(path("off.png"), 10, 100, 1, kOff));
        ASSERT_TRUE(writeStrip(path("hon.png"), 100, 10, 1, kOn));
        ASSERT_TRUE(writeStrip(path("hoff.png"), 100, 10, 1, kOff));
        frame->setBackgroundColor(kBlueCColor);
    }
    CVuMeter* add(const CRect& r, const char* on, const char* off, int32_t leds, int32_t style)
    {
        auto* onBitmap = new CBitmap(path(on));
        auto* offBitmap = new CBitmap(path(off));
        auto* meter = new CVuMeter(r, onBitmap, offBitmap, leds, style);
        onBitmap->forget();
        offBitmap->forget();
        frame->addView(meter);
        return meter;
    }
    static constexpr int kOn = 200;
    static constexpr int kOff = 50;
};

TEST_F(MeterTest, LightsWholeLedsAndFallsByTheDecreaseStep)
{
    CVuMeter* vertical = add(CRect(0, 0, 10, 100), "on.png", "off.png", 10, kVertical);
    CVuMeter* horizontal = add(CRect(20, 0, 120, 10), "hon.png", "hoff.png", 10, kHorizontal);
    // 0.44 is 4 of 10 LEDs: 40 pixels lit from the bottom, from the left.
    vertical->setValue(0.44f);
    horizontal->setValue(0.44f);
    {
        Image image(frame);
        EXPECT_EQ(image(5, 59).g, kOff);
        EXPECT_EQ(image(5, 60).g, kOn);
        EXPECT_EQ(image(5, 99).g, kOn);
        EXPECT_EQ(image(20 + 39, 5).g, kOn);
        EXPECT_EQ(image(20 + 40, 5).g, kOff);
    }
    // Dropping to 0 shows 0.34 first (3 LEDs), then 0.24 (2 LEDs).
    vertical->setValue(0.f);
    for (int lit : {30, 20})
    {
        Image image(frame);
        EXPECT_EQ(image(5, 99 - lit).g, kOff) << lit;
        EXPECT_EQ(image(5, 100 - lit).g, kOn) << lit;
    }
    EXPECT_NEAR(vertical->getOldValue(), 0.24f, 1e-6);
}

// Without LEDs there is no LED to light: the meter draws nothing, not a division by zero.
TEST_F(MeterTest, WithoutLedsDrawsNothing)
{
    for (int32_t leds : {0, -3})
    {
        CVuMeter* meter = add(CRect(0, 0, 10, 100), "on.png", "off.png", leds, kVertical);
        for (float value : {0.f, 0.5f, 1.f})
        {
            meter->setValue(value);
            Image image(frame);
            for (int y : {0, 50, 99})
                EXPECT_EQ(image(5, y).b, 255) << leds << " LEDs, value " << value << ", y " << y;
        }
        frame->removeView(meter);
    }
}

TEST(XYPadValue, CarriesBothCoordinatesToThreeDecimals)
{
    // x, y in; the value; x, y read back from it.
    struct Case
    {
        float x, y, value, readX, readY;
    } cases[] = {
        {0.5f, 0.5f, 0.50005f, 0.5f, 0.5f},      {0.f, 0.f, 0.f, 0.f, 0.f},
        {1.f, 1.f, 1.0001f, 1.f, 1.f},           {0.123f, 0.987f, 0.1230987f, 0.123f, 0.987f},
        {0.9994f, 0.0004f, 0.999f, 0.999f, 0.f}, {0.25f, 1.f, 0.2501f, 0.25f, 1.f},
    };
    for (const auto& c : cases)
    {
        EXPECT_NEAR(CXYPad::calculateValue(c.x, c.y), c.value, 1e-7) << c.x << ", " << c.y;
        float x = -1.f;
        float y = -1.f;
        CXYPad::calculateXY(c.value, x, y);
        EXPECT_NEAR(x, c.readX, 1e-6) << c.value;
        EXPECT_NEAR(y, c.readY, 1e-6) << c.value;
    }
}

TEST_F(OffscreenTest, XYPadHandleFollowsTheMouseInsideThePad)
{
    // 110 pixels with a handle of 10: the handle's centre travels from 5 to 105.
    auto* pad = new CXYPad(CRect(10, 10, 120, 120));
    pad->setRoundRectRadius(10);
    pad->setFontColor(kRedCColor);
    pad->setBackColor(kBlackCColor);
    pad->setListener(&listener);
    frame->addView(pad);
    drag(CPoint(15 + 30, 15 + 80), CPoint(15 + 40, 15 + 70));
    float x = 0.f;
    float y = 0.f;
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_FLOAT_EQ(x, 0.4f);
    EXPECT_FLOAT_EQ(y, 0.7f) << "y counts downwards";
    EXPECT_EQ(listener.events.front(), "begin");
    EXPECT_EQ(listener.events.back(), "end");
    {
        Image image(frame);
        EXPECT_EQ(image(15 + 40, 15 + 70).r, 255) << "the handle";
        EXPECT_EQ(image(15 + 40, 15 + 60).r, 0) << "the pad";
    }
    drag(CPoint(60, 60), CPoint(500, -50));
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_FLOAT_EQ(x, 1.f) << "held at the pad's edges";
    EXPECT_FLOAT_EQ(y, 0.f);
}

// A pad no larger than its handle leaves it nowhere to go: no handle, no division by zero.
TEST_F(OffscreenTest, XYPadNoLargerThanItsHandleIgnoresTheMouse)
{
    for (CCoord radius : {20., 30.})
    {
        auto* pad = new CXYPad(CRect(10, 10, 30, 30));
        pad->setRoundRectRadius(radius);
        pad->setFontColor(kRedCColor);
        pad->setBackColor(kBlackCColor);
        pad->setListener(&listener);
        pad->setValue(CXYPad::calculateValue(0.5f, 0.5f));
        frame->addView(pad);
        drag(CPoint(12, 12), CPoint(28, 28));
        EXPECT_FLOAT_EQ(pad->getValue(), CXYPad::calculateValue(0.5f, 0.5f)) << radius;
        EXPECT_EQ(std::count(listener.events.begin(), listener.events.end(), "changed"), 0);
        EXPECT_EQ(render(20, 20).r, 0) << "no handle drawn, radius " << radius;
        frame->removeView(pad);
        listener.events.clear();
    }
}

TEST_F(OffscreenTest, DescriptionBuildsTheExtendedControlsWithTheirAttributes)
{
    ASSERT_TRUE(writeStrip(path("kick.png"), 20, 30, 2));
    ASSERT_TRUE(writeStrip(path("on.png"), 10, 100, 1));
    ASSERT_TRUE(writeStrip(path("off.png"), 10, 100, 1));
    const std::string xml = R"(<vstgui-ui-description version="1">
  <bitmaps>
    <bitmap name="kick" path="kick.png"/><bitmap name="on" path="on.png"/>
    <bitmap name="off" path="off.png"/>
  </bitmaps>
  <template name="Main" class="CViewContainer" size="100, 100">
    <view class="CKickButton" origin="0, 0" size="20, 30" bitmap="kick" height-of-one-image="30"/>
    <view class="CVuMeter" origin="30, 0" size="10, 100" bitmap="on" off-bitmap="off"
          num-led="12" orientation="horizontal" decrease-step-value="0.25"/>
    <view class="CXYPad" origin="50, 0" size="40, 40" round-rect-radius="8"/>
  </template>
  <template name="NoOffBitmap" class="CViewContainer" size="10, 10">
    <view class="CVuMeter" size="10, 10" bitmap="on" off-bitmap="missing"/>
  </template>
</vstgui-ui-description>)";
    SharedPointer<UIDescription> description(new UIDescription("", dir.string()), false);
    ASSERT_TRUE(description->parseText(xml.data(), xml.size()));
    auto* main = dynamic_cast<CViewContainer*>(description->createView("Main", nullptr));
    ASSERT_NE(main, nullptr);
    auto* kick = dynamic_cast<CKickButton*>(main->getView(0));
    auto* meter = dynamic_cast<CVuMeter*>(main->getView(1));
    auto* pad = dynamic_cast<CXYPad*>(main->getView(2));
    ASSERT_TRUE(kick && meter && pad);
    EXPECT_EQ(kick->getHeightOfOneImage(), 30);
    EXPECT_EQ(meter->getOffBitmap(), description->getBitmap("off"));
    EXPECT_EQ(meter->getNbLed(), 12);
    EXPECT_EQ(meter->getStyle() & (kHorizontal | kVertical), kHorizontal);
    EXPECT_FLOAT_EQ(meter->getDecreaseStepValue(), 0.25f);
    EXPECT_EQ(pad->getRoundRectRadius(), 8);
    main->forget();
    EXPECT_EQ(description->createView("NoOffBitmap", nullptr), nullptr)
        << "an off bitmap the description cannot load is an error, like any bitmap";
}

} // namespace
