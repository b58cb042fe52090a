#include "platform/wayland/WaylandScreenGrabber.h"

#include "platform/wayland/PortalRequest.h"
#include "platform/wayland/Screencopy.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

namespace tiv::wayland {

namespace {

// Portals write the picture where they like. One left in a temporary place is a copy of the
// user's screen that others may read, so it goes once read; elsewhere (a Pictures folder) the
// desktop meant to keep it.
bool inTemporaryPlace(const QString &file)
{
    const QString folder = QFileInfo(file).absolutePath() + QLatin1Char('/');
    for (const QString &temporary : {QDir::tempPath(), QStringLiteral("/tmp"), qEnvironmentVariable("XDG_RUNTIME_DIR"),
                                     QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)}) {
        if (!temporary.isEmpty() && folder.startsWith(QDir(temporary).absolutePath() + QLatin1Char('/')))
            return true;
    }
    return false;
}

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

}  // namespace

WaylandScreenGrabber::WaylandScreenGrabber(QDBusConnection bus, SwayWindowFinder windows)
    : bus_(std::move(bus)), windows_(std::move(windows)), hiddenWait_(windows_)
{
}

QRect WaylandScreenGrabber::desktopRect()
{
    return screenLayout().pictureRect();
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
        const DesktopLayout layout = screenLayout();
        window = ForegroundWindow{layout.toPicture(window->frame), layout.toPicture(window->client)};
    }
    return window;
}

QImage WaylandScreenGrabber::desktopPicture(QPoint *origin)
{
    // TIVREVUDU_GRAB=portal passes over a compositor whose screencopy misbehaves.
    if (qEnvironmentVariable("TIVREVUDU_GRAB") != QLatin1String("portal")) {
        // Once sway let go of a window just hidden, the first frame it draws for a change is
        // without it; a screen where nothing changes is copied as it is.
        hiddenWait_.settle();
        DesktopLayout layout;
        QImage picture = screencopyDesktop(&layout, hiddenWait_.remainingMs());
        if (!picture.isNull()) {
            failure_ = GrabFailure::None;
            *origin = layout.pictureRect().topLeft();
            return picture;
        }
    }
    // The portal copies the frame shown next, whatever it shows.
    hiddenWait_.waitOut();
    *origin = desktopRect().topLeft();
    return portalScreenshot();
}

QImage WaylandScreenGrabber::portalScreenshot()
{
    PortalRequest request(bus_, QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"));
    const auto outcome = request.call({QString()}, {{QStringLiteral("interactive"), false},
                                                    {QStringLiteral("modal"), false}},
                                      AnswerTimeoutMs);
    switch (outcome) {
    case PortalRequest::Outcome::Answered: break;
    case PortalRequest::Outcome::NoPortal: failure_ = GrabFailure::NoService; return {};
    case PortalRequest::Outcome::Cancelled:
    case PortalRequest::Outcome::Failed: failure_ = GrabFailure::Refused; return {};
    case PortalRequest::Outcome::TimedOut: failure_ = GrabFailure::Failed; return {};
    }
    failure_ = GrabFailure::Failed;
    const QUrl uri(request.results().value(QStringLiteral("uri")).toString());
    if (!uri.isLocalFile())
        return {};
    const QString file = uri.toLocalFile();
    QImage picture(file);
    if (inTemporaryPlace(file))
        QFile::remove(file);
    if (picture.isNull())
        return {};
    failure_ = GrabFailure::None;
    return picture.convertToFormat(QImage::Format_RGB32);
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
