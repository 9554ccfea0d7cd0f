#pragma once

#include "TestControls.h"
#include "TestImages.h"

#include "vstgui/lib/CFrame.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace VSTGUI::Test
{

// A 200 x 200 frame without a window and a scratch folder for bitmaps.
class OffscreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir =
            std::filesystem::temp_directory_path() / ("vstgui-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        frame = new CFrame(CRect(0, 0, 200, 200), &editor);
    }
    void TearDown() override
    {
        frame->forget();
        std::filesystem::remove_all(dir);
    }
    std::string path(const char* name) const { return (dir / name).string(); }
    // Renders the frame once; every render is a redraw of each view.
    Pixel render(int x, int y)
    {
        cairo_surface_t* s = frame->renderToImage();
        const Pixel p = pixelAt(s, x, y);
        cairo_surface_destroy(s);
        return p;
    }
    // Mouse gesture in frame coordinates.
    void drag(CPoint from, CPoint to, int32_t modifiers = 0)
    {
        frame->onMouseDown(from, kLButton | modifiers);
        CPoint mid((from.x + to.x) / 2, (from.y + to.y) / 2);
        frame->onMouseMoved(mid, kLButton | modifiers);
        frame->onMouseMoved(to, kLButton | modifiers);
        frame->onMouseUp(to, kLButton | modifiers);
    }

    std::filesystem::path dir;
    FakeEditor editor;
    CFrame* frame{nullptr};
    RecordingListener listener;
};

} // namespace VSTGUI::Test
