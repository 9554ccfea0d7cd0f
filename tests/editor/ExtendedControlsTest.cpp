// The framework's extended controls: units text, kick buttons, meters with their
// detector, and the joystick and track pad with their pad controllers. Drawing is checked
// on offscreen renders; clicks and drags go through the editor's frame.
#include "ControlsFixture.h"

#include "TestControls.h"
#include "TestImages.h"

#include "adapter/Processor.h"
#include "editor/CKickButtonQX.h"
#include "editor/CTextEditQX.h"
#include "editor/CTextLabelQX.h"
#include "editor/CVuMeterQX.h"
#include "editor/CXYPadQX.h"
#include "editor/EnvelopeDetector.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CKickButton.h"
#include "vstgui/lib/SharedPointer.h"

#include <cmath>
#include <typeinfo>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;
using Kind = ZargHost::RecordingComponentHandler::Kind;

namespace
{

TEST(UnitsText, TrimmedUnitsFollowEveryText)
{
    struct Case
    {
        const char* units;
        const char* text;
        const char* shown;
    } cases[] = {
        {"  dB\t", "-50.00", "-50.00 dB"},
        {"ms", "", " ms"},
        {"", "0.5", "0.5"},
        {" \n\t ", "7", "7"},
        {"\nm s\n", "3", "3 m s"},
    };
    for (const Case& c : cases)
    {
        CTextLabelQX label(CRect(0, 0, 50, 10), "title", nullptr, 0);
        CTextEditQX edit(CRect(0, 0, 50, 10), nullptr, 1, "title", nullptr, 0);
        label.setUnits(c.units);
        edit.setUnits(c.units);
        label.setText(c.text);
        edit.setText(c.text);
        EXPECT_EQ(label.getText(), c.shown) << '"' << c.units << '"';
        EXPECT_EQ(edit.getText(), c.shown) << '"' << c.units << '"';
    }
}

template <class Text>
void expectCopyKeepsUnits(Text& original)
{
    original.setUnits(" dB ");
    original.setText("-50.00");
    auto* copy = dynamic_cast<Text*>(original.newCopy());
    ASSERT_NE(copy, nullptr) << typeid(Text).name();
    EXPECT_EQ(copy->getUnits(), "dB");
    EXPECT_EQ(copy->getText(), "-50.00 dB");
    copy->setText("-6.00");
    EXPECT_EQ(copy->getText(), "-6.00 dB") << "the copy's own texts get the units too";
    copy->forget();
}

// A copy is a control of the same class with the same settings, not its library base.
TEST(ExtendedControlCopies, KeepTheirUnitsModeAndKind)
{
    const CRect r(0, 0, 60, 20);
    CTextLabelQX label(r, "title", nullptr, 0);
    expectCopyKeepsUnits(label);
    CTextEditQX edit(r, nullptr, 1, "title", nullptr, 0);
    expectCopyKeepsUnits(edit);

    CKickButtonQX kick(r, nullptr, 2, nullptr, CPoint(0, 0));
    kick.setKickMode(CKickButtonQX::kPress);
    auto* kickCopy = dynamic_cast<CKickButtonQX*>(kick.newCopy());
    ASSERT_NE(kickCopy, nullptr);
    EXPECT_EQ(kickCopy->getKickMode(), CKickButtonQX::kPress);
    kickCopy->forget();

    CXYPadQX pad(r);
    pad.setJoystick(true);
    auto* padCopy = dynamic_cast<CXYPadQX*>(pad.newCopy());
    ASSERT_NE(padCopy, nullptr);
    EXPECT_TRUE(padCopy->getJoystick());
    padCopy->forget();

    CVuMeterQX meter(r, nullptr, nullptr, 10, true, true, kVertical);
    meter.setFrameCount(40);
    auto* meterCopy = dynamic_cast<CVuMeterQX*>(meter.newCopy());
    ASSERT_NE(meterCopy, nullptr);
    EXPECT_TRUE(meterCopy->isInverted());
    EXPECT_TRUE(meterCopy->isAnalog());
    EXPECT_EQ(meterCopy->getFrameCount(), 40);
    meterCopy->forget();
}

// Clicks on kick buttons bound to parameters 5, 6 and 7, as the host sees them.
class KickButtons : public ControlsFixture
{
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        std::string views;
        for (auto [name, x, tag] :
             {std::tuple{"ZolvKickButton", 0, "C5"}, std::tuple{"ZolvKickButtonD", 30, "C6"},
              std::tuple{"ZolvKickButtonDU", 60, "C7"}})
            views += std::string("<view custom-view-name=\"") + name + "\" origin=\"" +
                     std::to_string(x) + ", 0\" size=\"20, 20\" bitmap=\"kick\" control-tag=\"" +
                     tag + "\" background-offset=\"0, 0\" class=\"CKickButton\"/>";
        ASSERT_NE(openEditor(views), nullptr);
        handler->clear();
    }
    void mouse(IOffscreenView::MouseAction action, double x,
               int32 buttons = IOffscreenView::kLeftButton)
    {
        editor->mouse(action, x, 10, buttons);
    }
    // The values reported to the host for parameter id, in order.
    std::vector<double> reported(ParamID id) const
    {
        std::vector<double> values;
        for (const auto& call : handler->calls())
            if (call.kind == Kind::PerformEdit && call.id == id)
                values.push_back(call.value);
        return values;
    }
};

