// The editor in a real X server (CTest runs this under xvfb-run): the host's parent
// window, the view attached to it, our own run loop, and input made with XTest.
#include "EditorInXServer.h"
#include "ProcessorFixture.h"

#include "editor/VST3EditorQX.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace std::chrono_literals;
using Kind = ZargHost::RecordingComponentHandler::Kind;

TEST_F(EditorInXServer, WindowIs306By426AndShowsTheOffscreenRender)
{
    IPtr<IPlugView> view = attach();
    loop->runFor(300ms);
    ASSERT_EQ(host->children().size(), 1u);
    const xcb_window_t child = host->children()[0];
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(
        host->connection, xcb_get_geometry(host->connection, child), nullptr);
    ASSERT_NE(geometry, nullptr);
    EXPECT_EQ(geometry->width, 306);
    EXPECT_EQ(geometry->height, 426);
    std::free(geometry);

    EXPECT_EQ(pixelsUnlikeTheRender(child, view), 0);
    detach(view);
}

// HiDPI: the window grows with the content scale factor, shows the render at that
// scale, and takes the mouse in its own pixels. (Only what lies inside the host's
// 400 x 500 window and the screen can be read back.)
TEST_F(EditorInXServer, WindowFollowsTheContentScaleFactor)
{
    IPtr<IPlugView> view = attach();
    FUnknownPtr<IPlugViewContentScaleSupport> scaling(view);
    ASSERT_TRUE(scaling);
    loop->runFor(100ms);
    ASSERT_EQ(host->children().size(), 1u);
    const xcb_window_t child = host->children()[0];
    auto windowSize = [&]
    {
        xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(
            host->connection, xcb_get_geometry(host->connection, child), nullptr);
        const std::pair<int, int> size =
            g ? std::pair<int, int>(g->width, g->height) : std::pair<int, int>(0, 0);
        std::free(g);
        return size;
    };
    for (const auto& [factor, width, height] :
         {std::tuple{2.f, 612, 852}, std::tuple{1.5f, 459, 639}, std::tuple{2.f, 612, 852}})
    {
        SCOPED_TRACE(factor);
        ASSERT_EQ(scaling->setContentScaleFactor(factor), kResultTrue);
        loop->runFor(200ms);
        EXPECT_EQ(windowSize(), std::pair(width, height));
        const std::unique_ptr<PanelImage> rendered = renderOffscreen(view);
        ASSERT_EQ(rendered->width(), width);
        EXPECT_EQ(host->differingPixels(child, 360, 440,
                                        [&](int x, int y) { return rendered->rgb(x, y); }),
                  0);
    }

    // At 2, a drag of 60 window pixels is 30 panel pixels: the knob moves 30 / 200.
    plugin->controller().setParamNormalized(0, 0.5);
    plugin->plugin().handler().clear();
    double x = -1, y = -1;
    for (const PanelView& v : OffscreenPanel::viewsOf(offscreenOf(view)))
        if (v.kind == "CAnimKnob" && v.tag == 0)
        {
            x = v.centerX() * 2;
            y = v.centerY() * 2;
        }
    ASSERT_GE(x, 0);
    const auto at = host->onScreen(child, x, y);
    host->fake(XCB_MOTION_NOTIFY, 0, at);
    loop->runFor(30ms);
    host->fake(XCB_BUTTON_PRESS, 1);
    loop->runFor(30ms);
    for (int16_t dy : {20, 40, 60})
    {
        host->fake(XCB_MOTION_NOTIFY, 0, {at.first, static_cast<int16_t>(at.second - dy)});
        loop->runFor(30ms);
    }
    host->fake(XCB_BUTTON_RELEASE, 1);
    loop->runFor(60ms);
    EXPECT_NEAR(plugin->controller().getParamNormalized(0), 0.5 + 30 / 200.0, 1e-6);
    detach(view);
}

