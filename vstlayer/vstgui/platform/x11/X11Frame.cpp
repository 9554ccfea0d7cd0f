#include "vstgui/platform/x11/X11Frame.h"

#include "vstgui/lib/CFrame.h"
#include "vstgui/platform/x11/FrameConfig.h"
#include "vstgui/platform/x11/RunLoop.h"

#include <cairo-xcb.h>
#include <cairo.h>
#include <cstdlib>

namespace VSTGUI
{

IPlatformFrame* IPlatformFrame::create(CFrame* frame, void* parent, PlatformType type,
                                       IPlatformFrameConfig* config)
{
    auto* x11Config = dynamic_cast<X11::FrameConfig*>(config);
    if (type != PlatformType::kX11EmbedWindowID || !x11Config || !x11Config->runLoop)
        return nullptr;
    const auto parentWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent));
    auto* platformFrame = new X11::X11Frame(frame, parentWindow, x11Config->runLoop);
    if (!platformFrame->isValid())
    {
        delete platformFrame;
        return nullptr;
    }
    return platformFrame;
}

namespace X11
{

namespace
{
xcb_visualtype_t* findVisual(xcb_connection_t* c, xcb_visualid_t id)
{
    for (auto s = xcb_setup_roots_iterator(xcb_get_setup(c)); s.rem; xcb_screen_next(&s))
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == id)
                    return v.data;
    return nullptr;
}

xcb_visualid_t rootVisualOf(xcb_connection_t* c, xcb_window_t root)
{
    for (auto s = xcb_setup_roots_iterator(xcb_get_setup(c)); s.rem; xcb_screen_next(&s))
        if (s.data->root == root)
            return s.data->root_visual;
    return 0;
}

int32_t modifiersOf(uint16_t state)
{
    int32_t b = 0;
    if (state & XCB_MOD_MASK_SHIFT)
        b |= kShift;
    if (state & XCB_MOD_MASK_CONTROL)
        b |= kControl;
    if (state & XCB_MOD_MASK_1)
        b |= kAlt;
    if (state & XCB_BUTTON_MASK_1)
        b |= kLButton;
    if (state & XCB_BUTTON_MASK_2)
        b |= kMButton;
    if (state & XCB_BUTTON_MASK_3)
        b |= kRButton;
    return b;
}

int32_t buttonOf(uint8_t detail)
{
    switch (detail)
    {
    case 1:
        return kLButton;
    case 2:
        return kMButton;
    case 3:
        return kRButton;
    default:
        return 0;
    }
}
} // namespace

X11Frame::X11Frame(CFrame* f, uint32_t parentWindow, IRunLoop* loop) : frame(f), runLoop(loop)
{
    connection = xcb_connect(nullptr, nullptr);
    if (!connection || xcb_connection_has_error(connection))
        return;

    // The child must match the parent's depth and visual.
    xcb_get_window_attributes_reply_t* attrs = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, parentWindow), nullptr);
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, parentWindow), nullptr);
    if (attrs && geometry)
        visual = findVisual(connection, attrs->visual);
    const uint8_t depth = geometry ? geometry->depth : 0;
    const xcb_visualid_t visualId = attrs ? attrs->visual : 0;
    const xcb_window_t root = geometry ? geometry->root : 0;
    std::free(attrs);
    std::free(geometry);
    if (!visual)
        return;

    // Made at the root and reparented into the host's window, as XEmbed embedders expect.
    // A visual other than the root's needs a colormap of its own there.
    uint32_t mask = XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK;
    if (visualId != rootVisualOf(connection, root))
    {
        colormap = xcb_generate_id(connection);
        xcb_create_colormap(connection, XCB_COLORMAP_ALLOC_NONE, colormap, root, visualId);
        mask |= XCB_CW_COLORMAP;
    }
    const CRect size = frame->getZoomedSize();
    const auto w = static_cast<uint16_t>(std::max(1., size.getWidth()));
    const auto h = static_cast<uint16_t>(std::max(1., size.getHeight()));
    window = xcb_generate_id(connection);
    const uint32_t values[] = {0,
                               XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
                                   XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
                                   XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                               colormap};
    xcb_void_cookie_t cookie =
        xcb_create_window_checked(connection, depth, window, root, 0, 0, w, h, 0,
                                  XCB_WINDOW_CLASS_INPUT_OUTPUT, visualId, mask, values);
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie))
    {
        std::free(error);
        window = 0;
        return;
    }
    xembed = std::make_unique<XEmbedClient>(connection, window);
    xembed->onFocusLost = [this] { frame->setFocusView(nullptr); };
    xembed->embedInto(parentWindow);
    windowSurface = cairo_xcb_surface_create(connection, window, visual, w, h);
    backBuffer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    // A round trip: the window is in the host's window once attached() returns.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    RunLoop::init(runLoop);
    eventHandlerRegistered =
        runLoop->registerEventHandler(xcb_get_file_descriptor(connection), this);
    timerRegistered = runLoop->registerTimer(kTickMs, this);
    dirty = CRect(0, 0, w, h);
}

