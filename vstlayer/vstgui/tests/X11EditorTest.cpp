#include "TestController.h"
#include "TestImages.h"
#include "TestRunLoop.h"

#include "vstgui/lib/CAnimKnob.h"
#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/COnOffButton.h"
#include "vstgui/lib/CTextEdit.h"
#include "vstgui/lib/CVSTGUITimer.h"
#include "vstgui/platform/linux/ResourcePath.h"
#include "vstgui/plugin-bindings/VST3Editor.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

using namespace VSTGUI;
using namespace VSTGUI::Test;
using namespace Steinberg;
using namespace std::chrono_literals;

namespace
{

class CountingEditor : public VST3Editor
{
public:
    using VST3Editor::VST3Editor;
    int ticks{0};
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override
    {
        if (message == CVSTGUITimer::kMsgTimer)
            ++ticks;
        return VST3Editor::notify(sender, message);
    }
};

// The host side: its own X connection and a top-level parent window.
class X11EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X server (run under xvfb-run)";
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
        {
            xcb_disconnect(connection);
            connection = nullptr;
            FAIL() << "cannot connect to the X server";
        }
        screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        parent = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, parent, screen->root, 10, 10, 300, 300,
                          0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(connection, parent);
        xcb_flush(connection);

        resources =
            std::filesystem::temp_directory_path() / ("vstgui-x11-" + std::to_string(::getpid()));
        std::filesystem::create_directories(resources);
        ASSERT_TRUE(writeStrip((resources / "strip.png").string(), 42, 42, 80));
        ASSERT_TRUE(writeStrip((resources / "toggle.png").string(), 20, 20, 2));
        std::filesystem::copy_file(VSTGUI_TEST_DATA "/panel.uidesc", resources / "panel.uidesc");
        ResourcePath::set(resources.string());

        loop = new TestRunLoop;
        controller = new TestController;
        handler = new RecordingHandler;
        controller->setComponentHandler(handler);
    }
    void TearDown() override
    {
        if (!controller)
            return;
        controller->setComponentHandler(nullptr);
        controller->release();
        handler->release();
        loop->release();
        ResourcePath::set("");
        std::filesystem::remove_all(resources);
        xcb_destroy_window(connection, parent);
        xcb_disconnect(connection);
    }

    CountingEditor* attach()
    {
        auto* editor = new CountingEditor(controller, "Main", "panel.uidesc");
        editor->setFrame(loop);
        EXPECT_EQ(editor->attached(reinterpret_cast<void*>(static_cast<uintptr_t>(parent)),
                                   kPlatformTypeX11EmbedWindowID),
                  kResultTrue);
        return editor;
    }

    xcb_window_t child() const
    {
        xcb_query_tree_reply_t* tree =
            xcb_query_tree_reply(connection, xcb_query_tree(connection, parent), nullptr);
        xcb_window_t w = 0;
        if (tree && xcb_query_tree_children_length(tree) == 1)
            w = xcb_query_tree_children(tree)[0];
        std::free(tree);
        return w;
    }

    CPoint onScreen(CView* view) const
    {
        CPoint c = view->getViewSize().getCenter();
        view->localToFrame(c);
        xcb_translate_coordinates_reply_t* r = xcb_translate_coordinates_reply(
            connection,
            xcb_translate_coordinates(connection, child(), screen->root, static_cast<int16_t>(c.x),
                                      static_cast<int16_t>(c.y)),
            nullptr);
        CPoint p(r->dst_x, r->dst_y);
        std::free(r);
        return p;
    }

    void fake(uint8_t type, uint8_t detail, CPoint at = CPoint())
    {
        xcb_test_fake_input(connection, type, detail, XCB_CURRENT_TIME, screen->root,
                            static_cast<int16_t>(at.x), static_cast<int16_t>(at.y), 0);
        xcb_flush(connection);
        loop->runFor(30ms);
    }

    // The key carrying keysym as its first or second symbol, and which of the two.
    std::pair<uint8_t, bool> keyFor(uint32_t keysym)
    {
        const xcb_setup_t* setup = xcb_get_setup(connection);
        const auto count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
        xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr);
        EXPECT_NE(map, nullptr);
        if (!map)
            return {0, false};
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        const int perKey = map->keysyms_per_keycode;
        int found = -1;
        for (int i = 0; i < count * perKey && found < 0; ++i)
            if (syms[i] == keysym && i % perKey < 2)
                found = i;
        std::free(map);
        EXPECT_GE(found, 0) << "no key for keysym " << keysym;
        if (found < 0)
            return {0, false};
        return {static_cast<uint8_t>(setup->min_keycode + found / perKey), found % perKey == 1};
    }

    void press(uint8_t key)
    {
        fake(XCB_KEY_PRESS, key);
        fake(XCB_KEY_RELEASE, key);
    }

    // The key that types keysym, pressed and released (shifted when it is the key's
    // second symbol; unshifted when numLock is on and the key is on the keypad).
    void type(uint32_t keysym, bool numLock = false)
    {
        const auto [key, second] = keyFor(keysym);
        const bool shifted = second && !numLock;
        const uint8_t shiftKey = 50; // Shift_L in the server's default map
        if (shifted)
            fake(XCB_KEY_PRESS, shiftKey);
        press(key);
        if (shifted)
            fake(XCB_KEY_RELEASE, shiftKey);
    }

    xcb_connection_t* connection{nullptr};
    xcb_screen_t* screen{nullptr};
    xcb_window_t parent{0};
    std::filesystem::path resources;
    TestRunLoop* loop{nullptr};
    TestController* controller{nullptr};
    RecordingHandler* handler{nullptr};
};

