// Test helper: makes the root window's background a picture in which every pixel tells its own
// place (red x mod 256, green y mod 256, blue (x / 256) * 16 + y / 256), and writes the same
// picture as a PPM file, so that a saved region can be matched against the desktop exactly.
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

uint32_t placeColour(int x, int y)
{
    const uint32_t red = uint32_t(x) & 255, green = uint32_t(y) & 255;
    const uint32_t blue = ((uint32_t(x) >> 8) * 16 + (uint32_t(y) >> 8)) & 255;
    return red << 16 | green << 8 | blue;
}

bool writePpm(const char *path, int width, int height)
{
    std::FILE *out = std::fopen(path, "wb");
    if (!out)
        return false;
    std::fprintf(out, "P6\n%d %d\n255\n", width, height);
    std::vector<unsigned char> row(size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = placeColour(x, y);
            row[size_t(x) * 3] = c >> 16 & 255;
            row[size_t(x) * 3 + 1] = c >> 8 & 255;
            row[size_t(x) * 3 + 2] = c & 255;
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tiv_place_gradient OUT.ppm\n");
        return 2;
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const int width = screen->width_in_pixels, height = screen->height_in_pixels;
    if (screen->root_depth != 24 || !writePpm(argv[1], width, height))
        return 1;

    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, screen->root_depth, pixmap, screen->root, uint16_t(width), uint16_t(height));
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);
    // A few rows a request keeps each one well under the server's request size.
    constexpr int rowsPerRequest = 16;
    std::vector<uint32_t> band(size_t(width) * rowsPerRequest);
    for (int top = 0; top < height; top += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, height - top);
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < width; ++x)
                band[size_t(y) * size_t(width) + size_t(x)] = placeColour(x, top + y);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, uint16_t(width), uint16_t(rows), 0, int16_t(top), 0,
                      screen->root_depth, uint32_t(size_t(width) * size_t(rows) * 4),
                      reinterpret_cast<const uint8_t *>(band.data()));
    }
    xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    // A compositor draws the desktop from the picture this property names, not the background.
    static const char rootPicture[] = "_XROOTPMAP_ID";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof rootPicture - 1, rootPicture), nullptr);
    if (atom)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, screen->root, atom->atom, XCB_ATOM_PIXMAP, 32, 1, &pixmap);
    std::free(atom);
    xcb_clear_area(c, 0, screen->root, 0, 0, 0, 0);
    // The background outlives this helper only when the server keeps its resources.
    xcb_set_close_down_mode(c, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    xcb_free_gc(c, gc);
    xcb_generic_error_t *error = nullptr;
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), &error));
    const bool ok = !error && !xcb_connection_has_error(c);
    std::free(error);
    xcb_disconnect(c);
    return ok ? 0 : 1;
}