X11Frame::~X11Frame()
{
    if (eventHandlerRegistered)
        runLoop->unregisterEventHandler(this);
    if (timerRegistered)
        runLoop->unregisterTimer(this);
    if (window)
        RunLoop::exit(runLoop);
    if (backBuffer)
        cairo_surface_destroy(backBuffer);
    if (windowSurface)
    {
        cairo_device_t* device = cairo_surface_get_device(windowSurface);
        cairo_surface_finish(windowSurface);
        // cairo keeps per-connection state; it must let go before the connection closes.
        if (device)
            cairo_device_finish(device);
        cairo_surface_destroy(windowSurface);
    }
    if (connection)
    {
        if (colormap)
            xcb_free_colormap(connection, colormap);
        if (window)
        {
            xcb_destroy_window(connection, window);
            // A round trip: the window is gone for the host once removed() returns.
            std::free(
                xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        }
        xcb_disconnect(connection);
    }
}

void X11Frame::invalidRect(const CRect& rect)
{
    dirty.unite(rect);
}

bool X11Frame::setSize(const CRect& size)
{
    const auto w = static_cast<uint32_t>(std::max(1., size.getWidth()));
    const auto h = static_cast<uint32_t>(std::max(1., size.getHeight()));
    const uint32_t values[] = {w, h};
    xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    cairo_xcb_surface_set_size(windowSurface, static_cast<int>(w), static_cast<int>(h));
    cairo_surface_destroy(backBuffer);
    backBuffer =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(w), static_cast<int>(h));
    dirty = CRect(0, 0, w, h);
    xcb_flush(connection);
    return true;
}

CPoint X11Frame::toFrame(int16_t x, int16_t y) const
{
    const double zoom = frame->getZoom();
    return CPoint(x / zoom, y / zoom);
}

void X11Frame::onEvent()
{
    drainEvents();
    paint();
}

void X11Frame::onTimer()
{
    drainEvents();
    if (xembed)
        xembed->poll();
    paint();
}

void X11Frame::drainEvents()
{
    if (!connection)
        return;
    // Keep the frame alive: a click may close the editor's popup or more.
    frame->remember();
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
    {
        handleEvent(event);
        std::free(event);
    }
    frame->forget();
}

void X11Frame::handleEvent(xcb_generic_event_t* event)
{
    switch (event->response_type & 0x7f)
    {
    case XCB_EXPOSE:
    {
        auto* e = reinterpret_cast<xcb_expose_event_t*>(event);
        dirty.unite(CRect(e->x, e->y, e->x + e->width, e->y + e->height));
        break;
    }
    case XCB_BUTTON_PRESS:
    {
        auto* e = reinterpret_cast<xcb_button_press_event_t*>(event);
        CPoint where = toFrame(e->event_x, e->event_y);
        int32_t buttons = modifiersOf(e->state) & ~(kLButton | kMButton | kRButton);
        if (e->detail == 4 || e->detail == 5)
        {
            frame->onWheel(where, e->detail == 4 ? 1.f : -1.f, buttons);
            break;
        }
        xembed->onButtonPress(e->time);
        buttons |= buttonOf(e->detail);
        if (e->detail == lastClickButton && e->time - lastClickTime < 250)
            buttons |= kDoubleClick;
        lastClickButton = e->detail;
        lastClickTime = e->time;
        frame->onMouseDown(where, buttons);
        break;
    }
    case XCB_BUTTON_RELEASE:
    {
        auto* e = reinterpret_cast<xcb_button_release_event_t*>(event);
        if (e->detail >= 4 && e->detail <= 7)
            break;
        CPoint where = toFrame(e->event_x, e->event_y);
        frame->onMouseUp(where, modifiersOf(e->state) | buttonOf(e->detail));
        break;
    }
    case XCB_MOTION_NOTIFY:
    {
        auto* e = reinterpret_cast<xcb_motion_notify_event_t*>(event);
        CPoint where = toFrame(e->event_x, e->event_y);
        frame->onMouseMoved(where, modifiersOf(e->state));
        break;
    }
    case XCB_CLIENT_MESSAGE:
        xembed->handle(*reinterpret_cast<xcb_client_message_event_t*>(event));
        break;
    case XCB_KEY_PRESS:
    {
        auto* e = reinterpret_cast<xcb_key_press_event_t*>(event);
        VstKeyCode key;
        if (translateKey(e->detail, e->state, key))
            frame->onKeyDown(key);
        break;
    }
    default:
        break;
    }
}

