#include "platform/wayland/DataControlClipboard.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <thread>
#include <unistd.h>
#include <wayland-client.h>

namespace tiv::wayland {

namespace {

const char *const PngType = "image/png";

DataControlClipboard *self(void *data) { return static_cast<DataControlClipboard *>(data); }

const wl_registry_listener registryListener{
    [](void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version) {
        self(data)->addGlobal(registry, name, interface, version);
    },
    [](void *, wl_registry *, uint32_t) {},
};

const zwlr_data_control_source_v1_listener sourceListener{
    [](void *data, zwlr_data_control_source_v1 *, const char *mimeType, int32_t fd) { self(data)->send(mimeType, fd); },
    [](void *data, zwlr_data_control_source_v1 *source) { self(data)->cancelled(source); },
};

const zwlr_data_control_offer_v1_listener offerListener{[](void *, zwlr_data_control_offer_v1 *, const char *) {}};

const zwlr_data_control_device_v1_listener deviceListener{
    [](void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) { self(data)->offered(offer); },
    [](void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) { self(data)->selectionNamed(offer, false); },
    [](void *data, zwlr_data_control_device_v1 *) { self(data)->deviceFinished(); },
    [](void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) { self(data)->selectionNamed(offer, true); },
};

// Encodes and writes on a thread of its own, so a reader that takes its time holds up nothing.
// A reader that goes away early must not end the program with SIGPIPE.
void writePng(QImage image, int fd)
{
    std::thread([image = std::move(image), fd] {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        for (qsizetype done = 0; done < png.size();) {
            const ssize_t written = ::write(fd, png.constData() + done, size_t(png.size() - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                break;
            done += written;
        }
        ::close(fd);
    }).detach();
}

}  // namespace

std::unique_ptr<DataControlClipboard> DataControlClipboard::connect()
{
    std::unique_ptr<DataControlClipboard> clipboard(new DataControlClipboard);
    clipboard->display_ = wl_display_connect(nullptr);
    if (!clipboard->display_)
        return nullptr;
    clipboard->registry_ = wl_display_get_registry(clipboard->display_);
    wl_registry_add_listener(clipboard->registry_, &registryListener, clipboard.get());
    if (wl_display_roundtrip(clipboard->display_) < 0 || !clipboard->manager_ || !clipboard->seat_)
        return nullptr;
    clipboard->device_ = zwlr_data_control_manager_v1_get_data_device(clipboard->manager_, clipboard->seat_);
    zwlr_data_control_device_v1_add_listener(clipboard->device_, &deviceListener, clipboard.get());
    if (wl_display_roundtrip(clipboard->display_) < 0)
        return nullptr;
    DataControlClipboard *events = clipboard.get();
    clipboard->notifier_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(clipboard->display_), QSocketNotifier::Read);
    QObject::connect(clipboard->notifier_.get(), &QSocketNotifier::activated, [events] { events->readEvents(); });
    return clipboard;
}

DataControlClipboard::~DataControlClipboard()
{
    notifier_.reset();
    if (!display_)
        return;
    dropOffersBut(nullptr, nullptr);
    if (source_)
        zwlr_data_control_source_v1_destroy(source_);
    if (device_)
        zwlr_data_control_device_v1_destroy(device_);
    if (manager_)
        zwlr_data_control_manager_v1_destroy(manager_);
    if (seat_)
        wl_seat_destroy(seat_);
    if (registry_)
        wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
}

void DataControlClipboard::addGlobal(wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0 && !manager_) {
        manager_ = static_cast<zwlr_data_control_manager_v1 *>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, std::min(version, 2u)));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !seat_) {
        seat_ = static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    }
}

void DataControlClipboard::setImage(const QImage &image)
{
    if (!device_) {
        // The seat went away; the toolkit's clipboard still serves while a window of ours has the focus.
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setImage(image);
        return;
    }
    if (source_)
        zwlr_data_control_source_v1_destroy(source_);
    image_ = image;
    source_ = zwlr_data_control_manager_v1_create_data_source(manager_);
    zwlr_data_control_source_v1_add_listener(source_, &sourceListener, this);
    zwlr_data_control_source_v1_offer(source_, PngType);
    zwlr_data_control_device_v1_set_selection(device_, source_);
    wl_display_flush(display_);
}

void DataControlClipboard::send(const char *mimeType, int fd)
{
    if (std::strcmp(mimeType, PngType) == 0 && !image_.isNull())
        writePng(image_, fd);
    else
        ::close(fd);
}

void DataControlClipboard::cancelled(zwlr_data_control_source_v1 *source)
{
    zwlr_data_control_source_v1_destroy(source);
    if (source == source_) {
        source_ = nullptr;
        image_ = QImage();
    }
}

void DataControlClipboard::offered(zwlr_data_control_offer_v1 *offer)
{
    zwlr_data_control_offer_v1_add_listener(offer, &offerListener, this);
    offers_.push_back(offer);
}

void DataControlClipboard::selectionNamed(zwlr_data_control_offer_v1 *offer, bool primary)
{
    (primary ? primary_ : selection_) = offer;
    dropOffersBut(selection_, primary_);
}

void DataControlClipboard::deviceFinished()
{
    zwlr_data_control_device_v1_destroy(device_);
    device_ = nullptr;
}

void DataControlClipboard::dropOffersBut(zwlr_data_control_offer_v1 *keep, zwlr_data_control_offer_v1 *alsoKeep)
{
    // Nothing here reads other programs' content; an offer is kept only while it is named.
    std::erase_if(offers_, [&](zwlr_data_control_offer_v1 *offer) {
        if (offer == keep || offer == alsoKeep)
            return false;
        zwlr_data_control_offer_v1_destroy(offer);
        return true;
    });
    if (std::find(offers_.begin(), offers_.end(), selection_) == offers_.end())
        selection_ = nullptr;
    if (std::find(offers_.begin(), offers_.end(), primary_) == offers_.end())
        primary_ = nullptr;
}

void DataControlClipboard::readEvents()
{
    if (wl_display_prepare_read(display_) == 0)
        wl_display_read_events(display_);
    if (wl_display_dispatch_pending(display_) < 0 || (wl_display_flush(display_) < 0 && errno != EAGAIN)) {
        // The compositor is gone: nothing more to serve.
        notifier_->setEnabled(false);
        if (device_)
            deviceFinished();
    }
}

}  // namespace tiv::wayland
