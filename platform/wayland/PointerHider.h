#pragma once

#include <memory>

namespace tiv::wayland {

// While it lives, a compositor that draws the pointer into the frames it copies whatever the
// copying program asks (wlroots with a pointer drawn by itself rather than by the graphics card,
// as on headless sway) shows none: a transparent surface over each screen, above every window,
// takes the pointer and sets no image for it. Nothing where the compositor offers no layer shell
// or has no pointer.
class PointerHider {
public:
    PointerHider();
    ~PointerHider();
    PointerHider(const PointerHider &) = delete;
    PointerHider &operator=(const PointerHider &) = delete;

    // The connection of its own and what lives on it.
    struct Connection;

private:
    std::unique_ptr<Connection> connection_;
};

}  // namespace tiv::wayland