TEST_F(EditorInXServer, DragOnTheSustainKnobMovesParameter0)
{
    IPtr<IPlugView> view = attach();
    loop->runFor(200ms);
    ASSERT_EQ(host->children().size(), 1u);
    const xcb_window_t child = host->children()[0];

    // Where the knob is, from the panel itself.
    double x = -1, y = -1;
    for (const PanelView& v : OffscreenPanel::viewsOf(offscreenOf(view)))
        if (v.kind == "CAnimKnob" && v.tag == 0)
        {
            x = v.centerX();
            y = v.centerY();
        }
    ASSERT_GE(x, 0) << "the Sustain knob has tag 0";

    plugin->controller().setParamNormalized(0, 0.5);
    plugin->plugin().handler().clear();
    const auto at = host->onScreen(child, x, y);
    host->fake(XCB_MOTION_NOTIFY, 0, at);
    loop->runFor(30ms);
    host->fake(XCB_BUTTON_PRESS, 1);
    loop->runFor(30ms);
    for (int16_t dy : {10, 20, 30})
    {
        host->fake(XCB_MOTION_NOTIFY, 0, {at.first, static_cast<int16_t>(at.second - dy)});
        loop->runFor(30ms);
    }
    host->fake(XCB_BUTTON_RELEASE, 1);
    loop->runFor(60ms);

    const auto& calls = plugin->plugin().handler().calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front(),
              (ZargHost::RecordingComponentHandler::Call{Kind::BeginEdit, 0, 0.0, 0}));
    EXPECT_EQ(calls.back(), (ZargHost::RecordingComponentHandler::Call{Kind::EndEdit, 0, 0.0, 0}));
    EXPECT_NEAR(plugin->controller().getParamNormalized(0), 0.5 + 30 / 200.0, 1e-6)
        << "linear knob: 200 pixels for the whole range";
    detach(view);
}

TEST_F(EditorInXServer, OpenCloseCyclesLeaveNothingBehind)
{
    for (int cycle = 0; cycle < 100; ++cycle)
    {
        IPtr<IPlugView> view = attach();
        ASSERT_TRUE(view);
        loop->runFor(cycle % 10 == 0 ? 60ms : 0ms);
        ASSERT_EQ(host->children().size(), 1u) << "cycle " << cycle;
        detach(view);
        ASSERT_TRUE(loop->timers().empty()) << "cycle " << cycle;
        ASSERT_TRUE(loop->descriptors().empty()) << "cycle " << cycle;
    }
    xcb_flush(host->connection);
    EXPECT_GE(loop->registrations(), 200) << "each cycle registered its descriptor and timer";
    EXPECT_TRUE(host->children().empty()) << "the plug-in's windows are gone";
}

// The processor linked in with a recording plug-in object, to see the ping arrive.
class TimerPingInXServer : public ProcessorFixture
{
};

TEST_F(TimerPingInXServer, EveryTickOfThe50MsTimerPingsThePlugIn)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X server (CTest runs this under xvfb-run)";
    HostWindow window;
    ASSERT_TRUE(window.ok());
    IPtr<HostRunLoop> loop = owned(new HostRunLoop);
    IPtr<IPlugView> view = owned(controller->createView(ViewType::kEditor));
    ASSERT_NE(dynamic_cast<VST3EditorQX*>(view.get()), nullptr);
    view->setFrame(loop);
    ASSERT_EQ(view->attached(window.parent(), kPlatformTypeX11EmbedWindowID), kResultTrue);
    plugIn->messages.clear();

    loop->runFor(400ms);
    const int ticks = loop->firedAt(50);
    EXPECT_GE(ticks, 3) << "a timer of 50 ms runs";
    EXPECT_EQ(plugIn->count(kGuiTimerPing), ticks) << "one ping a tick";
    view->removed();
    view->setFrame(nullptr);
    const int afterClose = plugIn->count(kGuiTimerPing);
    loop->runFor(120ms);
    EXPECT_EQ(plugIn->count(kGuiTimerPing), afterClose) << "no ping once closed";
}
