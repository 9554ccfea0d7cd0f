#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <xcb/xcb.h>

namespace VSTGUI::X11
{

// The client side of the freedesktop XEmbed protocol for one window: it announces
// itself with _XEMBED_INFO, lets the embedder map it, and tracks the embedder's focus
// and activation messages. A parent that nobody watches for new children cannot
// embed by XEmbed, so the window maps itself there; where someone watches but never
// says EMBEDDED_NOTIFY, it maps itself after kEmbedderPatience.
class XEmbedClient
{
public:
    // Message numbers and flags of the XEmbed specification.
    enum Message : uint32_t
    {
        kEmbeddedNotify = 0,
        kWindowActivate = 1,
        kWindowDeactivate = 2,
        kRequestFocus = 3,
        kFocusIn = 4,
        kFocusOut = 5,
    };
    static constexpr uint32_t kVersion = 0;
    static constexpr uint32_t kMappedFlag = 1;
    static constexpr std::chrono::milliseconds kEmbedderPatience{250};

    XEmbedClient(xcb_connection_t* connection, xcb_window_t window);

    // Sets _XEMBED_INFO and reparents the window into parent (not mapped yet).
    void embedInto(xcb_window_t parent);
    // True when it took the message (an _XEMBED client message).
    bool handle(const xcb_client_message_event_t& message);
    // Called periodically: maps the window itself when no embedder will.
    void poll();
    // A click in an embedded window that has no focus asks the embedder for it.
    void onButtonPress(xcb_timestamp_t time);

    bool isEmbedded() const { return embedder != 0; }
    bool hasFocus() const { return focused; }
    bool isActive() const { return active; }

    std::function<void()> onFocusLost;

private:
    xcb_atom_t atom(const char* name) const;
    void send(uint32_t message, xcb_timestamp_t time, uint32_t detail = 0);
    void mapSelf();

    xcb_connection_t* connection;
    xcb_window_t window;
    xcb_atom_t xembedAtom{XCB_ATOM_NONE};
    xcb_atom_t infoAtom{XCB_ATOM_NONE};
    xcb_window_t embedder{0};
    std::chrono::steady_clock::time_point reparentedAt;
    bool waitingForEmbedder{false};
    bool focused{false};
    bool active{false};
};

} // namespace VSTGUI::X11