TEST_F(X11EditorTest, WindowMatchesTheOffscreenRender)
{
    auto* editor = attach();
    loop->runFor(200ms);
    const xcb_window_t w = child();
    ASSERT_NE(w, 0u);
    xcb_get_geometry_reply_t* g =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, w), nullptr);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->width, 120);
    EXPECT_EQ(g->height, 100);
    std::free(g);

    xcb_get_image_reply_t* image = xcb_get_image_reply(
        connection, xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, 0, 120, 100, ~0u),
        nullptr);
    ASSERT_NE(image, nullptr);
    cairo_surface_t* offscreen = editor->getFrame()->renderToImage();
    const uint8_t* data = xcb_get_image_data(image);
    int differing = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x)
        {
            const Pixel p = pixelAt(offscreen, x, y);
            const uint8_t* q = data + (y * 120 + x) * 4;
            if (q[2] != p.r || q[1] != p.g || q[0] != p.b)
                ++differing;
        }
    EXPECT_EQ(differing, 0);
    cairo_surface_destroy(offscreen);
    std::free(image);
    editor->removed();
    editor->release();
}

TEST_F(X11EditorTest, SyntheticInputReachesTheControls)
{
    controller->setKnobMode(Vst::kLinearMode);
    // Events only through the timer tick: a host that never polls the descriptor.
    loop->pollDescriptors = false;
    auto* editor = attach();
    loop->runFor(100ms);
    CFrame* frame = editor->getFrame();
    CAnimKnob* knob = nullptr;
    COnOffButton* toggle = nullptr;
    frame->forEachChild(
        [&](CView* v)
        {
            if (auto* k = dynamic_cast<CAnimKnob*>(v))
                knob = k;
            if (auto* t = dynamic_cast<COnOffButton*>(v))
                toggle = t;
        });
    ASSERT_TRUE(knob && toggle);

    CPoint at = onScreen(knob);
    fake(XCB_MOTION_NOTIFY, 0, at);
    fake(XCB_BUTTON_PRESS, 1);
    fake(XCB_MOTION_NOTIFY, 0, CPoint(at.x, at.y - 10));
    fake(XCB_MOTION_NOTIFY, 0, CPoint(at.x, at.y - 20));
    fake(XCB_BUTTON_RELEASE, 1);
    ASSERT_GE(handler->calls.size(), 3u);
    EXPECT_EQ(handler->calls.front(), "begin 0");
    EXPECT_EQ(handler->calls.back(), "end 0");
    EXPECT_NEAR(controller->getParamNormalized(TestController::kKnob),
                0.5 + 20 / CAnimKnob::kLinearRange, 1e-6);

    handler->calls.clear();
    fake(XCB_MOTION_NOTIFY, 0, onScreen(toggle));
    fake(XCB_BUTTON_PRESS, 1);
    fake(XCB_BUTTON_RELEASE, 1);
    EXPECT_EQ(handler->calls, (std::vector<std::string>{"begin 13", "perform 13", "end 13"}));

    editor->setIdleRate(50);
    const int before = editor->ticks;
    loop->runFor(320ms);
    EXPECT_GE(editor->ticks - before, 4) << "the 50 ms idle timer runs";
    editor->removed();
    EXPECT_TRUE(loop->events.empty());
    EXPECT_TRUE(loop->timers.empty());
    editor->release();
    controller->setKnobMode(Vst::kCircularMode);
}

