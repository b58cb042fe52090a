#include "platform/wayland/WaylandScreenGrabber.h"

#include "platform/wayland/PointerHider.h"
#include "platform/wayland/Screencopy.h"
#include "platform/wayland/ToolkitSurfaces.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace tiv::wayland {

namespace {

// The compositor's own layout where it tells it; else the toolkit's screens, whose scales are
// whole numbers, all at the highest scale among them as the portal lays them out.
DesktopLayout screenLayout()
{
    if (auto layout = compositorLayout())
        return *layout;
    QList<ScreenOutput> outputs;
    qreal ratio = 1.0;
    for (const QScreen *screen : QGuiApplication::screens())
        ratio = std::max(ratio, screen->devicePixelRatio());
    for (const QScreen *screen : QGuiApplication::screens())
        outputs += ScreenOutput{screen->geometry(), screen->geometry().size() * screen->devicePixelRatio()};
    return DesktopLayout(std::move(outputs));
}

// What the toolkit knows of the screens; the compositor's layout is asked for again once it differs.
QString toolkitScreens()
{
    QString screens;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect r = screen->geometry();
        screens += QStringLiteral("%1 %2,%3 %4x%5 %6 %7;").arg(screen->name()).arg(r.x()).arg(r.y()).arg(r.width())
                       .arg(r.height()).arg(screen->devicePixelRatio()).arg(int(screen->orientation()));
    }
    return screens;
}

}  // namespace

DesktopLayout WaylandScreenGrabber::layout()
{
    // The layout takes round trips with the compositor, which right after our window left is
    // busy redrawing the desktop: KWin in software rendering answered only after 4 s; on sway a
    // connection of its own before each copy. Every change of a screen's place, size, scale or
    // turn reaches the toolkit's screens too, and each screencopy brings the layout it copied.
    const QString screens = toolkitScreens();
    if (!layout_ || screens != layoutScreens_) {
        layout_ = screenLayout();
        layoutScreens_ = screens;
    }
    return *layout_;
}

WaylandScreenGrabber::WaylandScreenGrabber(QDBusConnection bus, SwayWindowFinder windows)
    : bus_(bus), windows_(std::move(windows)), hiddenWait_(windows_), portal_(bus), permission_(bus), kwin_(bus),
      blanksWindows_(GnomeScreenshotPermission::Applies())
{
}

void WaylandScreenGrabber::blankBeforeHiding(QWindow *window)
{
    if (blanksWindows_ && blankToolkitWindow(window))
        hiddenWait_.noteBlanked(window);
}

QRect WaylandScreenGrabber::desktopRect()
{
    return layout().pictureRect();
}

bool WaylandScreenGrabber::placesWindows() const
{
    // An X client of a Wayland desktop still places its windows where it likes.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

std::optional<ForegroundWindow> WaylandScreenGrabber::foregroundWindow()
{
    if (!hiddenWait_.settle())
        hiddenWait_.waitOut();
    // sway places windows in logical units; the picture has the screens' pixels.
    auto window = windows_.focusedWindow(&failure_);
    if (window) {
        const DesktopLayout screens = layout();
        window = ForegroundWindow{screens.toPicture(window->frame), screens.toPicture(window->client)};
    }
    return window;
}

QImage WaylandScreenGrabber::desktopPicture(QPoint *origin)
{
    // TIVREVUDU_GRAB=portal passes over a compositor whose screencopy misbehaves.
    if (qEnvironmentVariable("TIVREVUDU_GRAB") != QLatin1String("portal")) {
        // Once sway let go of a window just hidden, the next frame it draws is without it, unless
        // other windows take its place: then the first frame drawn for a change is, and a
        // screen where nothing changes is copied as it is.
        hiddenWait_.settle();
        std::optional<PointerHider> pointerAway;
        if (!pointerShown_)
            pointerAway.emplace();
        DesktopLayout layout;
        QImage picture = screencopyDesktop(&layout, hiddenWait_.othersRedrawing() ? hiddenWait_.remainingMs() : 0, pointerShown_);
        if (!picture.isNull()) {
            failure_ = GrabFailure::None;
            layout_ = layout;
            layoutScreens_ = toolkitScreens();
            *origin = layout.pictureRect().topLeft();
            return picture;
        }
    }
    // The portal and KWin copy the frame shown next, whatever it shows. Windows blanked before
    // they were hidden show nothing however long the desktop keeps them; once it has read their
    // blanking, nothing of them is left to wait for (menus and tips GNOME takes off at once).
    if (hiddenWait_.remainingMs() > 0
        && !(blanksWindows_ && hiddenWait_.onlyBlankedHidden() && toolkitRoundTrip(HiddenWindowWait::CeilingMs)))
        hiddenWait_.waitOut();
    *origin = desktopRect().topLeft();
    if (KWinScreenShot::Applies()) {
        // KDE's portal asks KWin the same and then writes and reads back a file; where KWin
        // will not answer this program (no desktop entry of its own), the portal still does.
        QImage picture = kwin_.workspace(pointerShown_);
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
    QPoint origin;
    QImage desktop = desktopPicture(&origin);
    if (desktop.isNull())
        return {};
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
