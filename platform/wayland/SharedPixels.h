#pragma once

#include <cstddef>

namespace tiv::wayland {

// Shared memory for the compositor to copy the screens into: a memfd mapped with every page in
// place, where the copy out of it would otherwise take a page fault a page. Making it costs time
// too (2.5 ms for one 1024x768 screen on the way to the frozen desktop), so one is kept ready for
// the next copy, made when nobody waits for it.
class SharedPixels {
public:
    // Memory of `size` bytes: the one kept ready when it has that size, else made now.
    static SharedPixels take(size_t size);
    // Makes memory of `size` bytes ready for the next take(), a little later on the main thread.
    static void prepareLater(size_t size);
    // Keeps memory no longer needed ready for the next take().
    static void keep(SharedPixels memory);

    SharedPixels() = default;
    SharedPixels(SharedPixels &&other) noexcept;
    SharedPixels &operator=(SharedPixels &&other) noexcept;
    SharedPixels(const SharedPixels &) = delete;
    SharedPixels &operator=(const SharedPixels &) = delete;
    ~SharedPixels();

    bool valid() const { return pixels_ != nullptr; }
    int fd() const { return fd_; }
    unsigned char *pixels() const { return pixels_; }
    size_t size() const { return size_; }

private:
    static SharedPixels make(size_t size);
    void drop();

    int fd_ = -1;
    unsigned char *pixels_ = nullptr;
    size_t size_ = 0;
};

}  // namespace tiv::wayland
