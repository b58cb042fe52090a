#include "platform/wayland/SharedPixels.h"

#include <QCoreApplication>
#include <QTimer>

#include <mutex>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace tiv::wayland {

namespace {

// Late enough that the frozen desktop is on the screen by then.
constexpr int PrepareAfterMs = 300;

std::mutex readyLock;
SharedPixels ready;

}  // namespace

SharedPixels SharedPixels::make(size_t size)
{
    SharedPixels memory;
    memory.fd_ = memfd_create("tiv-screencopy", MFD_CLOEXEC);
    if (memory.fd_ < 0 || ftruncate(memory.fd_, static_cast<off_t>(size)) != 0)
        return {};
    // All pages mapped in one call.
    void *pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, memory.fd_, 0);
    if (pixels == MAP_FAILED)
        return {};
    memory.pixels_ = static_cast<unsigned char *>(pixels);
    memory.size_ = size;
    return memory;
}

SharedPixels SharedPixels::take(size_t size)
{
    {
        const std::lock_guard lock(readyLock);
        if (ready.valid() && ready.size() == size)
            return std::move(ready);
        ready.drop();
    }
    return make(size);
}

void SharedPixels::prepareLater(size_t size)
{
    if (!QCoreApplication::instance())
        return;
    QTimer::singleShot(PrepareAfterMs, QCoreApplication::instance(), [size] {
        const std::lock_guard lock(readyLock);
        if (!ready.valid())
            ready = make(size);
    });
}

void SharedPixels::keep(SharedPixels memory)
{
    const std::lock_guard lock(readyLock);
    ready = std::move(memory);
}

SharedPixels::SharedPixels(SharedPixels &&other) noexcept
    : fd_(std::exchange(other.fd_, -1)), pixels_(std::exchange(other.pixels_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

SharedPixels &SharedPixels::operator=(SharedPixels &&other) noexcept
{
    if (this != &other) {
        drop();
        fd_ = std::exchange(other.fd_, -1);
        pixels_ = std::exchange(other.pixels_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

SharedPixels::~SharedPixels()
{
    drop();
}

void SharedPixels::drop()
{
    if (pixels_)
        munmap(std::exchange(pixels_, nullptr), size_);
    if (fd_ >= 0)
        close(std::exchange(fd_, -1));
    size_ = 0;
}

}  // namespace tiv::wayland
