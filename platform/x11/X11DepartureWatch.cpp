#include "platform/x11/X11DepartureWatch.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <poll.h>

#include <algorithm>
#include <cstring>

namespace tiv::x11 {

namespace {

// Rows of a window read before it is hidden and again once it seems drawn over: enough that a
// frame still showing the window cannot pass unseen, few enough to cost well under a millisecond.
constexpr int kSampledRows = 16;
// How many pixels of a window's box may stay undrawn when it goes: the corners of a rounded frame.
constexpr qint64 kUncoveredCorners = 256;
// The longest wait for a hidden window that is still seen on the screen.
constexpr std::chrono::milliseconds kLongestWait(2000);

std::vector<int> sampledRows(const QRect &rect)
{
    std::vector<int> ys;
    const int count = std::min(kSampledRows, rect.height());
    for (int i = 0; i < count; ++i)
        ys.push_back(rect.top() + int((qint64(rect.height()) * (2 * i + 1)) / (2 * count)));
    return ys;
}

// The toolkit writes on a connection of its own: one round trip there and the server has done
// whatever it was asked before, the hiding included.
void finishToolkitRequests()
{
    auto *app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (xcb_connection_t *c = app ? app->connection() : nullptr)
        free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

}  // namespace

std::unique_ptr<X11DepartureWatch> X11DepartureWatch::create(XcbConnection &connection)
{
    xcb_connection_t *c = connection.get();
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!extension || !extension->present)
        return nullptr;
    Reply<xcb_damage_query_version_reply_t> version(xcb_damage_query_version_reply(
        c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), nullptr));
    if (!version)
        return nullptr;
    return std::unique_ptr<X11DepartureWatch>(new X11DepartureWatch(connection, extension->first_event));
}

X11DepartureWatch::X11DepartureWatch(XcbConnection &connection, uint8_t damageEventBase)
    : x_(connection), damageEventBase_(damageEventBase), clientList_(connection.atom("_NET_CLIENT_LIST"))
{
}

X11DepartureWatch::~X11DepartureWatch()
{
    stopWatching();
}

std::vector<xcb_window_t> X11DepartureWatch::topLevelsOf(const std::vector<xcb_window_t> &windows)
{
    // All windows climb one level a round trip; a window manager's frame is a few levels deep.
    std::vector<xcb_window_t> current = windows, tops(windows.size(), XCB_WINDOW_NONE);
    std::vector<bool> settled(windows.size(), false);
    for (int depth = 0; depth < 16; ++depth) {
        std::vector<xcb_query_tree_cookie_t> cookies(windows.size());
        for (size_t i = 0; i < windows.size(); ++i)
            if (!settled[i])
                cookies[i] = xcb_query_tree(x_.get(), current[i]);
        bool open = false;
        for (size_t i = 0; i < windows.size(); ++i) {
            if (settled[i])
                continue;
            Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(x_.get(), cookies[i], nullptr));
            if (!tree || tree->parent == XCB_WINDOW_NONE) {
                settled[i] = true;
            } else if (tree->parent == x_.root()) {
                tops[i] = current[i];
                settled[i] = true;
            } else {
                current[i] = tree->parent;
                open = true;
            }
        }
        if (!open)
            break;
    }
    return tops;
}

void X11DepartureWatch::noteShownWindows()
{
    stopWatching();
    // Every window the server still shows counts, also one the toolkit was told to hide a moment
    // ago: the server may not have taken it off yet.
    std::vector<xcb_window_t> clients;
    for (QWindow *window : QGuiApplication::topLevelWindows())
        if (window->handle())
            clients.push_back(xcb_window_t(window->winId()));
    if (clients.empty())
        return;
    // The other programs' windows a manager has framed: what lies inside a frame is theirs to draw.
    const size_t ours = clients.size();
    for (uint32_t other : x_.cardinalProperty(x_.root(), clientList_, 4096))
        if (std::find(clients.begin(), clients.begin() + qsizetype(ours), other) == clients.begin() + qsizetype(ours))
            clients.push_back(other);
    noteStacking(clients, topLevelsOf(clients), ours);
    if (shown_.empty())
        return;
    compositing_ = compositorRuns();
    startWatching();
    // Read last: the replies also mean that the server watches from now on. Only a compositor's
    // late frame is told by them; without one, a bare round trip does that.
    if (compositing_) {
        for (Shown &window : shown_)
            window.rows = readRows(window.rect, sampledRows(window.rect));
    } else {
        free(xcb_get_input_focus_reply(x_.get(), xcb_get_input_focus(x_.get()), nullptr));
    }
}

