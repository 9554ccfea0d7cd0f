#include "HostWindow.h"

#include <cstdlib>
#include <xcb/xtest.h>

HostWindow::HostWindow(bool watchChildren)
{
    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return;
    screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    window = xcb_generate_id(connection);
    const uint32_t events[] = {XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    const uint32_t mask = watchChildren ? uint32_t{XCB_CW_EVENT_MASK} : 0u;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 20, 20, 400, 500, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, mask, events);
    xcb_map_window(connection, window);
    xcb_flush(connection);
}

HostWindow::~HostWindow()
{
    if (window)
        xcb_destroy_window(connection, window);
    xcb_disconnect(connection);
}

std::vector<xcb_window_t> HostWindow::children() const
{
    std::vector<xcb_window_t> result;
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
    if (!tree)
        return result;
    const xcb_window_t* c = xcb_query_tree_children(tree);
    result.assign(c, c + xcb_query_tree_children_length(tree));
    std::free(tree);
    return result;
}

bool HostWindow::isViewable(xcb_window_t child) const
{
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, child), nullptr);
    const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(attributes);
    return viewable;
}

std::pair<int16_t, int16_t> HostWindow::onScreen(xcb_window_t child, double x, double y) const
{
    xcb_translate_coordinates_reply_t* r = xcb_translate_coordinates_reply(
        connection,
        xcb_translate_coordinates(connection, child, screen->root, static_cast<int16_t>(x),
                                  static_cast<int16_t>(y)),
        nullptr);
    std::pair<int16_t, int16_t> p{r ? r->dst_x : 0, r ? r->dst_y : 0};
    std::free(r);
    return p;
}

void HostWindow::fake(uint8_t type, uint8_t detail, std::pair<int16_t, int16_t> at)
{
    xcb_test_fake_input(connection, type, detail, XCB_CURRENT_TIME, screen->root, at.first,
                        at.second, 0);
    xcb_flush(connection);
}

std::vector<uint32_t> HostWindow::capture(xcb_window_t child, int width, int height) const
{
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, child, 0, 0,
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), ~0u),
        nullptr);
    std::vector<uint32_t> pixels;
    // 24-bit visuals come as 32-bit pixels, blue in the lowest byte.
    if (image && image->depth == 24 && xcb_get_image_data_length(image) >= width * height * 4)
    {
        const uint8_t* data = xcb_get_image_data(image);
        pixels.resize(static_cast<size_t>(width * height));
        for (size_t i = 0; i < pixels.size(); ++i)
        {
            const uint8_t* p = data + i * 4;
            pixels[i] = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        }
    }
    std::free(image);
    return pixels;
}
