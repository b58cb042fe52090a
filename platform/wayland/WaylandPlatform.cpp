#include "platform/wayland/WaylandPlatform.h"

#include "platform/wayland/DataControlClipboard.h"
#include "platform/wayland/PortalHotkeyService.h"
#include "platform/wayland/SwayWindowPlaces.h"
#include "platform/wayland/WaylandScreenGrabber.h"
#include "platform/wayland/XdgActivation.h"
#include "platform/x11/DesktopServices.h"

namespace tiv::wayland {

namespace {

// Nothing hands out the pointer's picture on its own: screencopy draws the pointer into the
// desktop's picture, and the portal's pictures go without it.
class NoCursor : public CursorSource {
public:
    std::optional<CursorImage> currentCursor() override { return std::nullopt; }
};

class WaylandBackend : public PlatformBackend {
public:
    WaylandBackend()
        : screen_(QDBusConnection::sessionBus(), SwayWindowFinder(qEnvironmentVariable("SWAYSOCK"))),
          hotkeys_(QDBusConnection::sessionBus())
    {
        if (const QString sway = qEnvironmentVariable("SWAYSOCK"); !sway.isEmpty())
            places_ = std::make_unique<SwayWindowPlaces>(sway);
        // The toolkit's clipboard takes a picture only while a window of ours has the focus;
        // GNOME offers nothing else, so there a capture from a bound key leaves the clipboard be.
        if (auto dataControl = DataControlClipboard::connect())
            clipboard_ = std::move(dataControl);
        else
            clipboard_ = std::make_unique<x11::ToolkitClipboard>();
    }

    Platform services() override
    {
        return {&screen_, &cursor_, &hotkeys_, clipboard_.get(), &shell_, &drives_, &startup_, nullptr, places_.get(), &activation_};
    }

private:
    WaylandScreenGrabber screen_;
    NoCursor cursor_;
    PortalHotkeyService hotkeys_;
    std::unique_ptr<ClipboardService> clipboard_;
    x11::XdgShell shell_;
    x11::MountTable drives_;
    x11::XdgAutostart startup_;
    std::unique_ptr<SwayWindowPlaces> places_;
    XdgActivation activation_;
};

}  // namespace

std::unique_ptr<PlatformBackend> createWaylandBackend(QString *)
{
    return std::make_unique<WaylandBackend>();
}

}  // namespace tiv::wayland
