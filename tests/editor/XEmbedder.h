#pragma once

#include "HostWindow.h"

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

#include <string>
#include <vector>
#include <xcb/xcb.h>

// The embedder's side of XEmbed on a host window, the way the VST3 SDK's editor host
// embeds a plug-in's window: a child reparented into the window is embedded only when
// it carries _XEMBED_INFO (the embedder then sends EMBEDDED_NOTIFY, maps it when the
// mapped flag asks for it, activates it and gives it focus); a child without that
// property is refused and left unmapped. Registered with the host's run loop, it reads
// its window's events and writes what it sees and does to a log.
class XEmbedder : public Steinberg::FObject, public Steinberg::Linux::IEventHandler
{
public:
    // The freedesktop XEmbed specification's numbers.
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
    static constexpr uint32_t kFocusCurrent = 0;
    static constexpr uint32_t kFocusFirst = 1;

    // silent: an embedder that watches but never answers (no XEmbed at all).
    XEmbedder(HostWindow& host, bool silent = false);

    void PLUGIN_API onFDIsSet(Steinberg::Linux::FileDescriptor fd) override;
    int fd() const { return xcb_get_file_descriptor(host.connection); }

    // Reads the window's events now.
    void pump();
    // Sends an XEmbed message to the embedded child.
    void send(uint32_t message, uint32_t detail = 0);
    // The child's _XEMBED_INFO (version, flags); empty when it has none.
    std::vector<uint32_t> infoOf(xcb_window_t child) const;

    const std::vector<std::string>& log() const { return entries; }
    void clearLog() { entries.clear(); }
    xcb_window_t embedded() const { return client; }

    OBJ_METHODS(XEmbedder, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Linux::IEventHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    void onReparented(xcb_window_t child);
    xcb_atom_t atom(const char* name) const;

    HostWindow& host;
    bool silent;
    xcb_atom_t xembedAtom;
    xcb_atom_t infoAtom;
    xcb_window_t client{0};
    std::vector<std::string> entries;
};