void X11DepartureWatch::noteStacking(const std::vector<xcb_window_t> &clients, const std::vector<xcb_window_t> &tops,
                                     size_t ours)
{
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(x_.get(), xcb_query_tree(x_.get(), x_.root()), nullptr));
    if (!tree)
        return;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    // Bottom to top: what lies above one of our windows hides part of it, what lies below is
    // drawn again when it goes.
    std::vector<std::pair<xcb_get_window_attributes_cookie_t, xcb_get_geometry_cookie_t>> cookies;
    for (int i = 0; i < count; ++i)
        cookies.emplace_back(xcb_get_window_attributes(x_.get(), children[i]), xcb_get_geometry(x_.get(), children[i]));
    // Where the other programs' framed windows lie, asked for in the same round trip.
    std::vector<std::pair<xcb_get_window_attributes_cookie_t, xcb_get_geometry_cookie_t>> clientCookies;
    std::vector<xcb_translate_coordinates_cookie_t> placeCookies;
    for (size_t i = ours; i < clients.size(); ++i) {
        clientCookies.emplace_back(xcb_get_window_attributes(x_.get(), clients[i]), xcb_get_geometry(x_.get(), clients[i]));
        placeCookies.push_back(xcb_translate_coordinates(x_.get(), clients[i], x_.root(), 0, 0));
    }
    const QRect screen(0, 0, x_.screen()->width_in_pixels, x_.screen()->height_in_pixels);
    for (int i = 0; i < count; ++i) {
        const auto &[attributesCookie, geometryCookie] = cookies[size_t(i)];
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(x_.get(), attributesCookie, nullptr));
        Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(x_.get(), geometryCookie, nullptr));
        if (!attributes || !geometry || attributes->map_state != XCB_MAP_STATE_VIEWABLE ||
            attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY)
            continue;
        const int border = geometry->border_width;
        const QRect rect(geometry->x, geometry->y, geometry->width + 2 * border, geometry->height + 2 * border);
        above_.push_back({children[i], i, rect, rect});
        const auto own = std::find(tops.begin(), tops.begin() + qsizetype(ours), children[i]);
        if (own != tops.begin() + qsizetype(ours) && rect.intersects(screen)) {
            Shown window;
            window.client = clients[size_t(own - tops.begin())];
            window.top = children[i];
            window.stackIndex = i;
            window.rect = rect.intersected(screen);
            shown_.push_back(std::move(window));
        }
    }
    for (size_t i = ours; i < clients.size(); ++i) {
        const auto &[attributesCookie, geometryCookie] = clientCookies[i - ours];
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(x_.get(), attributesCookie, nullptr));
        Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(x_.get(), geometryCookie, nullptr));
        Reply<xcb_translate_coordinates_reply_t> place(
            xcb_translate_coordinates_reply(x_.get(), placeCookies[i - ours], nullptr));
        const auto frame = std::find_if(above_.begin(), above_.end(), [&](const Above &a) { return a.window == tops[i]; });
        if (!attributes || !geometry || !place || frame == above_.end() || tops[i] == clients[i] ||
            attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        const int border = geometry->border_width;
        frame->content = QRect(place->dst_x - border, place->dst_y - border, geometry->width + 2 * border,
                               geometry->height + 2 * border) & frame->rect;
    }
}

std::vector<X11DepartureWatch::Row> X11DepartureWatch::readRows(const QRect &rect, const std::vector<int> &ys)
{
    std::vector<xcb_get_image_cookie_t> cookies;
    for (int y : ys)
        cookies.push_back(xcb_get_image(x_.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, x_.root(), int16_t(rect.x()), int16_t(y),
                                        uint16_t(rect.width()), 1, ~0u));
    std::vector<Row> rows;
    for (size_t i = 0; i < ys.size(); ++i) {
        Reply<xcb_get_image_reply_t> image(xcb_get_image_reply(x_.get(), cookies[i], nullptr));
        // Only 32 bits a pixel is compared; other depths keep no rows, and the drawing decides alone.
        if (!image || image->depth < 24 || xcb_get_image_data_length(image.get()) != rect.width() * 4)
            continue;
        Row row{ys[i], std::vector<uint32_t>(size_t(rect.width()))};
        std::memcpy(row.pixels.data(), xcb_get_image_data(image.get()), row.pixels.size() * 4);
        for (uint32_t &pixel : row.pixels)
            pixel &= 0x00ffffffu;
        rows.push_back(std::move(row));
    }
    return rows;
}

