#include "platform/x11/XcbConnection.h"

#include <cstring>

namespace tiv::x11 {

std::unique_ptr<XcbConnection> XcbConnection::open(QString *error)
{
    int screenNumber = 0;
    xcb_connection_t *c = xcb_connect(nullptr, &screenNumber);
    if (!c || xcb_connection_has_error(c)) {
        if (c)
            xcb_disconnect(c);
        if (error)
            *error = QStringLiteral("cannot open the X display \"%1\"")
                         .arg(QString::fromLocal8Bit(qgetenv("DISPLAY")));
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    return std::unique_ptr<XcbConnection>(new XcbConnection(c, it.data));
}

XcbConnection::~XcbConnection()
{
    xcb_disconnect(connection_);
}

xcb_atom_t XcbConnection::atom(const char *name)
{
    auto cookie = xcb_intern_atom(connection_, 0, static_cast<uint16_t>(strlen(name)), name);
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection_, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<uint32_t> XcbConnection::cardinalProperty(xcb_window_t window, xcb_atom_t property,
                                                      uint32_t count)
{
    auto cookie = xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, count);
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection_, cookie, nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    const int n = xcb_get_property_value_length(reply.get()) / 4;
    return std::vector<uint32_t>(values, values + n);
}

bool XcbConnection::hasExtension(const char *name)
{
    auto cookie = xcb_query_extension(connection_, uint16_t(strlen(name)), name);
    Reply<xcb_query_extension_reply_t> reply(xcb_query_extension_reply(connection_, cookie, nullptr));
    return reply && reply->present;
}

}  // namespace tiv::x11