TEST_F(KickButtons, ReportPressReleaseOrBothByTheirMode)
{
    struct Case
    {
        double x;
        ParamID id;
        std::vector<double> reports;
        double after;
    } cases[] = {{10, 5, {0.0}, 0.0}, {40, 6, {1.0}, 1.0}, {70, 7, {1.0, 0.0}, 0.0}};
    for (const Case& c : cases)
    {
        handler->clear();
        mouse(IOffscreenView::kMouseDown, c.x);
        mouse(IOffscreenView::kMouseUp, c.x);
        EXPECT_EQ(reported(c.id), c.reports) << "parameter " << c.id;
        EXPECT_EQ(handler->calls().front().kind, Kind::BeginEdit);
        EXPECT_EQ(handler->calls().back().kind, Kind::EndEdit);
        EXPECT_DOUBLE_EQ(controller->getParamNormalized(c.id), c.after);
    }
}

TEST_F(KickButtons, ReleaseIsReportedAfterDraggingOffAndOnlyTheLeftButtonPresses)
{
    mouse(IOffscreenView::kMouseDown, 10);
    mouse(IOffscreenView::kMouseMoved, 150);
    mouse(IOffscreenView::kMouseUp, 150);
    EXPECT_EQ(reported(5), std::vector<double>{0.0});

    handler->clear();
    mouse(IOffscreenView::kMouseDown, 40, IOffscreenView::kRightButton);
    mouse(IOffscreenView::kMouseUp, 40, IOffscreenView::kRightButton);
    EXPECT_TRUE(handler->calls().empty());
    auto* kick = dynamic_cast<CKickButton*>(firstView());
    ASSERT_NE(kick, nullptr);
    CPoint where(10, 10);
    EXPECT_EQ(kick->onMouseDown(where, kRButton), kMouseEventNotHandled);
}

TEST(EnvelopeDetector, CoefficientsFollowTimeAndRate)
{
    EnvelopeDetector d;
    d.init(20.f, 10.f, 500.f, true, EnvelopeDetector::kPeak, false);
    EXPECT_NEAR(d.attackCoefficient, 0.0066578, 1e-7);
    EXPECT_NEAR(d.releaseCoefficient, 0.904621, 1e-6);
    EXPECT_NEAR(d.step(1.f), 1.f - 0.0066578f, 1e-6) << "a step is reached almost at once";
    EXPECT_NEAR(d.step(0.f), (1.f - 0.0066578f) * 0.904621f, 1e-6) << "and falls slowly";
    d.init(20.f, 10.f, 500.f, false, EnvelopeDetector::kPeak, false);
    EXPECT_NEAR(d.attackCoefficient, std::exp(-4.605170249938965 / 0.2), 1e-9);
    EXPECT_EQ(d.envelope, 0.f);
}

TEST(EnvelopeDetector, ModesAndTheLogarithmicScale)
{
    struct Case
    {
        int32_t mode;
        bool logarithmic;
        float in, out;
    } cases[] = {
        {EnvelopeDetector::kPeak, true, 1.f, 1.f},
        {EnvelopeDetector::kPeak, true, 0.001f, 0.f},
        {EnvelopeDetector::kPeak, true, 0.0001f, 0.f},
        {EnvelopeDetector::kPeak, true, 0.0316f, 0.5f},
        {EnvelopeDetector::kPeak, true, 0.f, 0.f},
        {EnvelopeDetector::kPeak, false, -0.5f, 0.5f},
        {EnvelopeDetector::kMeanSquare, false, 0.5f, 0.25f},
        {EnvelopeDetector::kRootMeanSquare, false, -0.5f, 0.5f},
        {EnvelopeDetector::kPeak, false, 3.f, 1.f},
    };
    for (const Case& c : cases)
    {
        // No coefficients: the input passes through.
        EnvelopeDetector d;
        d.mode = c.mode;
        d.logarithmicOutput = c.logarithmic;
        EXPECT_NEAR(d.step(c.in), c.out, 2e-4) << c.mode << " " << c.in;
    }
}

