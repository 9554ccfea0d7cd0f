// The editor opened by a VST2 host in a real X server (CTest runs this under xvfb-run),
// beside the same editor attached by a VST3 host. The VST2 route loads the library
// through a link, as VST2 hosts find it in ~/.vst.
#include "EditorInXEmbedHost.h"
#include "ScratchFolder.h"
#include "Vst2Plugin.h"

#include "host/PluginModule.h"

#include <filesystem>
#include <thread>

using namespace Steinberg;
using namespace std::chrono_literals;

namespace
{

// Beside the VST3 host's window, a second one for the VST2 host, with its own embedder.
class Vst2EditorInXServer : public EditorInXEmbedHost
{
protected:
    void SetUp() override
    {
        EditorInXEmbedHost::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        vst2Host = std::make_unique<HostWindow>(true);
        ASSERT_TRUE(vst2Host->ok());
        vst2Embedder = owned(new XEmbedder(*vst2Host));
        const std::string link = scratch.file("ZARG.so");
        std::filesystem::create_symlink(ZargHost::PluginModule::libraryPathOf(ZARG_BUNDLE), link);
        vst2 = std::make_unique<Vst2Plugin>(link);
        ASSERT_TRUE(vst2->loaded()) << vst2->error();
    }

    void TearDown() override
    {
        vst2.reset();
        vst2Embedder = nullptr;
        vst2Host.reset();
        EditorInXEmbedHost::TearDown();
    }

    // The VST2 host's main loop: its window's events, and the editor's idle call.
    void idleFor(std::chrono::milliseconds duration)
    {
        const auto end = std::chrono::steady_clock::now() + duration;
        while (std::chrono::steady_clock::now() < end)
        {
            vst2Embedder->pump();
            vst2->dispatch(effEditIdle);
            std::this_thread::sleep_for(5ms);
        }
    }

    xcb_window_t openVst2Editor()
    {
        EXPECT_EQ(vst2->dispatch(effEditOpen, 0, 0, vst2Host->parent()), 1);
        idleFor(150ms);
        const std::vector<xcb_window_t> children = vst2Host->children();
        EXPECT_EQ(children.size(), 1u);
        return children.empty() ? 0 : children.front();
    }

    ScratchFolder scratch;
    std::unique_ptr<HostWindow> vst2Host;
    IPtr<XEmbedder> vst2Embedder;
    std::unique_ptr<Vst2Plugin> vst2;
};

TEST_F(Vst2EditorInXServer, EmbedsLikeTheVst3EditorAndShowsTheSamePanel)
{
    IPtr<IPlugView> view = attach();
    loop->runFor(150ms);
    ASSERT_EQ(host->children().size(), 1u);
    const std::vector<std::string> vst3Embedding = embedder->log();

    ERect* rect = nullptr;
    ASSERT_EQ(vst2->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 306);
    EXPECT_EQ(rect->bottom - rect->top, 426);

    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE(round == 0 ? "first opening" : "opened again");
        vst2Embedder->clearLog();
        const xcb_window_t child = openVst2Editor();
        ASSERT_NE(child, 0u);
        EXPECT_EQ(vst2Embedder->log(), vst3Embedding);
        EXPECT_TRUE(vst2Host->isViewable(child));
        EXPECT_EQ(vst2->dispatch(effEditOpen, 0, 0, vst2Host->parent()), 0) << "already open";
        idleFor(30ms);
        EXPECT_EQ(vst2Host->children(), std::vector<xcb_window_t>{child});
        const std::unique_ptr<PanelImage> rendered = renderOffscreen(view);
        ASSERT_TRUE(rendered->loaded());
        EXPECT_EQ(vst2Host->differingPixels(child, 306, 426,
                                            [&](int x, int y) { return rendered->rgb(x, y); }),
                  0);

        EXPECT_EQ(vst2->dispatch(effEditClose), 1);
        idleFor(30ms);
        EXPECT_TRUE(vst2Host->children().empty());
    }
    detach(view);
}

// A knob dragged in the VST2 host's window: the host hears of it while it idles the
// editor, never from inside another of its calls.
TEST_F(Vst2EditorInXServer, DraggingAKnobAutomatesItsParameterFromIdle)
{
    IPtr<IPlugView> view = attach();
    loop->runFor(100ms);
    double x = -1, y = -1;
    for (const PanelView& v : OffscreenPanel::viewsOf(offscreenOf(view)))
        if (v.kind == "CAnimKnob" && v.tag == 0)
        {
            x = v.centerX();
            y = v.centerY();
        }
    detach(view);
    ASSERT_GE(x, 0) << "the Sustain knob has tag 0";

    vst2->setParameter(0, 0.5f);
    const xcb_window_t child = openVst2Editor();
    ASSERT_NE(child, 0u);
    vst2->calls.clear();
    const auto at = vst2Host->onScreen(child, x, y);
    vst2Host->fake(XCB_MOTION_NOTIFY, 0, at);
    idleFor(30ms);
    vst2Host->fake(XCB_BUTTON_PRESS, 1);
    idleFor(30ms);
    for (int16_t dy : {10, 20, 30})
    {
        vst2Host->fake(XCB_MOTION_NOTIFY, 0, {at.first, static_cast<int16_t>(at.second - dy)});
        idleFor(30ms);
    }
    vst2Host->fake(XCB_BUTTON_RELEASE, 1);
    idleFor(60ms);

    const std::vector<Vst2Plugin::Call>& calls = vst2->calls;
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    for (const Vst2Plugin::Call& call : calls)
    {
        EXPECT_EQ(call.index, 0);
        EXPECT_EQ(call.inside, effEditIdle);
    }
    const Vst2Plugin::Call& lastMove = calls[calls.size() - 2];
    EXPECT_EQ(lastMove.opcode, audioMasterAutomate);
    EXPECT_NEAR(lastMove.opt, 0.5 + 30 / 200.0, 1e-6) << "linear knob: 200 pixels for the range";
    EXPECT_EQ(vst2->getParameter(0), lastMove.opt);
    vst2->dispatch(effEditClose);
}

} // namespace
