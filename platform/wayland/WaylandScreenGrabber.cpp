#include "platform/wayland/WaylandScreenGrabber.h"

#include "platform/wayland/PortalRequest.h"
#include "platform/wayland/Screencopy.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace tiv::wayland {

namespace {

// The screens in logical units, and the highest scale among them.
struct Layout {
    QList<QRect> screens;
    QRect bounds;
    qreal ratio = 1.0;
};

Layout screenLayout()
{
    Layout layout;
    for (const QScreen *screen : QGuiApplication::screens()) {
        layout.screens += screen->geometry();
        layout.bounds |= screen->geometry();
        layout.ratio = std::max(layout.ratio, screen->devicePixelRatio());
    }
    return layout;
}

QRect scaled(const QRect &logical, qreal ratio)
{
    return QRect(QPoint(qRound(logical.x() * ratio), qRound(logical.y() * ratio)), logical.size() * ratio);
}

}  // namespace

WaylandScreenGrabber::WaylandScreenGrabber(QDBusConnection bus, SwayWindowFinder windows)
    : bus_(bus), windows_(std::move(windows)), portal_(bus), permission_(bus), kwin_(bus)
{
}

QRect WaylandScreenGrabber::desktopRect()
{
    // The portal's picture lays the screens out as the compositor does, in logical units, all at
    // the highest scale among them: a screen of a lower scale comes enlarged.
    const Layout layout = screenLayout();
    return scaled(layout.bounds, layout.ratio);
}

bool WaylandScreenGrabber::placesWindows() const
{
    // An X client of a Wayland desktop still places its windows where it likes.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

std::optional<ForegroundWindow> WaylandScreenGrabber::foregroundWindow()
{
    return windows_.focusedWindow(&failure_);
}

QImage WaylandScreenGrabber::desktopPicture()
{
    // TIVREVUDU_GRAB=portal passes over a compositor whose screencopy misbehaves.
    if (qEnvironmentVariable("TIVREVUDU_GRAB") != QLatin1String("portal")) {
        const Layout layout = screenLayout();
        QRegion screens;
        for (const QRect &screen : layout.screens)
            screens += scaled(screen, layout.ratio);
        QImage picture = screencopyDesktop(scaled(layout.bounds, layout.ratio), layout.ratio, screens);
        if (!picture.isNull()) {
            failure_ = GrabFailure::None;
            return picture;
        }
    }
    return portalScreenshot(false);
}

QImage WaylandScreenGrabber::grab(const QRect &screenRect)
{
    if (screenRect.isEmpty()) {
        failure_ = GrabFailure::Failed;
        return {};
    }
    QImage desktop = desktopPicture();
    if (desktop.isNull())
        return {};
    const QPoint origin = desktopRect().topLeft();
    if (screenRect == QRect(origin, desktop.size()))
        return desktop;
    QImage out(screenRect.size(), QImage::Format_RGB32);
    if (out.isNull()) {
        failure_ = GrabFailure::Failed;
        return out;
    }
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.drawImage(origin - screenRect.topLeft(), desktop);
    return out;
}

}  // namespace tiv::wayland
