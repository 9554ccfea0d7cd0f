#pragma once

#include "HostRunLoop.h"
#include "HostWindow.h"
#include "PanelImage.h"

#include "offscreen/OffscreenPanel.h"

#include "pluginterfaces/gui/iplugview.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

// The bundle's editor attached to a host window in a real X server (CTest runs the
// program under xvfb-run), served by our own run loop.
class EditorInXServer : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X server (CTest runs this under xvfb-run)";
        host = std::make_unique<HostWindow>(watchChildren);
        ASSERT_TRUE(host->ok()) << "cannot connect to the X server";
        plugin = std::make_unique<OffscreenPanel>(ZARG_BUNDLE, false);
        ASSERT_TRUE(plugin->ok()) << plugin->error();
        loop = Steinberg::owned(new HostRunLoop);
    }
    void TearDown() override
    {
        plugin.reset();
        loop = nullptr;
        host.reset();
    }

    Steinberg::IPtr<Steinberg::IPlugView> attach()
    {
        Steinberg::IPtr<Steinberg::IPlugView> view =
            Steinberg::owned(plugin->controller().createView(Steinberg::Vst::ViewType::kEditor));
        EXPECT_TRUE(view);
        if (!view)
            return view;
        EXPECT_EQ(view->isPlatformTypeSupported(Steinberg::kPlatformTypeX11EmbedWindowID),
                  Steinberg::kResultTrue);
        view->setFrame(loop);
        EXPECT_EQ(view->attached(host->parent(), Steinberg::kPlatformTypeX11EmbedWindowID),
                  Steinberg::kResultTrue);
        return view;
    }

    void detach(Steinberg::IPtr<Steinberg::IPlugView>& view)
    {
        EXPECT_EQ(view->removed(), Steinberg::kResultOk);
        view->setFrame(nullptr);
        view = nullptr;
    }

    Steinberg::FUnknownPtr<IOffscreenView> offscreenOf(Steinberg::IPlugView* view)
    {
        return Steinberg::FUnknownPtr<IOffscreenView>(view);
    }

    // The open view drawn without a window, as the window should show it.
    std::unique_ptr<PanelImage> renderOffscreen(Steinberg::IPlugView* view)
    {
        const std::filesystem::path png = std::filesystem::temp_directory_path() /
                                          ("zarg-x11-" + std::to_string(::getpid()) + ".png");
        EXPECT_EQ(offscreenOf(view)->writePNG(png.c_str()), Steinberg::kResultTrue);
        auto image = std::make_unique<PanelImage>(png.string());
        std::filesystem::remove(png);
        return image;
    }

    // Pixels of the window that differ from the view's offscreen render, over
    // the panel's 306 x 426; -1 when there is no render.
    int pixelsUnlikeTheRender(xcb_window_t child, Steinberg::IPlugView* view)
    {
        const std::unique_ptr<PanelImage> rendered = renderOffscreen(view);
        if (!rendered->loaded())
            return -1;
        return host->differingPixels(child, 306, 426,
                                     [&](int x, int y) { return rendered->rgb(x, y); });
    }

    // An XEmbed embedder watches its window for new children.
    bool watchChildren{false};
    std::unique_ptr<HostWindow> host;
    std::unique_ptr<OffscreenPanel> plugin;
    Steinberg::IPtr<HostRunLoop> loop;
};
