#include "platform/x11/X11ScreenGrabber.h"

#include <algorithm>
#include <array>

namespace tiv::x11 {

namespace {

// A depth-24 server leaves the padding byte of each pixel at zero; RGB32 wants it opaque, or
// alpha-aware readers see a transparent picture.
void makeOpaque(unsigned char *pixels, size_t count)
{
    auto *p = reinterpret_cast<uint32_t *>(pixels);
    for (size_t i = 0; i < count; ++i)
        p[i] |= 0xff000000u;
}

// Copies rows of 32-bit pixels from the server's buffer into the picture, made opaque.
void copyRows(const uint8_t *src, int srcStride, QImage &out, const QPoint &at, int w, int h)
{
    for (int y = 0; y < h; ++y) {
        const auto *in = reinterpret_cast<const uint32_t *>(src + size_t(y) * srcStride);
        auto *row = reinterpret_cast<uint32_t *>(out.scanLine(at.y() + y)) + at.x();
        for (int x = 0; x < w; ++x)
            row[x] = in[x] | 0xff000000u;
    }
}

bool rootIsRgb32(xcb_connection_t *c, const xcb_screen_t *screen)
{
    if (screen->root_depth != 24 && screen->root_depth != 32)
        return false;
    const xcb_setup_t *setup = xcb_get_setup(c);
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == screen->root_depth)
            return it.data->bits_per_pixel == 32;
    return false;
}

}  // namespace

X11ScreenGrabber::X11ScreenGrabber(XcbConnection &connection) : x_(connection), focus_(connection)
{
    auto cookie = xcb_shm_query_version(x_.get());
    Reply<xcb_shm_query_version_reply_t> reply(xcb_shm_query_version_reply(x_.get(), cookie, nullptr));
    if (reply)
        shelf_ = std::make_shared<SegmentShelf>(x_.get());
}

X11ScreenGrabber::~X11ScreenGrabber()
{
    if (shelf_)
        shelf_->close();
}

QRect X11ScreenGrabber::desktopRect()
{
    const xcb_screen_t *s = x_.screen();
    return QRect(0, 0, s->width_in_pixels, s->height_in_pixels);
}

xcb_window_t X11ScreenGrabber::topLevelOf(xcb_window_t window)
{
    // Walk up to the child of the root: with a reparenting window manager that is the frame.
    for (int depth = 0; depth < 64; ++depth) {
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(x_.get(), xcb_query_tree(x_.get(), window), nullptr));
        if (!tree)
            return XCB_WINDOW_NONE;
        if (tree->parent == x_.root() || tree->parent == XCB_WINDOW_NONE)
            return window;
        window = tree->parent;
    }
    return XCB_WINDOW_NONE;
}

QRect X11ScreenGrabber::rootRectOf(xcb_window_t window)
{
    Reply<xcb_get_geometry_reply_t> geo(
        xcb_get_geometry_reply(x_.get(), xcb_get_geometry(x_.get(), window), nullptr));
    if (!geo)
        return {};
    Reply<xcb_translate_coordinates_reply_t> pos(xcb_translate_coordinates_reply(
        x_.get(), xcb_translate_coordinates(x_.get(), window, x_.root(), 0, 0), nullptr));
    if (!pos)
        return {};
    // The border belongs to the window as the user sees it.
    const int b = geo->border_width;
    return QRect(pos->dst_x - b, pos->dst_y - b, geo->width + 2 * b, geo->height + 2 * b);
}

std::optional<ForegroundWindow> X11ScreenGrabber::foregroundWindow()
{
    auto window = findForegroundWindow();
    failure_ = window ? GrabFailure::None : GrabFailure::NoActiveWindow;
    return window;
}

std::optional<ForegroundWindow> X11ScreenGrabber::findForegroundWindow()
{
    xcb_window_t client = XCB_WINDOW_NONE;
    const auto active = x_.cardinalProperty(x_.root(), x_.atom("_NET_ACTIVE_WINDOW"), 1);
    if (!active.empty())
        client = active[0];
    if (client == XCB_WINDOW_NONE) {
        Reply<xcb_get_input_focus_reply_t> focus(
            xcb_get_input_focus_reply(x_.get(), xcb_get_input_focus(x_.get()), nullptr));
        if (focus && focus->focus != x_.root() && focus->focus > XCB_INPUT_FOCUS_POINTER_ROOT)
            client = topLevelOf(focus->focus);
    }
    if (client == XCB_WINDOW_NONE || client == x_.root())
        return std::nullopt;

    ForegroundWindow fw;
    fw.client = rootRectOf(client);
    if (!IsCapturableWindow(x_, client, fw.client))
        return std::nullopt;
    const xcb_window_t top = topLevelOf(client);
    fw.frame = top != client && top != XCB_WINDOW_NONE ? rootRectOf(top) : fw.client;
    if (top == client) {
        // Not reparented (a compositing manager that draws frames itself): the frame extents say
        // how far the decorations reach around the client.
        const auto ext = x_.cardinalProperty(client, x_.atom("_NET_FRAME_EXTENTS"), 4);
        if (ext.size() == 4)
            fw.frame = fw.client.adjusted(-int(ext[0]), -int(ext[2]), int(ext[1]), int(ext[3]));
    }
    return fw;
}

