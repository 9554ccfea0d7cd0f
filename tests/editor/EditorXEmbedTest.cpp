// The editor's window and the host's XEmbed embedder.
#include "EditorInXEmbedHost.h"

using namespace Steinberg;
using namespace std::chrono_literals;

namespace
{

// A point of the face plate with no control on it.
constexpr double kBareX = 8;
constexpr double kBareY = 8;

TEST_F(EditorInXEmbedHost, EditorIsEmbeddedThroughXEmbedAndShowsTheOffscreenRender)
{
    IPtr<IPlugView> view = attach();
    loop->runFor(100ms);
    ASSERT_EQ(host->children().size(), 1u);
    const xcb_window_t child = host->children()[0];

    EXPECT_EQ(embedder->infoOf(child),
              (std::vector<uint32_t>{XEmbedder::kVersion, XEmbedder::kMappedFlag}));
    EXPECT_EQ(embedder->embedded(), child);
    // Reparented, not created in the host's window; left for the embedder to map.
    EXPECT_EQ(embedder->log(),
              (std::vector<std::string>{"reparented, unmapped", "info version 0 flags 1",
                                        "sent EMBEDDED_NOTIFY", "map", "sent WINDOW_ACTIVATE",
                                        "sent FOCUS_IN", "mapped"}));

    // Once embedded it never maps itself, however long it waits.
    embedder->clearLog();
    loop->runFor(400ms);
    EXPECT_EQ(embedder->log(), std::vector<std::string>{});
    EXPECT_TRUE(host->isViewable(child));

    EXPECT_EQ(pixelsUnlikeTheRender(child, view), 0);
    detach(view);
    EXPECT_TRUE(host->children().empty());
}

// The embedder is as strict as the SDK's: a window without the property stays out.
TEST_F(EditorInXEmbedHost, EmbedderRefusesAWindowWithoutXEmbedInfo)
{
    xcb_connection_t* c = host->connection;
    const xcb_window_t bare = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, bare, host->screen->root, 0, 0, 50, 50, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, host->screen->root_visual, 0, nullptr);
    xcb_reparent_window(c, bare, host->window, 0, 0);
    xcb_flush(c);
    loop->runFor(100ms);
    EXPECT_EQ(embedder->log(),
              (std::vector<std::string>{"reparented, unmapped", "refused: no _XEMBED_INFO"}));
    EXPECT_FALSE(host->isViewable(bare));
    xcb_destroy_window(c, bare);
}

// With focus a click says nothing; after FOCUS_OUT a click asks the embedder for focus,
// and the FOCUS_IN that answers it is taken in.
TEST_F(EditorInXEmbedHost, ClickAsksForFocusOnlyWhileTheWindowHasNone)
{
    IPtr<IPlugView> view = attach();
    loop->runFor(100ms);
    ASSERT_EQ(host->children().size(), 1u);
    const xcb_window_t child = host->children()[0];
    ASSERT_TRUE(host->isViewable(child));

    struct Step
    {
        const char* what;
        bool focusOutFirst;
        std::vector<std::string> log;
    };
    const Step steps[] = {
        {"focused by the embedding", false, {}},
        {"focus taken away", true, {"got REQUEST_FOCUS", "sent FOCUS_IN"}},
        {"focus given back on request", false, {}},
    };
    for (const Step& step : steps)
    {
        if (step.focusOutFirst)
        {
            embedder->send(XEmbedder::kFocusOut);
            loop->runFor(30ms);
        }
        embedder->clearLog();
        click(child, kBareX, kBareY);
        EXPECT_EQ(embedder->log(), step.log) << step.what;
    }
    detach(view);
}

// Who maps the window, by host: an embedder that watches its window but never speaks
// XEmbed still gets a visible editor, a little later; a host that does not watch at
// all gets it at once.
TEST(EditorWindowMapping, ShownByItselfWhereNoEmbedderAnswers)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X server (CTest runs this under xvfb-run)";
    struct Case
    {
        const char* host;
        bool watches;
        bool viewableSoon;
    };
    for (const Case& c : {Case{"watching, silent", true, false}, Case{"not watching", false, true}})
    {
        HostWindow window(c.watches);
        ASSERT_TRUE(window.ok());
        OffscreenPanel plugin(ZARG_BUNDLE, false);
        ASSERT_TRUE(plugin.ok()) << plugin.error();
        IPtr<HostRunLoop> loop = owned(new HostRunLoop);
        IPtr<XEmbedder> silent = owned(new XEmbedder(window, true));
        loop->registerEventHandler(silent, silent->fd());

        IPtr<IPlugView> view = owned(plugin.controller().createView(Vst::ViewType::kEditor));
        ASSERT_TRUE(view);
        view->setFrame(loop);
        ASSERT_EQ(view->attached(window.parent(), kPlatformTypeX11EmbedWindowID), kResultTrue);
        loop->runFor(60ms);
        ASSERT_EQ(window.children().size(), 1u) << c.host;
        const xcb_window_t child = window.children()[0];
        EXPECT_EQ(window.isViewable(child), c.viewableSoon) << c.host;
        loop->runFor(400ms);
        EXPECT_TRUE(window.isViewable(child)) << c.host;

        view->removed();
        view->setFrame(nullptr);
        loop->unregisterEventHandler(silent);
    }
}

} // namespace
