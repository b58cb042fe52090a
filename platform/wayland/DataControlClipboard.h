#pragma once

#include "platform/ClipboardService.h"

#include <QByteArray>
#include <QImage>
#include <QSocketNotifier>
#include <memory>
#include <vector>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_source_v1;
struct zwlr_data_control_offer_v1;

namespace tiv::wayland {

// Sets the clipboard through the compositor's data-control protocol (wlroots desktops, KWin),
// which, unlike the toolkit's clipboard, works while another program has the focus, as with a
// capture started from a key bound in the desktop's settings. The picture is served as PNG
// from a connection of its own, for as long as it is the clipboard's content.
class DataControlClipboard : public ClipboardService {
public:
    // Null when the compositor offers no data-control (GNOME) or no seat.
    static std::unique_ptr<DataControlClipboard> connect();
    ~DataControlClipboard() override;

    void setImage(const QImage &image) override;

    // Protocol callbacks.
    void addGlobal(wl_registry *registry, uint32_t name, const char *interface, uint32_t version);
    void send(const char *mimeType, int fd);
    void cancelled(zwlr_data_control_source_v1 *source);
    void offered(zwlr_data_control_offer_v1 *offer);
    void selectionNamed(zwlr_data_control_offer_v1 *offer, bool primary);
    void deviceFinished();

private:
    DataControlClipboard() = default;
    void readEvents();
    void dropOffersBut(zwlr_data_control_offer_v1 *keep, zwlr_data_control_offer_v1 *alsoKeep);

    wl_display *display_ = nullptr;
    wl_registry *registry_ = nullptr;
    wl_seat *seat_ = nullptr;
    zwlr_data_control_manager_v1 *manager_ = nullptr;
    zwlr_data_control_device_v1 *device_ = nullptr;
    zwlr_data_control_source_v1 *source_ = nullptr;
    std::vector<zwlr_data_control_offer_v1 *> offers_;
    zwlr_data_control_offer_v1 *selection_ = nullptr, *primary_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    QImage image_;
    QByteArray png_;  // encoded once, at the first paste
};

}  // namespace tiv::wayland