QImage X11ScreenGrabber::grab(const QRect &screenRect)
{
    bool paddingLeft = false;
    QImage pixels = grabArea(screenRect, false, paddingLeft);
    failure_ = pixels.isNull() ? GrabFailure::Failed : GrabFailure::None;
    return pixels;
}

QImage X11ScreenGrabber::grabLeavingPadding(const QRect &screenRect, bool &paddingLeft)
{
    QImage pixels = grabArea(screenRect, true, paddingLeft);
    failure_ = pixels.isNull() ? GrabFailure::Failed : GrabFailure::None;
    return pixels;
}

QImage X11ScreenGrabber::grabArea(const QRect &screenRect, bool leavePadding, bool &paddingLeft)
{
    paddingLeft = false;
    if (screenRect.isEmpty())
        return {};
    const QRect visible = screenRect.intersected(desktopRect());
    if (!visible.isEmpty() && !rootIsRgb32(x_.get(), x_.screen()))
        return {};
    // A picture partly off the screen is rare (a window reaching past the edge): it takes the
    // visible part through one more copy, which makes the pixels opaque on the way.
    const bool whole = visible == screenRect;
    const QImage shared = visible.isEmpty() ? QImage() : grabShared(visible, whole && !leavePadding);
    if (whole && !shared.isNull()) {
        paddingLeft = leavePadding;
        return shared;
    }
    QImage out(screenRect.size(), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    if (!whole)
        out.fill(Qt::black);
    if (visible.isEmpty())
        return out;
    const QPoint at = visible.topLeft() - screenRect.topLeft();
    if (!shared.isNull()) {
        copyRows(shared.constBits(), int(shared.bytesPerLine()), out, at, visible.width(), visible.height());
        return out;
    }
    return grabPlain(visible, out, at) ? out : QImage();
}

QImage X11ScreenGrabber::grabShared(const QRect &area, bool opaque)
{
    if (!shelf_)
        return {};
    const size_t stride = size_t(area.width()) * 4;
    const std::optional<SharedSegment> segment = shelf_->take(stride * size_t(area.height()));
    if (!segment) {
        shelf_.reset();
        return {};
    }
    QImage picture = shelf_->pictureOn(*segment, area.size(), QImage::Format_RGB32);
    // Made opaque at once, it is asked for in bands all at once: while the server fills one band,
    // the band before it gets its opaque alpha, so that pass runs beside the server's write
    // instead of after it. Left as the server writes it, it is one request: each band's answer
    // costs a wake-up of its own, and the eight took half as long again as one.
    constexpr int kMaxBands = 8, kMinBandRows = 64;
    const int bands = opaque ? std::clamp(area.height() / kMinBandRows, 1, kMaxBands) : 1;
    auto bandTop = [&](int band) { return int(qint64(area.height()) * band / bands); };
    std::array<xcb_shm_get_image_cookie_t, kMaxBands> cookies{};
    for (int band = 0; band < bands; ++band) {
        const int top = bandTop(band), rows = bandTop(band + 1) - top;
        cookies[size_t(band)] = xcb_shm_get_image(x_.get(), x_.root(), int16_t(area.x()), int16_t(area.y() + top),
                                                  uint16_t(area.width()), uint16_t(rows), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP,
                                                  segment->xid, uint32_t(size_t(top) * stride));
    }
    bool complete = true;
    for (int band = 0; band < bands; ++band) {
        Reply<xcb_shm_get_image_reply_t> reply(xcb_shm_get_image_reply(x_.get(), cookies[size_t(band)], nullptr));
        complete = complete && reply;
        const int top = bandTop(band);
        if (complete && opaque)
            makeOpaque(segment->data + size_t(top) * stride, size_t(area.width()) * size_t(bandTop(band + 1) - top));
    }
    return complete ? picture : QImage();
}

bool X11ScreenGrabber::grabPlain(const QRect &area, QImage &out, const QPoint &at)
{
    // One request per band of rows keeps each reply under the server's request size.
    const int rowsPerBand = std::max(1, (4 << 20) / std::max(1, area.width() * 4));
    for (int y = 0; y < area.height(); y += rowsPerBand) {
        const int rows = std::min(rowsPerBand, area.height() - y);
        auto cookie = xcb_get_image(x_.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, x_.root(), int16_t(area.x()),
                                    int16_t(area.y() + y), uint16_t(area.width()), uint16_t(rows), ~0u);
        Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(x_.get(), cookie, nullptr));
        if (!reply || xcb_get_image_data_length(reply.get()) < area.width() * rows * 4)
            return false;
        copyRows(xcb_get_image_data(reply.get()), area.width() * 4, out, at + QPoint(0, y),
                 area.width(), rows);
    }
    return true;
}

}  // namespace tiv::x11
