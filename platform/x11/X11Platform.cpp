#include "platform/x11/X11Platform.h"

#include "platform/Platform.h"
#include "platform/x11/DesktopServices.h"
#include "platform/x11/X11CursorSource.h"
#include "platform/x11/X11DepartureWatch.h"
#include "platform/x11/X11HotkeyService.h"
#include "platform/x11/X11ScreenGrabber.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace tiv {

namespace {

class X11Backend : public PlatformBackend {
public:
    X11Backend(std::unique_ptr<x11::XcbConnection> grabbing, std::unique_ptr<x11::XcbConnection> keys)
        : connection_(std::move(grabbing)),
          screen_(*connection_),
          cursor_(*connection_),
          hotkeys_(std::move(keys)),
          departures_(x11::X11DepartureWatch::create(*connection_))
    {
    }

    Platform services() override
    {
        return {&screen_, &cursor_, &hotkeys_, &clipboard_, &shell_, &drives_, &startup_, departures_.get()};
    }

private:
    std::unique_ptr<x11::XcbConnection> connection_;
    x11::X11ScreenGrabber screen_;
    x11::X11CursorSource cursor_;
    x11::X11HotkeyService hotkeys_;
    x11::ToolkitClipboard clipboard_;
    x11::XdgShell shell_;
    x11::MountTable drives_;
    x11::XdgAutostart startup_;
    std::unique_ptr<x11::X11DepartureWatch> departures_;
};

// XWayland before 23.1 has no extension of its own to tell it by, but names its outputs after itself.
bool outputsNamedByXWayland()
{
    const auto screens = QGuiApplication::screens();
    return !screens.isEmpty() && std::all_of(screens.begin(), screens.end(), [](const QScreen *screen) {
        return screen->name().startsWith(QLatin1String("XWAYLAND"));
    });
}

}  // namespace

std::unique_ptr<PlatformBackend> x11::createX11Backend(QString *error, bool *xwayland)
{
    *xwayland = false;
    auto grabbing = x11::XcbConnection::open(error);
    if (!grabbing)
        return nullptr;
    if (grabbing->hasExtension("XWAYLAND") || outputsNamedByXWayland()) {
        *xwayland = true;
        return nullptr;
    }
    auto keys = x11::XcbConnection::open(error);
    if (!keys)
        return nullptr;
    return std::make_unique<X11Backend>(std::move(grabbing), std::move(keys));
}

}  // namespace tiv
