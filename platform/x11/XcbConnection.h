#pragma once

#include <xcb/xcb.h>

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace tiv::x11 {

// One connection to the X server with the few helpers the backend needs.
class XcbConnection {
public:
    // Null when no display can be opened; the reason goes to `error`.
    static std::unique_ptr<XcbConnection> open(QString *error);
    ~XcbConnection();
    XcbConnection(const XcbConnection &) = delete;
    XcbConnection &operator=(const XcbConnection &) = delete;

    xcb_connection_t *get() const { return connection_; }
    xcb_screen_t *screen() const { return screen_; }
    xcb_window_t root() const { return screen_->root; }
    xcb_atom_t atom(const char *name);
    // The first 32-bit values of a window property, empty when it is missing.
    std::vector<uint32_t> cardinalProperty(xcb_window_t window, xcb_atom_t property, uint32_t count);
    bool hasExtension(const char *name);

private:
    XcbConnection(xcb_connection_t *c, xcb_screen_t *s) : connection_(c), screen_(s) {}
    xcb_connection_t *connection_;
    xcb_screen_t *screen_;
};

// Frees an xcb reply when it goes out of scope.
struct FreeDeleter {
    void operator()(void *p) const { free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

}  // namespace tiv::x11
