#pragma once

#include <cstdint>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

// The host's own X connection and a top-level window for the plug-in to live in.
class HostWindow
{
public:
    // watchChildren: select SubstructureNotify on the window, as an XEmbed embedder does.
    explicit HostWindow(bool watchChildren = false);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool ok() const { return window != 0; }
    void* parent() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window)); }

    std::vector<xcb_window_t> children() const;
    bool isViewable(xcb_window_t child) const;
    // A point of the plug-in's window in root coordinates.
    std::pair<int16_t, int16_t> onScreen(xcb_window_t child, double x, double y) const;
    // Input through XTest, as if from the user.
    void fake(uint8_t type, uint8_t detail, std::pair<int16_t, int16_t> at = {0, 0});
    // How many pixels of the child's top-left width x height area differ from the
    // 0x00RRGGBB pixels pixelAt gives; -1 when the window cannot be read.
    template <typename PixelAt>
    int differingPixels(xcb_window_t child, int width, int height, PixelAt pixelAt) const;

    xcb_connection_t* connection{nullptr};
    xcb_screen_t* screen{nullptr};
    xcb_window_t window{0};

private:
    // The window's pixels as 0x00RRGGBB, row by row; empty when it cannot be read.
    std::vector<uint32_t> capture(xcb_window_t child, int width, int height) const;
};

template <typename PixelAt>
int HostWindow::differingPixels(xcb_window_t child, int width, int height, PixelAt pixelAt) const
{
    const std::vector<uint32_t> pixels = capture(child, width, height);
    if (pixels.empty())
        return -1;
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            differing += pixels[static_cast<size_t>(y * width + x)] != pixelAt(x, y);
    return differing;
}
