// The editor in a real X server (CTest runs this under xvfb-run): the host's parent
// window, the view attached to it, our own run loop, and input made with XTest.
#include "HostRunLoop.h"
#include "PanelImage.h"
#include "ProcessorFixture.h"

#include "OffscreenPanel.h"
#include "editor/VST3EditorQX.h"

#include "pluginterfaces/gui/iplugview.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace std::chrono_literals;
using Kind = ZargHost::RecordingComponentHandler::Kind;

namespace
{

// The host's own X connection and a top-level window for the plug-in to live in.
class HostWindow
{
public:
    HostWindow()
    {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
            return;
        screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        window = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 20, 20, 400, 500,
                          0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(connection, window);
        xcb_flush(connection);
    }
    ~HostWindow()
    {
        if (window)
            xcb_destroy_window(connection, window);
        xcb_disconnect(connection);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool ok() const { return window != 0; }
    void* parent() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window)); }

    std::vector<xcb_window_t> children() const
    {
        std::vector<xcb_window_t> result;
        xcb_query_tree_reply_t* tree =
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
        if (!tree)
            return result;
        const xcb_window_t* c = xcb_query_tree_children(tree);
        result.assign(c, c + xcb_query_tree_children_length(tree));
        std::free(tree);
        return result;
    }

    // A point of the plug-in's window in root coordinates.
    std::pair<int16_t, int16_t> onScreen(xcb_window_t child, double x, double y) const
    {
        xcb_translate_coordinates_reply_t* r = xcb_translate_coordinates_reply(
            connection,
            xcb_translate_coordinates(connection, child, screen->root, static_cast<int16_t>(x),
                                      static_cast<int16_t>(y)),
            nullptr);
        std::pair<int16_t, int16_t> p{r ? r->dst_x : 0, r ? r->dst_y : 0};
        std::free(r);
        return p;
    }

    void fake(uint8_t type, uint8_t detail, std::pair<int16_t, int16_t> at = {0, 0})
    {
        xcb_test_fake_input(connection, type, detail, XCB_CURRENT_TIME, screen->root, at.first,
                            at.second, 0);
        xcb_flush(connection);
    }

    xcb_connection_t* connection{nullptr};
    xcb_screen_t* screen{nullptr};
    xcb_window_t window{0};
};

} // namespace

class EditorInXServer : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X server (CTest runs this under xvfb-run)";
        host = std::make_unique<HostWindow>();
        ASSERT_TRUE(host->ok()) << "cannot connect to the X server";
        plugin = std::make_unique<OffscreenPanel>(ZARG_BUNDLE, false);
        ASSERT_TRUE(plugin->ok()) << plugin->error();
        loop = owned(new HostRunLoop);
    }
    void TearDown() override
    {
        plugin.reset();
        loop = nullptr;
        host.reset();
    }

    IPtr<IPlugView> attach()
    {
        IPtr<IPlugView> view = owned(plugin->controller().createView(ViewType::kEditor));
        EXPECT_TRUE(view);
        if (!view)
            return view;
        EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
        view->setFrame(loop);
        EXPECT_EQ(view->attached(host->parent(), kPlatformTypeX11EmbedWindowID), kResultTrue);
        return view;
    }

    void detach(IPtr<IPlugView>& view)
    {
        EXPECT_EQ(view->removed(), kResultOk);
        view->setFrame(nullptr);
        view = nullptr;
    }

    FUnknownPtr<IOffscreenView> offscreenOf(IPlugView* view)
    {
        return FUnknownPtr<IOffscreenView>(view);
    }

    std::unique_ptr<HostWindow> host;
    std::unique_ptr<OffscreenPanel> plugin;
    IPtr<HostRunLoop> loop;
};

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
    const uint8_t depth = geometry->depth;
    std::free(geometry);
    ASSERT_EQ(depth, 24) << "the comparison reads 32-bit pixels";

    const std::filesystem::path png = std::filesystem::temp_directory_path() /
                                      ("zarg-x11-" + std::to_string(::getpid()) + ".png");
    ASSERT_EQ(offscreenOf(view)->writePNG(png.c_str()), kResultTrue);
    const PanelImage rendered(png.string());
    std::filesystem::remove(png);
    ASSERT_TRUE(rendered.loaded());

    xcb_get_image_reply_t* image = xcb_get_image_reply(
        host->connection,
        xcb_get_image(host->connection, XCB_IMAGE_FORMAT_Z_PIXMAP, child, 0, 0, 306, 426, ~0u),
        nullptr);
    ASSERT_NE(image, nullptr);
    const uint8_t* data = xcb_get_image_data(image);
    int differing = 0;
    for (int y = 0; y < 426; ++y)
        for (int x = 0; x < 306; ++x)
        {
            const uint8_t* p = data + (y * 306 + x) * 4;
            const uint32_t screen = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
            differing += screen != rendered.rgb(x, y);
        }
    std::free(image);
    EXPECT_EQ(differing, 0);
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
