#include "vstgui/platform/x11/XEmbedClient.h"

#include <cstdlib>
#include <cstring>

namespace VSTGUI::X11
{

XEmbedClient::XEmbedClient(xcb_connection_t* c, xcb_window_t w) : connection(c), window(w)
{
    xembedAtom = atom("_XEMBED");
    infoAtom = atom("_XEMBED_INFO");
}

xcb_atom_t XEmbedClient::atom(const char* name) const
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

void XEmbedClient::embedInto(xcb_window_t parent)
{
    const uint32_t info[] = {kVersion, kMappedFlag};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, infoAtom, infoAtom, 32, 2, info);
    // Whoever embeds by XEmbed learns of the new child through SubstructureNotify.
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, parent), nullptr);
    const uint32_t watchers = attributes ? attributes->all_event_masks : 0;
    std::free(attributes);
    xcb_reparent_window(connection, window, parent, 0, 0);
    if (watchers & (XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT))
    {
        waitingForEmbedder = true;
        reparentedAt = std::chrono::steady_clock::now();
    }
    else
        mapSelf();
    xcb_flush(connection);
}

void XEmbedClient::mapSelf()
{
    waitingForEmbedder = false;
    xcb_map_window(connection, window);
}

void XEmbedClient::poll()
{
    if (waitingForEmbedder && std::chrono::steady_clock::now() - reparentedAt >= kEmbedderPatience)
    {
        mapSelf();
        xcb_flush(connection);
    }
}

bool XEmbedClient::handle(const xcb_client_message_event_t& message)
{
    if (message.type != xembedAtom || message.format != 32)
        return false;
    const uint32_t* data = message.data.data32;
    switch (data[1])
    {
    case kEmbeddedNotify:
        embedder = data[3];
        waitingForEmbedder = false;
        break;
    case kWindowActivate:
        active = true;
        break;
    case kWindowDeactivate:
        active = false;
        break;
    case kFocusIn:
        focused = true;
        break;
    case kFocusOut:
        focused = false;
        if (onFocusLost)
            onFocusLost();
        break;
    default:
        break;
    }
    return true;
}

void XEmbedClient::onButtonPress(xcb_timestamp_t time)
{
    if (isEmbedded() && !focused)
        send(kRequestFocus, time);
}

void XEmbedClient::send(uint32_t message, xcb_timestamp_t time, uint32_t detail)
{
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof(event));
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = embedder;
    event.type = xembedAtom;
    event.data.data32[0] = time;
    event.data.data32[1] = message;
    event.data.data32[2] = detail;
    xcb_send_event(connection, 0, embedder, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

} // namespace VSTGUI::X11
