#pragma once

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <QImage>

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace tiv::x11 {

// A System V shared-memory segment that the X server has attached too.
struct SharedSegment {
    xcb_shm_seg_t xid = 0;
    unsigned char *data = nullptr;
    size_t size = 0;
};

// The segments grabbed pictures live in. A picture is handed out on its segment itself, so the
// server's write is the only copy of its pixels; when the last copy of the picture goes (on any
// thread) the segment comes back here, still attached, and the next grab reuses it without new
// pages to fault in. Only the owning thread talks to the server: `take` and `close`.
class SegmentShelf : public std::enable_shared_from_this<SegmentShelf> {
public:
    explicit SegmentShelf(xcb_connection_t *connection) : x_(connection) {}
    ~SegmentShelf();
    SegmentShelf(const SegmentShelf &) = delete;
    SegmentShelf &operator=(const SegmentShelf &) = delete;

    // An attached segment of at least `bytes`; none when the server or the system refuses one.
    std::optional<SharedSegment> take(size_t bytes);
    // The picture on a segment from `take`; the picture owns the segment from now on.
    QImage pictureOn(const SharedSegment &segment, QSize size, QImage::Format format);
    // The connection is going: detaches everything from the server. Segments still in pictures
    // stay mapped until their pictures go.
    void close();

private:
    struct Loan;
    static void giveBack(void *loan);
    std::optional<SharedSegment> attachNew(size_t bytes);
    void detach(const SharedSegment &segment);

    std::mutex mutex_;
    xcb_connection_t *x_;  // null once closed
    std::vector<SharedSegment> spare_;
    std::vector<SharedSegment> lent_;
};

}  // namespace tiv::x11