// Meters drawn into a frame of their own from the fixture's bitmaps.
class MeterDrawing : public ControlsFixture
{
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        frame = new CFrame(CRect(0, 0, 100, 100), &fakeEditor);
        frame->setBackgroundColor(kBlackCColor);
    }
    void TearDown() override
    {
        frame->forget();
        ControlsFixture::TearDown();
    }
    CBitmap* bitmap(const char* name)
    {
        bitmaps.emplace_back(new CBitmap((scratch / name).string()), false);
        return bitmaps.back().get();
    }
    CVuMeterQX* add(const CRect& r, const char* on, const char* off, int32_t leds, bool inverted,
                    bool analog)
    {
        auto* meter = new CVuMeterQX(r, bitmap(on), off ? bitmap(off) : nullptr, leds, inverted,
                                     analog, kVertical);
        frame->addView(meter);
        return meter;
    }
    // Green down the meter's middle column, one render.
    std::vector<int> column(int x, int height)
    {
        cairo_surface_t* image = frame->renderToImage();
        std::vector<int> greens;
        for (int y = 0; y < height; ++y)
            greens.push_back(VSTGUI::Test::pixelAt(image, x, y).g);
        cairo_surface_destroy(image);
        return greens;
    }
    // The column of a meter with on pixels lit, the rest dark.
    static std::vector<int> lit(int on, int height, bool fromTop)
    {
        std::vector<int> greens(static_cast<size_t>(height), kLedOffGreen);
        for (int i = 0; i < on; ++i)
            greens[static_cast<size_t>(fromTop ? i : height - 1 - i)] = kLedOnGreen;
        return greens;
    }

    VSTGUI::Test::FakeEditor fakeEditor;
    CFrame* frame{nullptr};
    std::vector<SharedPointer<CBitmap>> bitmaps;
};

TEST_F(MeterDrawing, LedMetersLightWholeLedsFromTheBottomOrInvertedFromTheTop)
{
    // 10 LEDs over 85 pixels. Inverted, level 0.25 is 3 LEDs, the top 26 pixels. Upright,
    // the dark part is counted: 0.75 rounds to 8 dark LEDs, leaving 17 pixels lit below.
    CVuMeterQX* inverted = add(CRect(0, 0, 17, 85), "ledon.png", "ledoff.png", 10, true, false);
    inverted->setValue(0.25f);
    EXPECT_EQ(column(8, 85), lit(26, 85, true));
    frame->removeView(inverted);
    CVuMeterQX* upright = add(CRect(0, 0, 17, 85), "ledon.png", "ledoff.png", 10, false, false);
    upright->setValue(0.25f);
    EXPECT_EQ(column(8, 85), lit(17, 85, false));
    upright->setValue(0.9f);
    EXPECT_EQ(column(8, 85), lit(76, 85, false)) << "one dark LED is 8.5 pixels, 9 dark";
}

TEST_F(MeterDrawing, TwoLedsAreALampWithoutSmoothing)
{
    CVuMeterQX* lamp = add(CRect(0, 0, 17, 85), "ledon.png", "ledoff.png", 2, false, false);
    // Slow ballistics would hold the level back; the lamp ignores them.
    lamp->getDetector().init(20.f, 1000.f, 5000.f, true, EnvelopeDetector::kPeak, false);
    struct Step
    {
        float value;
        int litPixels;
    } steps[] = {{0.49f, 0}, {0.5f, 85}, {0.49f, 0}, {1.f, 85}, {0.f, 0}};
    for (const Step& s : steps)
    {
        lamp->setValue(s.value);
        EXPECT_EQ(column(8, 85), lit(s.litPixels, 85, false)) << s.value;
    }
}

TEST_F(MeterDrawing, AnalogMetersShowTheFrameOfTheirLevel)
{
    struct Case
    {
        bool inverted;
        float min, value;
        int frame;
    } cases[] = {
        {false, 0.f, 0.f, 0}, {false, 0.f, 1.f, 79},  {true, 0.f, 0.f, 51},
        {true, 0.f, 1.f, 0},  {false, 0.f, 0.5f, 39}, {false, -1.f, -0.5f, 0},
    };
    for (const Case& c : cases)
    {
        CVuMeterQX* meter =
            add(CRect(0, 0, 60, 32), "film.png", "ledoff.png", 80, c.inverted, true);
        meter->setFrameHeight(32);
        meter->setMin(c.min);
        meter->setValue(c.value);
        cairo_surface_t* image = frame->renderToImage();
        const VSTGUI::Test::Pixel top = VSTGUI::Test::pixelAt(image, 0, 0);
        const VSTGUI::Test::Pixel bottom = VSTGUI::Test::pixelAt(image, 59, 31);
        cairo_surface_destroy(image);
        EXPECT_EQ(top.r, c.frame) << c.inverted << " " << c.value;
        EXPECT_EQ(bottom.r, c.frame) << "the whole frame, not a neighbour's rows";
        EXPECT_EQ(top.g, kFilmGreen);
        frame->removeView(meter);
    }
}

