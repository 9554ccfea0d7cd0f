// One of each extended control on a test description, bound to the recording plug-in
// object's parameters and its meter, rendered offscreen to PNG and read back.
#include "ControlsFixture.h"

#include "TestImages.h"
#include "host/ProcessBlock.h"

#include "adapter/ParameterIds.h"
#include "adapter/Processor.h"
#include "editor/CTextEditQX.h"
#include "editor/CTextLabelQX.h"

#include <cairo.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using VSTGUI::Test::pixelAt;

namespace
{

class ControlsPanel : public ControlsFixture
{
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        ASSERT_NE(openDescription(ZARG_EDITOR_TEST_DATA "/controls.uidesc", "Controls"), nullptr);
        ProcessSetup setup{kRealtime, kSample32, 256, 48000.0};
        ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
        ASSERT_EQ(processor->setActive(true), kResultOk);
    }
    void TearDown() override
    {
        processor->setActive(false);
        ControlsFixture::TearDown();
    }

    // One block, its output parameter changes handed to the controller as a host does.
    void processBlock()
    {
        block.outputChanges().clear();
        ASSERT_EQ(processor->process(block.data(256)), kResultOk);
        IParameterChanges& outputs = block.outputChanges();
        for (int32 i = 0; i < outputs.getParameterCount(); ++i)
        {
            IParamValueQueue* queue = outputs.getParameterData(i);
            ParamValue value = 0;
            int32 offset = 0;
            if (queue && queue->getPointCount() > 0 &&
                queue->getPoint(queue->getPointCount() - 1, offset, value) == kResultOk)
                controller->setParamNormalized(queue->getParameterId(), value);
        }
    }

    // Ticks and redraws enough for the meters' ballistics to settle, then writes and
    // reads back the PNG.
    cairo_surface_t* snapshot()
    {
        for (int i = 0; i < 8; ++i)
        {
            editor->tick();
            cairo_surface_destroy(editor->getFrame()->renderToImage());
        }
        const std::string png = (scratch / "controls.png").string();
        EXPECT_EQ(editor->writePNG(png.c_str()), kResultTrue);
        cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
        EXPECT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
        EXPECT_EQ(cairo_image_surface_get_width(image), 240);
        return image;
    }

    // How many pixels of a column are lit (LED on green) between two rows.
    static int litPixels(cairo_surface_t* image, int x, int top, int bottom)
    {
        int lit = 0;
        for (int y = top; y < bottom; ++y)
            lit += pixelAt(image, x, y).g == kLedOnGreen ? 1 : 0;
        return lit;
    }

    ZargHost::ProcessBlock block{{2}, {2}, 256, 48000.0};
};

TEST_F(ControlsPanel, ShowsTheProcessorsMeterAndTheBoundParameters)
{
    plugIn->meterLevel = 0.5f;
    processBlock();
    controller->setParamNormalized(9, 0.25);
    controller->setParamNormalized(EditorPlugIn::kThreshold, 0.25);
    controller->setParamNormalized(20, 0.75);
    controller->setParamNormalized(21, 0.5);
    controller->setParamNormalized(Zeri2VST3::kJoystickXId, 0.2);
    controller->setParamNormalized(Zeri2VST3::kJoystickYId, 0.8);
    cairo_surface_t* image = snapshot();

    // The output meter at 0.5: 5 of 10 LEDs, 42 of 85 pixels from the bottom, and the
    // film strip's frame 39 of 80.
    EXPECT_EQ(litPixels(image, 138, 10, 95), 42);
    EXPECT_EQ(pixelAt(image, 138, 94).g, kLedOnGreen);
    EXPECT_EQ(pixelAt(image, 170, 10).r, 39);
    EXPECT_EQ(pixelAt(image, 229, 41).r, 39);
    // Parameter 9 at 0.25 on the inverted meters: the top 26 pixels; frame 38 of the
    // inverted strip, which rests at frame 51.
    EXPECT_EQ(litPixels(image, 158, 10, 95), 26);
    EXPECT_EQ(pixelAt(image, 158, 10).g, kLedOnGreen);
    EXPECT_EQ(pixelAt(image, 200, 60).r, 38);
    // The kick button at rest; the joystick's handle right of centre on its diamond, the
    // track pad's where the vector joystick's parameters put it (y counted upwards).
    EXPECT_EQ(pixelAt(image, 110, 20).r, 0);
    EXPECT_EQ(pixelAt(image, 110, 20).g, 0);
    EXPECT_EQ(pixelAt(image, 10 + 5 + 53, 100 + 40).r, 0xff) << "handle";
    EXPECT_EQ(pixelAt(image, 10 + 5, 100 + 5).g, 0) << "outside the diamond";
    EXPECT_EQ(pixelAt(image, 100 + 5 + 14, 100 + 5 + 14).r, 0xff) << "track pad handle";
    EXPECT_EQ(pixelAt(image, 100 + 5 + 56, 100 + 5 + 56).b, 0x30) << "the pad's own colour";
    cairo_surface_destroy(image);

    auto* frame = editor->getFrame();
    const auto units = [frame](int32_t tag) -> std::string
    {
        std::string text;
        frame->forEachChild(
            [&](VSTGUI::CView* v)
            {
                if (auto* label = dynamic_cast<VSTGUI::CTextLabel*>(v);
                    label && label->getTag() == tag)
                    text = label->getText();
            });
        return text;
    };
    EXPECT_EQ(units(1), "2.50 dB");

    // Silence reaches the meter through the next block; it falls by its release.
    plugIn->meterLevel = 0.0f;
    processBlock();
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(EditorPlugIn::kMeter), 0.0);
    image = snapshot();
    EXPECT_LT(litPixels(image, 138, 10, 95), 42);
    cairo_surface_destroy(image);
}

TEST_F(ControlsPanel, KickButtonShowsItsPressedFrameWhileHeld)
{
    editor->mouse(IOffscreenView::kMouseDown, 110, 20, IOffscreenView::kLeftButton);
    cairo_surface_t* image = snapshot();
    EXPECT_EQ(pixelAt(image, 110, 20).r, 1);
    cairo_surface_destroy(image);
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(5), 1.0) << "reported on press";
    editor->mouse(IOffscreenView::kMouseUp, 110, 20, IOffscreenView::kLeftButton);
    image = snapshot();
    EXPECT_EQ(pixelAt(image, 110, 20).r, 0);
    cairo_surface_destroy(image);
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(5), 1.0) << "nothing on release";
}

} // namespace
