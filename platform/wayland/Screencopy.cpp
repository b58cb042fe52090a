#include "platform/wayland/Screencopy.h"

#include "platform/wayland/SharedPixels.h"
#include "platform/wayland/WaylandConnection.h"

#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <QDeadlineTimer>
#include <QPainter>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <memory>
#include <vector>
#include <wayland-client.h>

namespace tiv::wayland {

namespace {

// The whole grab, connection included, may take this long before the portal is asked instead.
constexpr int AnswerTimeoutMs = 2000;

struct Frame {
    zwlr_screencopy_frame_v1 *proxy = nullptr;
    wl_buffer *buffer = nullptr;
    uint32_t format = 0, width = 0, height = 0, stride = 0, flags = 0;
    bool shm = false, ready = false, failed = false;
    size_t offset = 0;
};

struct Output {
    wl_output *proxy = nullptr;
    zxdg_output_v1 *xdg = nullptr;
    int32_t transform = WL_OUTPUT_TRANSFORM_NORMAL;
    QSize mode;  // as the screen's pixels are sent out, before turning
    QRect logical;
    Frame frame;

    // The screen's pixels as it shows them: a screen turned by a quarter has them the other way.
    ScreenOutput described() const { return {logical, transform % 2 ? mode.transposed() : mode}; }
};

// One copy of the screens over a connection of its own, which X clients of the desktop have too.
struct Session {
    WaylandConnection connection;
    wl_shm *shm = nullptr;
    zxdg_output_manager_v1 *xdgManager = nullptr;
    zwlr_screencopy_manager_v1 *manager = nullptr;
    std::vector<std::unique_ptr<Output>> outputs;
    wl_shm_pool *pool = nullptr;
    size_t size = 0;
    SharedPixels memory;
    QDeadlineTimer deadline{AnswerTimeoutMs};
    bool withPointer = true;

    ~Session()
    {
        for (auto &output : outputs) {
            if (output->frame.buffer)
                wl_buffer_destroy(output->frame.buffer);
            if (output->frame.proxy)
                zwlr_screencopy_frame_v1_destroy(output->frame.proxy);
            if (output->xdg)
                zxdg_output_v1_destroy(output->xdg);
            wl_output_destroy(output->proxy);
        }
        if (pool)
            wl_shm_pool_destroy(pool);
        if (manager)
            zwlr_screencopy_manager_v1_destroy(manager);
        if (xdgManager)
            zxdg_output_manager_v1_destroy(xdgManager);
        if (shm)
            wl_shm_destroy(shm);
    }

