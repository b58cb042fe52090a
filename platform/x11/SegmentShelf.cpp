#include "platform/x11/SegmentShelf.h"

#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>

namespace tiv::x11 {

// What a picture holds of its segment: the shelf it goes back to, if that still exists.
struct SegmentShelf::Loan {
    std::weak_ptr<SegmentShelf> shelf;
    SharedSegment segment;
};

SegmentShelf::~SegmentShelf()
{
    close();
}

std::optional<SharedSegment> SegmentShelf::take(size_t bytes)
{
    std::unique_lock lock(mutex_);
    if (!x_)
        return std::nullopt;
    // One spare is enough for grabs that follow each other; the others only hold memory.
    auto fits = std::find_if(spare_.begin(), spare_.end(), [&](const SharedSegment &s) { return s.size >= bytes; });
    std::optional<SharedSegment> found;
    if (fits != spare_.end()) {
        found = *fits;
        spare_.erase(fits);
    }
    std::vector<SharedSegment> surplus;
    surplus.swap(spare_);
    lock.unlock();
    for (const SharedSegment &s : surplus)
        detach(s);
    if (!found)
        found = attachNew(bytes);
    if (found) {
        lock.lock();
        lent_.push_back(*found);
    }
    return found;
}

std::optional<SharedSegment> SegmentShelf::attachNew(size_t bytes)
{
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0)
        return std::nullopt;
    void *data = shmat(id, nullptr, 0);
    if (data == reinterpret_cast<void *>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return std::nullopt;
    }
    // All pages at once: faulted in one by one by the first grab's pass over the pixels, they cost
    // several times the grab itself. A kernel without this leaves them to be faulted in as before.
    madvise(data, bytes, MADV_POPULATE_WRITE);
    SharedSegment segment{xcb_generate_id(x_), static_cast<unsigned char *>(data), bytes};
    xcb_generic_error_t *err =
        xcb_request_check(x_, xcb_shm_attach_checked(x_, segment.xid, static_cast<uint32_t>(id), 0));
    // Marked for removal once the server holds it, so no segment outlives the program after a crash.
    shmctl(id, IPC_RMID, nullptr);
    if (err) {
        free(err);
        shmdt(data);
        return std::nullopt;
    }
    return segment;
}

void SegmentShelf::detach(const SharedSegment &segment)
{
    if (x_) {
        xcb_shm_detach(x_, segment.xid);
        xcb_flush(x_);
    }
    shmdt(segment.data);
}

QImage SegmentShelf::pictureOn(const SharedSegment &segment, QSize size, QImage::Format format)
{
    auto *loan = new Loan{weak_from_this(), segment};
    return QImage(segment.data, size.width(), size.height(), qsizetype(size.width()) * 4, format, giveBack, loan);
}

void SegmentShelf::giveBack(void *info)
{
    std::unique_ptr<Loan> loan(static_cast<Loan *>(info));
    if (auto shelf = loan->shelf.lock()) {
        std::lock_guard lock(shelf->mutex_);
        auto it = std::find_if(shelf->lent_.begin(), shelf->lent_.end(),
                               [&](const SharedSegment &s) { return s.data == loan->segment.data; });
        if (it != shelf->lent_.end()) {
            shelf->lent_.erase(it);
            shelf->spare_.push_back(loan->segment);
            return;
        }
    }
    // The shelf is closed or gone: the server has let go of the segment already.
    shmdt(loan->segment.data);
}

void SegmentShelf::close()
{
    std::lock_guard lock(mutex_);
    if (!x_)
        return;
    for (const SharedSegment &s : spare_)
        detach(s);
    for (const SharedSegment &s : lent_)
        xcb_shm_detach(x_, s.xid);
    xcb_flush(x_);
    spare_.clear();
    lent_.clear();
    x_ = nullptr;
}

}  // namespace tiv::x11