// A strip without frames, or frames less than a pixel high, cannot be stepped through:
// nothing is drawn, or the first frame stays, instead of a division by zero.
TEST_F(MeterDrawing, AnalogMeterWithoutFramesDrawsNothing)
{
    CVuMeterQX* meter = add(CRect(0, 0, 60, 32), "film.png", nullptr, 0, true, true);
    meter->setFrameHeight(32);
    meter->setFrameCount(0);
    meter->setValue(0.5f);
    EXPECT_EQ(column(30, 32), std::vector<int>(32, 0)) << "the frame's black shows";
    meter->setFrameCount(80);
    meter->setFrameHeight(0.5);
    EXPECT_EQ(column(30, 32), std::vector<int>(32, kFilmGreen));
    EXPECT_EQ(meter->analogOffset(0.7f), CPoint(0, 0));
}

TEST_F(MeterDrawing, DisabledAnalogMeterShowsItsDisabledStrip)
{
    CVuMeterQX* meter = add(CRect(0, 0, 60, 32), "film.png", nullptr, 80, false, true);
    meter->setFrameHeight(32);
    meter->setDisabledBackground(bitmap("ledon.png"));
    EXPECT_EQ(column(5, 1), std::vector<int>{kFilmGreen});
    meter->setMouseEnabled(false);
    EXPECT_EQ(column(5, 1), std::vector<int>{kLedOnGreen});
}

TEST(XYPadQX, ParameterValuesCountYUpwards)
{
    CXYPadQX pad(CRect(0, 0, 110, 110));
    float x = 0.f;
    float y = 0.f;
    pad.setValue(0.50005f);
    CXYPad::calculateXY(pad.getValue(), x, y);
    EXPECT_FLOAT_EQ(x, 0.5f);
    EXPECT_FLOAT_EQ(y, 0.5f);
    pad.setValue(CXYPad::calculateValue(0.2f, 0.9f));
    CXYPad::calculateXY(pad.getValue(), x, y);
    EXPECT_FLOAT_EQ(x, 0.2f);
    EXPECT_FLOAT_EQ(y, 0.1f) << "0.9 up from the bottom is 0.1 down from the top";

    pad.setJoystick(true);
    pad.setValue(CXYPad::calculateValue(0.1f, 0.9f));
    EXPECT_FLOAT_EQ(pad.getValue(), CXYPad::calculateValue(0.2f, 0.1f))
        << "outside the diamond: ignored";
    pad.setValue(CXYPad::calculateValue(0.4f, 0.7f));
    EXPECT_FLOAT_EQ(pad.getValue(), CXYPad::calculateValue(0.4f, 0.3f));
}

TEST(XYPadQX, DiamondJoinsTheMiddlesOfTheEdges)
{
    CXYPadQX pad(CRect(0, 0, 10, 10));
    struct Case
    {
        float x, y;
        bool inside;
    } cases[] = {{0.5f, 0.5f, true},    {0.1f, 0.1f, false},  {0.3f, 0.3f, true},
                 {0.24f, 0.24f, false}, {0.05f, 0.5f, true},  {0.5f, 0.97f, true},
                 {0.9f, 0.9f, false},   {0.8f, 0.25f, false}, {0.7f, 0.25f, true},
                 {-0.1f, 0.5f, false}};
    for (const Case& c : cases)
        EXPECT_EQ(pad.insideDiamond(c.x, c.y), c.inside) << c.x << ", " << c.y;
}