    // Dispatches until `done` holds; false on a broken connection or past the deadline.
    bool dispatchUntil(const std::function<bool()> &done) { return connection.dispatchUntil(done, deadline); }
    bool dispatchUntil(const std::function<bool()> &done, const QDeadlineTimer &until) { return connection.dispatchUntil(done, until); }
    bool roundtrip() { return connection.roundtrip(deadline); }
};

const wl_output_listener outputListener{
    [](void *data, wl_output *, int32_t, int32_t, int32_t, int32_t, int32_t, const char *, const char *,
       int32_t transform) { static_cast<Output *>(data)->transform = transform; },
    [](void *data, wl_output *, uint32_t flags, int32_t width, int32_t height, int32_t) {
        if (flags & WL_OUTPUT_MODE_CURRENT)
            static_cast<Output *>(data)->mode = QSize(width, height);
    },
    [](void *, wl_output *) {},
    [](void *, wl_output *, int32_t) {},
    [](void *, wl_output *, const char *) {},
    [](void *, wl_output *, const char *) {},
};

const zxdg_output_v1_listener xdgOutputListener{
    [](void *data, zxdg_output_v1 *, int32_t x, int32_t y) { static_cast<Output *>(data)->logical.moveTo(x, y); },
    [](void *data, zxdg_output_v1 *, int32_t width, int32_t height) {
        static_cast<Output *>(data)->logical.setSize(QSize(width, height));
    },
    [](void *, zxdg_output_v1 *) {},
    [](void *, zxdg_output_v1 *, const char *) {},
    [](void *, zxdg_output_v1 *, const char *) {},
};

const zwlr_screencopy_frame_v1_listener frameListener{
    [](void *data, zwlr_screencopy_frame_v1 *, uint32_t format, uint32_t width, uint32_t height, uint32_t stride) {
        auto *frame = static_cast<Frame *>(data);
        frame->format = format;
        frame->width = width;
        frame->height = height;
        frame->stride = stride;
        frame->shm = true;
    },
    [](void *data, zwlr_screencopy_frame_v1 *, uint32_t flags) { static_cast<Frame *>(data)->flags = flags; },
    [](void *data, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t, uint32_t) { static_cast<Frame *>(data)->ready = true; },
    [](void *data, zwlr_screencopy_frame_v1 *) { static_cast<Frame *>(data)->failed = true; },
    [](void *, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t, uint32_t, uint32_t) {},
    [](void *, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t, uint32_t) {},
    [](void *, zwlr_screencopy_frame_v1 *) {},
};

const wl_shm_listener shmListener{[](void *, wl_shm *, uint32_t) {}};

void takeGlobal(Session &session, const WaylandConnection::Global &global)
{
    if (global.is(wl_output_interface)) {
        auto output = std::make_unique<Output>();
        output->proxy = global.bind<wl_output>(wl_output_interface, 2);
        wl_output_add_listener(output->proxy, &outputListener, output.get());
        session.outputs.push_back(std::move(output));
    } else if (global.is(wl_shm_interface)) {
        session.shm = global.bind<wl_shm>(wl_shm_interface, 1);
        wl_shm_add_listener(session.shm, &shmListener, nullptr);
    } else if (global.is(zxdg_output_manager_v1_interface)) {
        session.xdgManager = global.bind<zxdg_output_manager_v1>(zxdg_output_manager_v1_interface, 2);
    } else if (global.is(zwlr_screencopy_manager_v1_interface)) {
        session.manager = global.bind<zwlr_screencopy_manager_v1>(zwlr_screencopy_manager_v1_interface, 3);
    }
}

bool readableFormat(uint32_t format)
{
    return format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888 || format == WL_SHM_FORMAT_XBGR8888
        || format == WL_SHM_FORMAT_ABGR8888;
}

// One row of the frame as Format_RGB32; `to` may be `from` itself. wl_shm formats name the bytes
// of a little-endian 32-bit word. A screen shows no translucency: whatever the compositor left in
// the alpha byte goes.
void convertRow(const quint32 *from, quint32 *to, int width, bool swapRedBlue)
{
    if (swapRedBlue) {
        for (int x = 0; x < width; ++x)
            to[x] = 0xff000000u | (from[x] & 0xff00u) | (from[x] & 0xffu) << 16 | (from[x] >> 16 & 0xffu);
    } else {
        for (int x = 0; x < width; ++x)
            to[x] = 0xff000000u | from[x];
    }
}

bool swapsRedBlue(const Frame &frame)
{
    return frame.format == WL_SHM_FORMAT_XBGR8888 || frame.format == WL_SHM_FORMAT_ABGR8888;
}

// Copies the frame upright into `image` at `at`.
void copyFrame(const Frame &frame, const uchar *pixels, QImage &image, const QPoint &at)
{
    const bool yInvert = frame.flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
    const int width = static_cast<int>(frame.width), height = static_cast<int>(frame.height);
    for (int y = 0; y < height; ++y) {
        const auto *from = reinterpret_cast<const quint32 *>(pixels + frame.offset + size_t(frame.stride) * (yInvert ? height - 1 - y : y));
        convertRow(from, reinterpret_cast<quint32 *>(image.scanLine(at.y() + y)) + at.x(), width, swapsRedBlue(frame));
    }
}

// The frame as the screen shows it. A turned screen's frame comes in the order its pixels are
// sent out; wl_output's transform names the turn, and a flipped one is mirrored after it.
QImage uprightFrame(const Frame &frame, const uchar *pixels, int32_t transform)
{
    QImage upright(static_cast<int>(frame.width), static_cast<int>(frame.height), QImage::Format_RGB32);
    if (upright.isNull())
        return upright;
    copyFrame(frame, pixels, upright, QPoint());
    if (transform % 4 != WL_OUTPUT_TRANSFORM_NORMAL)
        upright = upright.transformed(QTransform().rotate(90.0 * (transform % 4)));
    if (transform >= WL_OUTPUT_TRANSFORM_FLIPPED)
        upright = upright.mirrored(true, false);
    return upright;
}

// Puts the frame into its place of the picture, enlarged where the screen's scale is below the
// picture's.
bool placeFrame(const Frame &frame, const uchar *pixels, int32_t transform, QImage &picture, const QRect &place)
{
    if (!readableFormat(frame.format) || !picture.rect().contains(place))
        return false;
    if (transform == WL_OUTPUT_TRANSFORM_NORMAL
        && place.size() == QSize(static_cast<int>(frame.width), static_cast<int>(frame.height))) {
        copyFrame(frame, pixels, picture, place.topLeft());
        return true;
    }
    const QImage upright = uprightFrame(frame, pixels, transform);
    if (upright.isNull())
        return false;
    QPainter painter(&picture);
    if (upright.size() == place.size()) {
        painter.drawImage(place.topLeft(), upright);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(place, upright);
    }
    return true;
}

void startCapture(Session &session, Output &output)
{
    output.frame.proxy = zwlr_screencopy_manager_v1_capture_output(session.manager, session.withPointer ? 1 : 0, output.proxy);
    zwlr_screencopy_frame_v1_add_listener(output.frame.proxy, &frameListener, &output.frame);
}

bool allAnswered(const Session &session)
{
    return std::all_of(session.outputs.begin(), session.outputs.end(),
                       [](const auto &output) { return output->frame.ready || output->frame.failed; });
}

// Asks each screen's next frame again, into the same buffer; `changed`: only once something
// changed there.
void copyAgain(Session &session, bool changed)
{
    for (auto &output : session.outputs) {
        Frame &frame = output->frame;
        zwlr_screencopy_frame_v1_destroy(frame.proxy);
        frame.ready = frame.failed = false;
        startCapture(session, *output);
        if (changed)
            zwlr_screencopy_frame_v1_copy_with_damage(frame.proxy, frame.buffer);
        else
            zwlr_screencopy_frame_v1_copy(frame.proxy, frame.buffer);
    }
}

// After a window was hidden sway draws the screen anew once the windows around it have redrawn
// at their new sizes, which may take more than one change. The frames are taken until the screens
// stay unchanged for a while, and no longer than `changeWithinMs`; where nothing changed at all
// the screen is copied as it is. False on a broken connection.
bool copySettledFrames(Session &session, int changeWithinMs)
{
    constexpr int QuietMs = 40;
    const QDeadlineTimer ceiling(changeWithinMs);
    if (!session.dispatchUntil([&] { return allAnswered(session); }, ceiling)) {
        if (wl_display_get_error(session.connection.display()) != 0)
            return false;
        copyAgain(session, false);
        return true;
    }
    for (;;) {
        copyAgain(session, true);
        const QDeadlineTimer quiet(std::min<qint64>(QuietMs, ceiling.remainingTime()));
        if (!session.dispatchUntil([&] { return allAnswered(session); }, quiet))
            break;
    }
    if (wl_display_get_error(session.connection.display()) != 0)
        return false;
    // A frame copied in the meantime is whole by the time the compositor answers this.
    for (auto &output : session.outputs) {
        if (!output->frame.ready) {
            zwlr_screencopy_frame_v1_destroy(output->frame.proxy);
            output->frame.proxy = nullptr;
            output->frame.ready = true;
        }
    }
    return session.roundtrip();
}

bool copyFrames(Session &session, int changeWithinMs)
{
    for (auto &output : session.outputs)
        startCapture(session, *output);
    // The compositor tells each frame's buffer at once, before any later request is answered.
    if (!session.roundtrip())
        return false;
    for (auto &output : session.outputs) {
        Frame &frame = output->frame;
        if (!frame.shm || frame.failed || frame.width == 0 || frame.height == 0 || frame.stride < frame.width * 4)
            return false;
        frame.offset = session.size;
        session.size += size_t(frame.stride) * frame.height;
    }
    session.memory = SharedPixels::take(session.size);
    if (!session.memory.valid())
        return false;
    session.pool = wl_shm_create_pool(session.shm, session.memory.fd(), static_cast<int32_t>(session.size));
    if (!session.pool)
        return false;
    const bool waitForChange =
        changeWithinMs > 0 && zwlr_screencopy_manager_v1_get_version(session.manager) >= ZWLR_SCREENCOPY_FRAME_V1_COPY_WITH_DAMAGE_SINCE_VERSION;
    for (auto &output : session.outputs) {
        Frame &frame = output->frame;
        frame.buffer = wl_shm_pool_create_buffer(session.pool, static_cast<int32_t>(frame.offset), static_cast<int32_t>(frame.width),
                                                 static_cast<int32_t>(frame.height), static_cast<int32_t>(frame.stride), frame.format);
        if (waitForChange)
            zwlr_screencopy_frame_v1_copy_with_damage(frame.proxy, frame.buffer);
        else
            zwlr_screencopy_frame_v1_copy(frame.proxy, frame.buffer);
    }
    if (waitForChange && !copySettledFrames(session, changeWithinMs))
        return false;
    return session.dispatchUntil([&] { return allAnswered(session); })
        && std::none_of(session.outputs.begin(), session.outputs.end(), [](const auto &output) { return output->frame.failed; });
}

}  // namespace

namespace {

// Connects and learns the screens; false when the compositor offers no xdg-output to place them.
bool describeOutputs(Session &session)
{
    const auto take = [&session](const WaylandConnection::Global &global) { takeGlobal(session, global); };
    if (!session.connection.takeGlobals(take, session.deadline) || !session.xdgManager || session.outputs.empty())
        return false;
    for (auto &output : session.outputs) {
        output->xdg = zxdg_output_manager_v1_get_xdg_output(session.xdgManager, output->proxy);
        zxdg_output_v1_add_listener(output->xdg, &xdgOutputListener, output.get());
    }
    if (!session.roundtrip())
        return false;
    return std::none_of(session.outputs.begin(), session.outputs.end(),
                        [](const auto &output) { return output->logical.isEmpty() || output->mode.isEmpty(); });
}

// Where one screen fills the picture with its frame as sent, the frame's own memory becomes the
// picture: it is mapped already, where a copy into fresh memory took a page fault a page (2.5 ms
// for one 1024x768 screen on the way to the frozen desktop).
QImage adoptedFrame(Session &session, const QSize &pictureSize)
{
    if (session.outputs.size() != 1)
        return {};
    const Output &output = *session.outputs.front();
    const Frame &frame = output.frame;
    const int width = static_cast<int>(frame.width), height = static_cast<int>(frame.height);
    if (output.transform != WL_OUTPUT_TRANSFORM_NORMAL || frame.flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT
        || !readableFormat(frame.format) || frame.offset != 0 || frame.stride % 4 != 0 || QSize(width, height) != pictureSize)
        return {};
    uchar *pixels = session.memory.pixels();
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<quint32 *>(pixels + size_t(frame.stride) * y);
        convertRow(row, row, width, swapsRedBlue(frame));
    }
    const auto unmap = [](void *memory) { delete static_cast<SharedPixels *>(memory); };
    return QImage(pixels, width, height, static_cast<qsizetype>(frame.stride), QImage::Format_RGB32, unmap,
                  new SharedPixels(std::move(session.memory)));
}

DesktopLayout layoutOf(const Session &session)
{
    QList<ScreenOutput> outputs;
    for (const auto &output : session.outputs)
        outputs += output->described();
    return DesktopLayout(std::move(outputs));
}

}  // namespace

