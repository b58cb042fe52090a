#include "platform/x11/X11CursorSource.h"

#include <xcb/xfixes.h>

namespace tiv::x11 {

X11CursorSource::X11CursorSource(XcbConnection &connection) : x_(connection)
{
    auto cookie = xcb_xfixes_query_version(x_.get(), XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION);
    Reply<xcb_xfixes_query_version_reply_t> reply(
        xcb_xfixes_query_version_reply(x_.get(), cookie, nullptr));
    available_ = reply && reply->major_version >= 1;
}

void X11CursorSource::askAhead()
{
    if (!available_)
        return;
    // An answer asked for earlier and never taken is out of date.
    if (asked_)
        xcb_discard_reply(x_.get(), asked_->sequence);
    asked_ = xcb_xfixes_get_cursor_image(x_.get());
}

std::optional<CursorImage> X11CursorSource::currentCursor()
{
    if (!available_)
        return std::nullopt;
    const xcb_xfixes_get_cursor_image_cookie_t cookie = asked_ ? *asked_ : xcb_xfixes_get_cursor_image(x_.get());
    asked_.reset();
    Reply<xcb_xfixes_get_cursor_image_reply_t> reply(xcb_xfixes_get_cursor_image_reply(x_.get(), cookie, nullptr));
    if (!reply || reply->width == 0 || reply->height == 0)
        return std::nullopt;
    const uint32_t *pixels = xcb_xfixes_get_cursor_image_cursor_image(reply.get());
    if (xcb_xfixes_get_cursor_image_cursor_image_length(reply.get()) < reply->width * reply->height)
        return std::nullopt;

    CursorImage c;
    c.image = QImage(reply->width, reply->height, QImage::Format_ARGB32_Premultiplied);
    if (c.image.isNull())
        return std::nullopt;
    bool anyVisible = false;
    for (int y = 0; y < reply->height; ++y) {
        auto *row = reinterpret_cast<uint32_t *>(c.image.scanLine(y));
        for (int x = 0; x < reply->width; ++x) {
            row[x] = pixels[y * reply->width + x];
            anyVisible |= (row[x] >> 24) != 0;
        }
    }
    c.hotSpot = QPoint(reply->xhot, reply->yhot);
    c.position = QPoint(reply->x, reply->y);
    // X has no "cursor hidden" state to ask for: programs hide it by setting a blank cursor.
    c.shown = anyVisible;
    return c;
}

std::optional<QPoint> X11CursorSource::pointerPosition()
{
    Reply<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(x_.get(), xcb_query_pointer(x_.get(), x_.root()), nullptr));
    if (!reply || !reply->same_screen)
        return std::nullopt;
    return QPoint(reply->root_x, reply->root_y);
}

}  // namespace tiv::x11