void X11DepartureWatch::startWatching()
{
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x_.get(), x_.root(), XCB_CW_EVENT_MASK, &mask);
    damage_ = xcb_generate_id(x_.get());
    xcb_damage_create(x_.get(), damage_, x_.root(), XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
}

void X11DepartureWatch::stopWatching()
{
    if (damage_ != XCB_NONE) {
        xcb_damage_destroy(x_.get(), damage_);
        const uint32_t none = XCB_EVENT_MASK_NO_EVENT;
        xcb_change_window_attributes(x_.get(), x_.root(), XCB_CW_EVENT_MASK, &none);
        damage_ = XCB_NONE;
        // After this round trip every event the watch caused is queued, and is dropped.
        free(xcb_get_input_focus_reply(x_.get(), xcb_get_input_focus(x_.get()), nullptr));
        while (xcb_generic_event_t *event = xcb_poll_for_event(x_.get()))
            free(event);
    }
    shown_.clear();
    above_.clear();
}

void X11DepartureWatch::markHidden()
{
    std::vector<xcb_get_window_attributes_cookie_t> cookies;
    for (const Shown &window : shown_)
        cookies.push_back(xcb_get_window_attributes(x_.get(), window.client));
    for (size_t i = 0; i < shown_.size(); ++i) {
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(x_.get(), cookies[i], nullptr));
        shown_[i].hidden = !attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE;
    }
    for (Shown &window : shown_) {
        window.undrawn = window.hidden ? visibleArea(window) : QRegion();
        // Nothing of it showed: there is nothing to wait for beyond its unmap.
        if (window.hidden && barelyAny(window.undrawn))
            window.drawnOver = 2;
    }
}

bool X11DepartureWatch::compositorRuns()
{
    int number = 0;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(x_.get())); it.rem && it.data->root != x_.root();
         xcb_screen_next(&it))
        ++number;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(number);
    Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        x_.get(), xcb_get_selection_owner(x_.get(), x_.atom(name.constData())), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

QRegion X11DepartureWatch::visibleArea(const Shown &window) const
{
    QRegion area(window.rect);
    for (const Above &other : above_) {
        if (other.stackIndex <= window.stackIndex)
            continue;
        // Another of our windows hidden too shows nothing there any more.
        const bool leaving = std::any_of(shown_.begin(), shown_.end(),
                                         [&](const Shown &s) { return s.hidden && s.top == other.window; });
        if (!leaving)
            area -= other.rect;
    }
    return area;
}

void X11DepartureWatch::handle(const xcb_generic_event_t *event)
{
    const int type = event->response_type & 0x7f;
    if (type == damageEventBase_ + XCB_DAMAGE_NOTIFY) {
        const auto *damage = reinterpret_cast<const xcb_damage_notify_event_t *>(event);
        const QRect drawn(damage->area.x, damage->area.y, damage->area.width, damage->area.height);
        for (Shown &window : shown_) {
            if (!window.hidden || !window.unmapped || !drawn.intersects(window.rect))
                continue;
            window.undrawn -= drawn;
            if (window.unmapSync != 0 && event->full_sequence - window.unmapSync < 0x80000000u)
                window.awaitingPrograms -= drawn;
            window.drawnSinceCheck = true;
            lastDrawn_ = std::chrono::steady_clock::now();
            if (barelyAny(window.undrawn)) {
                ++window.drawnOver;
                window.undrawn = visibleArea(window);
            }
        }
        return;
    }
    // The toolkit's own notice of the hiding, sent to the root, is not the server's.
    if (event->response_type & 0x80)
        return;
    xcb_window_t window = XCB_WINDOW_NONE;
    if (type == XCB_UNMAP_NOTIFY)
        window = reinterpret_cast<const xcb_unmap_notify_event_t *>(event)->window;
    else if (type == XCB_DESTROY_NOTIFY)
        window = reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window;
    for (Shown &shown : shown_) {
        if (window == XCB_WINDOW_NONE || shown.top != window || shown.unmapped)
            continue;
        shown.unmapped = true;
        // The server has filled in what lay below before it reported the unmap; drawing it reports
        // after this round trip is the programs' own.
        shown.unmapSync = xcb_get_input_focus(x_.get()).sequence;
        xcb_discard_reply(x_.get(), shown.unmapSync);
        xcb_flush(x_.get());
        shown.awaitingPrograms = shown.hidden ? overOtherWindows(shown) : QRegion();
    }
}