// A pad in a container whose sub-controller binds it to two parameters: 110 pixels
// square at (10, 10) with a handle of 10, so pixel p of the pad is (p - 5) / 100.
class PadGestures : public ControlsFixture
{
protected:
    void open(const char* name, const char* controllerName)
    {
        ASSERT_NE(openEditor(std::string("<view class=\"CViewContainer\" origin=\"10, 10\" "
                                         "size=\"110, 110\" sub-controller=\"") +
                             controllerName + "\"><view custom-view-name=\"" + name +
                             R"(" origin="0, 0" size="110, 110" back-color="Pad" frame-color="Rim"
    font-color="Dot" frame-width="1" round-rect-radius="10" style-round-rect="false"
    style-no-frame="false" class="CXYPad"/></view>)"),
                  nullptr);
        handler->clear();
    }
    // Pad position (0..1, y down) to panel pixels.
    static double at(double v) { return 10 + 5 + v * 100; }
    void press(double x, double y, int32 buttons = IOffscreenView::kLeftButton)
    {
        editor->mouse(IOffscreenView::kMouseDown, at(x), at(y), buttons);
    }
    void move(double x, double y) { editor->mouse(IOffscreenView::kMouseMoved, at(x), at(y), 1); }
    void release(double x, double y) { editor->mouse(IOffscreenView::kMouseUp, at(x), at(y), 1); }
    // The last values the host was told for the two parameters.
    std::pair<double, double> lastReported(ParamID xId, ParamID yId) const
    {
        std::pair<double, double> last{-1, -1};
        for (const auto& call : handler->calls())
        {
            if (call.kind == Kind::PerformEdit && call.id == xId)
                last.first = call.value;
            if (call.kind == Kind::PerformEdit && call.id == yId)
                last.second = call.value;
        }
        return last;
    }
};

TEST_F(PadGestures, TrackPadClampsAndReportsYUpwardsXFirst)
{
    open("TrackPad", "TrackPad_X3_Y4");
    press(0.3, 0.8);
    std::vector<std::pair<Kind, uint32>> first;
    for (const auto& call : handler->calls())
        first.emplace_back(call.kind, call.id);
    EXPECT_EQ(first, (std::vector<std::pair<Kind, uint32>>{{Kind::PerformEdit, 3},
                                                           {Kind::PerformEdit, 4},
                                                           {Kind::BeginEdit, 3},
                                                           {Kind::BeginEdit, 4}}));
    auto [x, y] = lastReported(3, 4);
    EXPECT_NEAR(x, 0.3, 1e-6);
    EXPECT_NEAR(y, 0.2, 1e-6) << "y counts upwards for the parameters";
    move(1.4, 0.0);
    std::tie(x, y) = lastReported(3, 4);
    EXPECT_NEAR(x, 1.0, 1e-6) << "beyond the right edge";
    EXPECT_NEAR(y, 1.0, 1e-6) << "the top edge";
    move(0.5, 1.0);
    release(0.5, 1.0);
    std::tie(x, y) = lastReported(3, 4);
    EXPECT_NEAR(y, 0.0, 1e-6) << "the bottom edge";
    EXPECT_EQ(handler->calls().back().kind, Kind::EndEdit);
    EXPECT_NEAR(controller->getParamNormalized(3), 0.5, 1e-6);
    EXPECT_NEAR(controller->getParamNormalized(4), 0.0, 1e-6);
}

TEST_F(PadGestures, ShiftPressLeavesThePadAlone)
{
    open("TrackPad", "TrackPad_X3_Y4");
    auto* pad = dynamic_cast<CXYPadQX*>(dynamic_cast<CViewContainer*>(firstView())->getView(0));
    ASSERT_NE(pad, nullptr);
    const float before = pad->getValue();
    press(0.9, 0.9, IOffscreenView::kLeftButton | IOffscreenView::kShiftKey);
    move(0.1, 0.1);
    release(0.1, 0.1);
    EXPECT_TRUE(handler->calls().empty());
    EXPECT_EQ(pad->getValue(), before);
    EXPECT_FALSE(pad->getDragging());
}

TEST_F(PadGestures, JoystickDragTowardsACornerStopsAtTheDiamond)
{
    open("Joystick", "Joystick_X20_Y21");
    press(0.5, 0.5);
    // Along the diagonal in steps of 0.02: 0.26 is the last point inside.
    for (int step = 1; step <= 25; ++step)
        move(0.5 - 0.02 * step, 0.5 - 0.02 * step);
    move(0.0, 0.0);
    release(0.0, 0.0);
    EXPECT_NEAR(controller->getParamNormalized(20), 0.26, 1e-6);
    EXPECT_NEAR(controller->getParamNormalized(21), 0.74, 1e-6);

    cairo_surface_t* image = editor->getFrame()->renderToImage();
    const auto handle =
        VSTGUI::Test::pixelAt(image, static_cast<int>(at(0.26)), static_cast<int>(at(0.26)));
    const auto corner =
        VSTGUI::Test::pixelAt(image, static_cast<int>(at(0)), static_cast<int>(at(0)));
    cairo_surface_destroy(image);
    EXPECT_EQ(handle.r, 0xff) << "the handle in the font colour";
    EXPECT_NE(corner.r, 0xff) << "not in the corner";
}

} // namespace
