#include "platform/Platform.h"
#include "platform/wayland/WaylandPlatform.h"
#include "platform/x11/X11Platform.h"

#include <QGuiApplication>

namespace tiv {

std::unique_ptr<PlatformBackend> createNativePlatform(QString *error)
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return wayland::createWaylandBackend(error);
    bool xwayland = false;
    auto x11 = x11::createX11Backend(error, &xwayland);
    // The program runs as an X client of a Wayland desktop: the desktop's services still serve it.
    if (xwayland)
        return wayland::createWaylandBackend(error);
    return x11;
}

void prepareNativeToolkit()
{
    // sway frames every window itself. Asked whether it may draw frames of its own, the toolkit
    // would first load the OpenGL stack (about 0.1 s of the start) at the first window's showing.
    if (!qEnvironmentVariableIsEmpty("SWAYSOCK") && !qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
}

}  // namespace tiv
