#pragma once

#include "vstgui/lib/IPlatformFrame.h"
#include "vstgui/lib/VstKeyCode.h"
#include "vstgui/platform/x11/IRunLoop.h"
#include "vstgui/platform/x11/XEmbedClient.h"

#include <cstdint>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI::X11
{

// A child window of the host's window, with its own X connection, painted with cairo,
// embedded by XEmbed. Events arrive through the run loop's descriptor and are also
// drained on every tick, because some hosts never report the descriptor.
class X11Frame : public IPlatformFrame, public IEventHandler, public ITimerHandler
{
public:
    X11Frame(CFrame* frame, uint32_t parentWindow, IRunLoop* runLoop);
    ~X11Frame() override;
    X11Frame(const X11Frame&) = delete;
    X11Frame& operator=(const X11Frame&) = delete;

    bool isValid() const { return window != 0; }
    xcb_window_t getWindow() const { return window; }
    xcb_connection_t* getConnection() const { return connection; }
    const XEmbedClient* getXEmbed() const { return xembed.get(); }

    void invalidRect(const CRect& rect) override;
    bool setSize(const CRect& size) override;

    void onEvent() override;
    void onTimer() override;

    static constexpr uint64_t kTickMs = 16;

private:
    void drainEvents();
    void handleEvent(xcb_generic_event_t* event);
    // Window pixels to frame coordinates (the frame's zoom undone).
    CPoint toFrame(int16_t x, int16_t y) const;
    void paint();
    void loadKeyboardMapping();
    bool translateKey(uint8_t keycode, uint16_t state, VstKeyCode& key) const;

    CFrame* frame;
    IRunLoop* runLoop;
    xcb_connection_t* connection{nullptr};
    xcb_window_t window{0};
    xcb_visualtype_t* visual{nullptr};
    xcb_colormap_t colormap{0};
    std::unique_ptr<XEmbedClient> xembed;
    cairo_surface_t* windowSurface{nullptr};
    cairo_surface_t* backBuffer{nullptr};
    CRect dirty;
    bool eventHandlerRegistered{false};
    bool timerRegistered{false};
    uint32_t lastClickTime{0};
    uint8_t lastClickButton{0};
    uint8_t minKeycode{0};
    int keysymsPerKeycode{0};
    std::vector<uint32_t> keysyms;
};

} // namespace VSTGUI::X11
