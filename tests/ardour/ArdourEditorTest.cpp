// ZARG's editor opened by Ardour's own GUI in an X server (CTest runs this
// under xvfb-run): embedded through XEmbed, as tall as the panel, showing what
// the panel draws offscreen.
#include "ArdourFixture.h"
#include "BackgroundProcess.h"
#include "FileText.h"
#include "HostWindow.h"
#include "PanelImage.h"
#include "XEmbedder.h"

#include <cairo-xcb.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <regex>
#include <thread>

namespace
{

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 306;
constexpr int kHeight = 426;
constexpr const char* kTrack = "Guitar";
// Ardour crashes now and then by itself, before the editor is up.
constexpr int kAttempts = 3;
// Measured: the engine starts and the editor's window opens within 5 s.
constexpr auto kOpenWithin = 30s;
// The panel draws itself in well under a second after it opens.
constexpr auto kDrawnWithin = 10s;
// The hard limit on one Ardour run, however the test fares.
constexpr int kArdourSeconds = 90;
constexpr int kSnapshotSeconds = 60;
// Ardour may ask to save on SIGTERM; nobody answers, SIGKILL follows.
constexpr int kQuitGraceSeconds = 3;

// Ardour opens a plug-in's window with the session when the session's GUI
// state says it was open: an entry named after the route's and the
// processor's ids.
void openEditorWithSession(const std::string& sessionFile)
{
    std::string text = fileText(sessionFile);
    std::smatch route;
    std::smatch plugin;
    const std::regex routeTag(std::string("<Route [^>]*name=\"") + kTrack + "\"[^>]*>");
    ASSERT_TRUE(std::regex_search(text, route, routeTag)) << "no track " << kTrack;
    std::smatch id;
    const std::string tag = route[0];
    ASSERT_TRUE(std::regex_search(tag, id, std::regex(" id=\"([0-9]+)\"")));
    const std::string rest = route.suffix();
    ASSERT_TRUE(
        std::regex_search(rest, plugin, std::regex("<Processor id=\"([0-9]+)\" name=\"ZARG\"")))
        << "no ZARG on " << kTrack;
    ASSERT_EQ(text.find("<Extra>"), std::string::npos) << "the session has GUI state already";
    const std::string entry = "<Extra><UI><Window name=\"P-" + id[1].str() + "-" + plugin[1].str() +
                              "\" visible=\"1\" x-off=\"0\" y-off=\"0\" x-size=\"-1\" "
                              "y-size=\"-1\" custom-ui=\"1\"/></UI></Extra>\n";
    const size_t end = text.rfind("</Session>");
    ASSERT_NE(end, std::string::npos);
    text.insert(end, entry);
    std::ofstream(sessionFile, std::ios::binary) << text;
}

std::vector<xcb_window_t> childrenOf(xcb_connection_t* c, xcb_window_t window)
{
    std::vector<xcb_window_t> list;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    if (!tree)
        return list;
    const xcb_window_t* first = xcb_query_tree_children(tree);
    list.assign(first, first + xcb_query_tree_children_length(tree));
    std::free(tree);
    return list;
}

std::string titleOf(xcb_connection_t* c, xcb_window_t window)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
        nullptr);
    std::string title;
    if (reply && reply->format == 8)
        title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    return title;
}

// The window Ardour opened for the track's plug-in, and the embedded one in it.
struct EditorWindow
{
    xcb_window_t top = 0;
    std::string title;
    xcb_window_t embedded = 0;
};

std::optional<EditorWindow> findEditor(HostWindow& host, const XEmbedder& embedder)
{
    for (const xcb_window_t top : childrenOf(host.connection, host.screen->root))
    {
        const std::string title = titleOf(host.connection, top);
        if (title.rfind(std::string(kTrack) + ": ZARG", 0) != 0)
            continue;
        std::vector<xcb_window_t> pending{top};
        while (!pending.empty())
        {
            const xcb_window_t window = pending.back();
            pending.pop_back();
            if (window != top && !embedder.infoOf(window).empty())
                return EditorWindow{top, title, window};
            for (const xcb_window_t child : childrenOf(host.connection, window))
                pending.push_back(child);
        }
    }
    return std::nullopt;
}

std::pair<int, int> sizeOf(xcb_connection_t* c, xcb_window_t window)
{
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    const std::pair<int, int> size{g ? g->width : 0, g ? g->height : 0};
    std::free(g);
    return size;
}

// Without a window manager nothing keeps Ardour's main window from covering
// the editor's, and a covered window's pixels are the cover's.
void raise(xcb_connection_t* c, xcb_window_t top)
{
    const uint32_t above[] = {XCB_STACK_MODE_ABOVE};
    xcb_configure_window(c, top, XCB_CONFIG_WINDOW_STACK_MODE, above);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

// The whole window as a PNG, read through cairo.
bool writeScreenshot(HostWindow& host, xcb_window_t window, std::pair<int, int> size,
                     const std::string& path)
{
    xcb_visualtype_t* visual = nullptr;
    for (auto depth = xcb_screen_allowed_depths_iterator(host.screen); depth.rem && !visual;
         xcb_depth_next(&depth))
        for (auto v = xcb_depth_visuals_iterator(depth.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == host.screen->root_visual)
                visual = v.data;
    if (!visual)
        return false;
    cairo_surface_t* source =
        cairo_xcb_surface_create(host.connection, window, visual, size.first, size.second);
    cairo_surface_t* image =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.first, size.second);
    cairo_t* cr = cairo_create(image);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    // cairo keeps the connection in a device of its own, past the surface.
    cairo_device_finish(cairo_surface_get_device(source));
    const bool written = cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(image);
    cairo_surface_destroy(source);
    return written;
}

class ArdourEditor : public ArdourFixture
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X server (CTest runs this under xvfb-run)";
        ArdourFixture::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(host.ok()) << "cannot connect to the X server";
        // The host window is only our connection here; shown, it would cover Ardour's.
        xcb_unmap_window(host.connection, host.window);
        xcb_flush(host.connection);
        sandbox.prepareGui();
    }

    HostWindow host;
    Steinberg::IPtr<XEmbedder> embedder = Steinberg::owned(new XEmbedder(host));
};