void X11Frame::loadKeyboardMapping()
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    minKeycode = setup->min_keycode;
    const auto count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, minKeycode, count), nullptr);
    if (!reply)
        return;
    keysymsPerKeycode = reply->keysyms_per_keycode;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    keysyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply));
    std::free(reply);
}

namespace
{
// Keypad keysyms (KP_Space .. KP_Equal), and those among them that type a character.
constexpr uint32_t kKeypadFirst = 0xff80;
constexpr uint32_t kKeypadLast = 0xffbd;
constexpr uint32_t kKeypadCharacterFirst = 0xffaa;
constexpr uint32_t kKeypadCharacterLast = 0xffb9;
} // namespace

bool X11Frame::translateKey(uint8_t keycode, uint16_t state, VstKeyCode& key) const
{
    if (keysyms.empty())
        const_cast<X11Frame*>(this)->loadKeyboardMapping();
    if (keysymsPerKeycode <= 0 || keycode < minKeycode)
        return false;
    const size_t base = static_cast<size_t>(keycode - minKeycode) * keysymsPerKeycode;
    const bool shift = (state & XCB_MOD_MASK_SHIFT) != 0;
    if (base + 1 >= keysyms.size())
        return false;
    // A keypad key's second symbol is its digit: Num Lock (Mod2 by convention)
    // selects it as Shift does, and Shift with Num Lock selects the first again.
    const bool keypad = keysyms[base + 1] >= kKeypadFirst && keysyms[base + 1] <= kKeypadLast;
    const bool numLock = (state & XCB_MOD_MASK_2) != 0;
    const bool second = keypad && numLock ? !shift : shift;
    uint32_t sym = keysyms[base + (second ? 1 : 0)];
    if (sym == 0)
        sym = keysyms[base];
    key = VstKeyCode();
    if (shift)
        key.modifier |= MODIFIER_SHIFT;
    if (state & XCB_MOD_MASK_CONTROL)
        key.modifier |= MODIFIER_CONTROL;
    if (state & XCB_MOD_MASK_1)
        key.modifier |= MODIFIER_ALTERNATE;
    switch (sym)
    {
    case 0xff0d:
        key.virt = VKEY_RETURN;
        return true;
    case 0xff8d:
        key.virt = VKEY_ENTER;
        return true;
    case 0xff08:
        key.virt = VKEY_BACK;
        return true;
    case 0xff1b:
        key.virt = VKEY_ESCAPE;
        return true;
    case 0xff09:
        key.virt = VKEY_TAB;
        return true;
    case 0xffff:
        key.virt = VKEY_DELETE;
        return true;
    case 0xff51:
        key.virt = VKEY_LEFT;
        return true;
    case 0xff53:
        key.virt = VKEY_RIGHT;
        return true;
    default:
        break;
    }
    // KP_Multiply .. KP_9 sit 0xff80 above the characters they type.
    if (sym >= kKeypadCharacterFirst && sym <= kKeypadCharacterLast)
        sym -= 0xff80;
    if (sym >= 0x20 && sym < 0x7f)
    {
        key.character = static_cast<int32_t>(sym);
        return true;
    }
    return false;
}

void X11Frame::paint()
{
    if (!windowSurface || dirty.isEmpty())
        return;
    CRect r(dirty);
    r.bound(CRect(0, 0, cairo_image_surface_get_width(backBuffer),
                  cairo_image_surface_get_height(backBuffer)));
    dirty = CRect();
    frame->clearDirtyRect();
    if (r.isEmpty())
        return;
    cairo_t* cr = cairo_create(backBuffer);
    cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    frame->render(cr, r);
    cairo_destroy(cr);
    cairo_surface_flush(backBuffer);

    cr = cairo_create(windowSurface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, backBuffer, 0, 0);
    cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(windowSurface);
    xcb_flush(connection);
}

} // namespace X11
} // namespace VSTGUI
