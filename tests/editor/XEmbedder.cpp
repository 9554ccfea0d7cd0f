#include "XEmbedder.h"

#include <cstdlib>
#include <cstring>

namespace
{
std::string nameOf(uint32_t message)
{
    static const char* const names[] = {"EMBEDDED_NOTIFY", "WINDOW_ACTIVATE", "WINDOW_DEACTIVATE",
                                        "REQUEST_FOCUS",   "FOCUS_IN",        "FOCUS_OUT"};
    return message < std::size(names) ? names[message] : std::to_string(message);
}
} // namespace

XEmbedder::XEmbedder(HostWindow& h, bool s) : host(h), silent(s)
{
    xembedAtom = atom("_XEMBED");
    infoAtom = atom("_XEMBED_INFO");
}

xcb_atom_t XEmbedder::atom(const char* name) const
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        host.connection,
        xcb_intern_atom(host.connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

void PLUGIN_API XEmbedder::onFDIsSet(Steinberg::Linux::FileDescriptor)
{
    pump();
}

void XEmbedder::pump()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(host.connection))
    {
        switch (event->response_type & 0x7f)
        {
        case XCB_REPARENT_NOTIFY:
        {
            auto* e = reinterpret_cast<xcb_reparent_notify_event_t*>(event);
            if (e->parent == host.window)
                onReparented(e->window);
            break;
        }
        case XCB_CREATE_NOTIFY:
            entries.push_back("created in the window");
            break;
        case XCB_MAP_NOTIFY:
            if (reinterpret_cast<xcb_map_notify_event_t*>(event)->window == client)
                entries.push_back("mapped");
            break;
        case XCB_CLIENT_MESSAGE:
        {
            auto* e = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (e->type != xembedAtom)
                break;
            entries.push_back("got " + nameOf(e->data.data32[1]));
            // As embedders do: focus goes where it is asked for.
            if (e->data.data32[1] == kRequestFocus)
                send(kFocusIn, kFocusCurrent);
            break;
        }
        default:
            break;
        }
        std::free(event);
    }
}

std::vector<uint32_t> XEmbedder::infoOf(xcb_window_t child) const
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        host.connection, xcb_get_property(host.connection, 0, child, infoAtom, infoAtom, 0, 2),
        nullptr);
    std::vector<uint32_t> info;
    if (reply && reply->format == 32 && reply->type == infoAtom)
    {
        const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        info.assign(values, values + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return info;
}

void XEmbedder::onReparented(xcb_window_t child)
{
    entries.push_back(host.isViewable(child) ? "reparented, mapped" : "reparented, unmapped");
    if (silent)
        return;
    const std::vector<uint32_t> info = infoOf(child);
    if (info.size() < 2)
    {
        entries.push_back("refused: no _XEMBED_INFO");
        return;
    }
    client = child;
    entries.push_back("info version " + std::to_string(info[0]) + " flags " +
                      std::to_string(info[1]));
    send(kEmbeddedNotify);
    if (info[1] & kMappedFlag)
    {
        xcb_map_window(host.connection, child);
        entries.push_back("map");
    }
    send(kWindowActivate);
    send(kFocusIn, kFocusFirst);
    xcb_flush(host.connection);
}

void XEmbedder::send(uint32_t message, uint32_t detail)
{
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof(event));
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = client;
    event.type = xembedAtom;
    event.data.data32[0] = XCB_CURRENT_TIME;
    event.data.data32[1] = message;
    event.data.data32[2] = detail;
    if (message == kEmbeddedNotify)
    {
        event.data.data32[3] = host.window;
        event.data.data32[4] = kVersion;
    }
    xcb_send_event(host.connection, 0, client, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(host.connection);
    entries.push_back("sent " + nameOf(message));
}