// XEmbed's FOCUS_OUT (message 5) takes the keyboard away: a text being edited is
// committed and editing ends, as when the user clicks elsewhere.
TEST_F(X11EditorTest, XEmbedFocusOutEndsTextEditing)
{
    auto* editor = attach();
    loop->runFor(50ms);
    CFrame* frame = editor->getFrame();
    CTextEdit* edit = nullptr;
    frame->forEachChild(
        [&](CView* v)
        {
            if (auto* e = dynamic_cast<CTextEdit*>(v))
                edit = e;
        });
    ASSERT_NE(edit, nullptr);
    frame->setFocusView(edit);
    ASSERT_TRUE(edit->isEditingText());

    const char* name = "_XEMBED";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    ASSERT_NE(atom, nullptr);
    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof(message));
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = child();
    message.type = atom->atom;
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = 5;
    std::free(atom);
    xcb_send_event(connection, 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    loop->runFor(50ms);

    EXPECT_FALSE(edit->isEditingText());
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(handler->calls.back(), "end " + std::to_string(edit->getTag()));
    editor->removed();
    editor->release();
}

// Typed on the X keyboard, on the main keys and on the keypad: a click starts editing
// with the shown value selected, the digits replace it, Return hands the text to the
// controller.
TEST_F(X11EditorTest, KeyboardTextReplacesTheShownValue)
{
    const std::vector<uint32_t> mainKeys{0x34u, 0x32u, 0x2eu, 0x35u}; // "42.5"
    const std::vector<uint32_t> keypad{0xffb4u, 0xffb2u, 0xffaeu, 0xffb5u};
    const struct
    {
        const char* keys;
        const std::vector<uint32_t>& keysyms;
        bool numLock;
    } cases[] = {{"main keys", mainKeys, false},
                 {"keypad with Shift", keypad, false},
                 {"keypad with Num Lock", keypad, true}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.keys);
        auto* editor = attach();
        loop->runFor(50ms);
        CTextEdit* edit = nullptr;
        editor->getFrame()->forEachChild(
            [&](CView* v)
            {
                if (auto* e = dynamic_cast<CTextEdit*>(v))
                    edit = e;
            });
        ASSERT_NE(edit, nullptr);
        const std::string shown = edit->getText();
        ASSERT_FALSE(shown.empty());
        fake(XCB_MOTION_NOTIFY, 0, onScreen(edit));
        fake(XCB_BUTTON_PRESS, 1);
        fake(XCB_BUTTON_RELEASE, 1);
        ASSERT_TRUE(edit->isTextSelected());
        const uint8_t numLockKey = keyFor(0xff7f).first;
        if (c.numLock)
            press(numLockKey);
        for (uint32_t keysym : c.keysyms)
            type(keysym, c.numLock);
        if (c.numLock)
            press(numLockKey);
        EXPECT_EQ(edit->getText(), "42.5");
        type(0xff0d); // Return
        EXPECT_FALSE(edit->isEditingText());
        EXPECT_NEAR(controller->getParamNormalized(TestController::kEdit), 0.425, 1e-9);
        EXPECT_EQ(handler->calls.back(), "end " + std::to_string(TestController::kEdit));
        editor->removed();
        editor->release();
        controller->setParamNormalized(TestController::kEdit, 0.0);
    }
}

TEST_F(X11EditorTest, OpenCloseCyclesLeaveNothingRegistered)
{
    for (int i = 0; i < 100; ++i)
    {
        auto* editor = attach();
        loop->runFor(i % 10 == 0 ? 30ms : 0ms);
        ASSERT_NE(child(), 0u);
        editor->removed();
        ASSERT_TRUE(loop->events.empty()) << "cycle " << i;
        ASSERT_TRUE(loop->timers.empty()) << "cycle " << i;
        editor->release();
        xcb_flush(connection);
    }
    EXPECT_GE(loop->registrations, 300) << "each cycle registered descriptor and timers";
    EXPECT_EQ(child(), 0u) << "the child window is gone";
    EXPECT_EQ(CVSTGUITimer::getRunningCount(), 0);
}

} // namespace