QRegion X11DepartureWatch::overOtherWindows(const Shown &window) const
{
    QRegion below;
    for (const Above &other : above_) {
        const bool leaving = std::any_of(shown_.begin(), shown_.end(),
                                         [&](const Shown &s) { return s.hidden && s.top == other.window; });
        if (other.stackIndex < window.stackIndex && !leaving)
            below += other.content;
    }
    return visibleArea(window) & below;
}

bool X11DepartureWatch::drawnByProgramsBelow() const
{
    return !compositing_ && std::all_of(shown_.begin(), shown_.end(), [](const Shown &w) {
        return !w.hidden || (w.unmapSync != 0 && barelyAny(w.awaitingPrograms));
    });
}

bool X11DepartureWatch::barelyAny(const QRegion &area)
{
    // A frame with rounded corners leaves a few pixels of its box that it never covered, and that
    // nothing draws over when it goes.
    qint64 pixels = 0;
    for (const QRect &rect : area)
        pixels += qint64(rect.width()) * rect.height();
    return pixels <= kUncoveredCorners;
}

bool X11DepartureWatch::checkDrawnOver()
{
    bool allGone = true;
    for (Shown &window : shown_) {
        if (!window.hidden || window.gone)
            continue;
        if (window.unmapped && window.drawnOver > 0) {
            if (!compositing_ || window.drawnOver >= 2) {
                window.gone = true;
            } else if (window.drawnSinceCheck) {
                window.drawnSinceCheck = false;
                window.gone = everyRowChanged(window);
            }
        }
        allGone = allGone && window.gone;
    }
    return allGone;
}

bool X11DepartureWatch::allDrawnOverOnce() const
{
    return std::all_of(shown_.begin(), shown_.end(),
                       [](const Shown &w) { return !w.hidden || (w.unmapped && w.drawnOver > 0); });
}

bool X11DepartureWatch::everyRowChanged(const Shown &window)
{
    std::vector<int> ys;
    for (const Row &row : window.rows)
        ys.push_back(row.y);
    const std::vector<Row> now = readRows(window.rect, ys);
    if (now.size() != window.rows.size())
        return true;
    const QRegion visible = visibleArea(window);
    for (size_t i = 0; i < now.size(); ++i) {
        // A sampled row that still holds exactly what the window showed there is the window.
        bool compared = false, changed = false;
        for (const QRect &span : visible & QRect(window.rect.x(), now[i].y, window.rect.width(), 1)) {
            const size_t from = size_t(span.left() - window.rect.x()), count = size_t(span.width());
            compared = true;
            changed = changed || std::memcmp(&now[i].pixels[from], &window.rows[i].pixels[from], count * 4) != 0;
        }
        if (compared && !changed)
            return false;
    }
    return true;
}

bool X11DepartureWatch::waitUntilGone(std::chrono::milliseconds ceiling)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    if (shown_.empty())
        return true;
    finishToolkitRequests();
    markHidden();
    lastDrawn_ = {};
    // How long nothing may be drawn where a window was before what lies below counts as drawn: a
    // quarter of the ceiling, enough for a program below to answer its exposure.
    const auto rests = ceiling / 4;
    const int fd = xcb_get_file_descriptor(x_.get());
    bool gone = false;
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(x_.get())) {
            handle(event);
            free(event);
        }
        gone = checkDrawnOver();
        // Once drawn over, the drawing goes on until it rests: the server fills a window below
        // with its background at once, and its program draws what it shows a little later.
        if ((gone && (drawnByProgramsBelow() || Clock::now() >= lastDrawn_ + rests)) ||
            xcb_connection_has_error(x_.get()))
            break;
        // The check's own round trips may have brought events along.
        if (xcb_generic_event_t *event = xcb_poll_for_queued_event(x_.get())) {
            handle(event);
            free(event);
            continue;
        }
        // Past the ceiling only while a hidden window is known to be on the screen still, all of
        // it or a part: a busy compositor or program below may take that long to draw over it.
        const auto end = gone ? std::min(start + ceiling, lastDrawn_ + rests)
                              : start + (allDrawnOverOnce() ? ceiling : std::max(ceiling, kLongestWait));
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd readable{fd, POLLIN, 0};
        poll(&readable, 1, int(left));
    }
    stopWatching();
    return gone;
}

}  // namespace tiv::x11