TEST_F(ArdourEditor, EmbedsTheEditorShowingTheOffscreenRender)
{
    const std::string session = sandbox.path("session");
    const ScriptRunner::Result created = lua.run({ArdourSandbox::script("editor"), session},
                                                 [&] { std::filesystem::remove_all(session); });
    ASSERT_TRUE(created.completed());
    const std::string sessionFile = session + "/session.ardour";
    openEditorWithSession(sessionFile);
    if (HasFatalFailure())
        return;

    // The panel drawn offscreen through the same bundle, by zarg-snapshot: a
    // second module of the bundle in this process, beside the fixture's,
    // crashes when both unload.
    const std::string referenceFile = sandbox.path("offscreen.png");
    const TimedProcess::Outcome rendered = TimedProcess::run(
        {ZARG_SNAPSHOT_TOOL, "--bundle", sandbox.bundle(), "--out", referenceFile}, {},
        sandbox.path(""), sandbox.path("snapshot"), kSnapshotSeconds);
    ASSERT_EQ(rendered.exitCode, 0) << rendered.describe() << "\n" << rendered.out << rendered.err;
    const PanelImage reference(referenceFile);
    ASSERT_TRUE(reference.loaded());
    ASSERT_EQ(reference.width(), kWidth);
    ASSERT_EQ(reference.height(), kHeight);
    const auto expected = [&](int x, int y) { return reference.rgb(x, y); };

    for (int attempt = 1; attempt <= kAttempts; ++attempt)
    {
        const std::string logs = sandbox.path("ardour." + std::to_string(attempt));
        BackgroundProcess ardour({ZARG_ARDOUR_GUI, "-n", "-a", sessionFile}, sandbox.environment(),
                                 sandbox.path(""), logs, kArdourSeconds);
        // Whether Ardour has crashed, told in the log; a crash earns another attempt.
        const auto crashed = [&](const char* when)
        {
            const std::optional<TimedProcess::Outcome>& end = ardour.ended();
            if (!end)
                return false;
            std::cout << "[ardour] attempt " << attempt << ": Ardour " << end->describe() << " "
                      << when << " (log " << logs << ".err)\n";
            return end->crashed();
        };

        std::optional<EditorWindow> editor;
        const auto openBy = Clock::now() + kOpenWithin;
        while (!(editor = findEditor(host, *embedder)) && Clock::now() < openBy && !ardour.ended())
            std::this_thread::sleep_for(100ms);
        if (!editor && crashed("before the editor opened"))
            continue;
        ASSERT_FALSE(ardour.ended())
            << "Ardour quit before the editor opened: " << ardour.ended()->describe() << "\n"
            << ardour.ended()->err;
        ASSERT_TRUE(editor) << "no window with ZARG's editor in "
                            << std::chrono::duration_cast<std::chrono::seconds>(kOpenWithin).count()
                            << " s";

        // It may still be drawing: the verdict is the last look.
        int differing = -1;
        const auto drawnBy = Clock::now() + kDrawnWithin;
        do
        {
            std::this_thread::sleep_for(200ms);
            raise(host.connection, editor->top);
            differing = host.differingPixels(editor->embedded, kWidth, kHeight, expected);
        } while (differing != 0 && Clock::now() < drawnBy && !ardour.ended());
        if (differing != 0 && crashed("while the editor was drawing"))
            continue;

        const std::string screenshot = sandbox.path("ardour-editor.png");
        const std::pair<int, int> size = sizeOf(host.connection, editor->embedded);
        EXPECT_TRUE(writeScreenshot(host, editor->embedded, size, screenshot));
        std::cout << "[ardour] " << editor->title << ": screenshot " << screenshot
                  << ", offscreen render " << referenceFile << "\n";
        EXPECT_EQ(embedder->infoOf(editor->embedded),
                  (std::vector<uint32_t>{XEmbedder::kVersion, XEmbedder::kMappedFlag}));
        // Ardour asks for the panel's size, but its socket spans the plug-in
        // window, whose toolbar is wider than the panel: the window is as tall
        // as the panel and as wide as Ardour's window.
        EXPECT_EQ(size.second, kHeight);
        EXPECT_GE(size.first, kWidth);
        EXPECT_EQ(size.first, sizeOf(host.connection, editor->top).first);
        EXPECT_EQ(differing, 0) << "pixels unlike the offscreen render, of " << kWidth * kHeight;
        const TimedProcess::Outcome stopped = ardour.stop(kQuitGraceSeconds);
        std::cout << "[ardour] Ardour "
                  << (stopped.signal == SIGTERM ? "quit on SIGTERM" : stopped.describe()) << "\n";
        return;
    }
    FAIL() << "Ardour crashed on each of " << kAttempts << " attempts";
}

} // namespace