std::optional<DesktopLayout> compositorLayout()
{
    Session session;
    if (!describeOutputs(session))
        return std::nullopt;
    return layoutOf(session);
}

QImage screencopyDesktop(DesktopLayout *layout, int changeWithinMs, bool withPointer)
{
    // A compositor without the protocol (GNOME, KDE) does not gain it while the program runs; the
    // connection and round trips it takes to find that out are spent once.
    static bool offered = true;
    if (!offered)
        return {};
    Session session;
    if (!describeOutputs(session))
        return {};
    offered = session.manager != nullptr;
    session.withPointer = withPointer;
    if (!session.manager || !session.shm || !copyFrames(session, changeWithinMs))
        return {};
    *layout = layoutOf(session);
    const QRect desktop = layout->pictureRect();
    if (QImage picture = adoptedFrame(session, desktop.size()); !picture.isNull()) {
        SharedPixels::prepareLater(session.size);
        return picture;
    }
    QImage picture(desktop.size(), QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    // Only what no screen covers needs a ground (screens of different sizes side by side): a fill
    // of the whole picture costs about as much as the copy.
    QRegion covered;
    for (const auto &output : session.outputs)
        covered += layout->toPicture(output->logical).translated(-desktop.topLeft());
    if (covered != QRegion(picture.rect()))
        picture.fill(Qt::black);
    for (const auto &output : session.outputs) {
        const QRect place = layout->toPicture(output->logical).translated(-desktop.topLeft());
        if (!placeFrame(output->frame, session.memory.pixels(), output->transform, picture, place))
            return {};
    }
    SharedPixels::keep(std::move(session.memory));
    return picture;
}

}  // namespace tiv::wayland
