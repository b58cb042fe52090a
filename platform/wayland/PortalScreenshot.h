#pragma once

#include "platform/ScreenGrabber.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QImage>
#include <QObject>
#include <QVariantMap>

namespace tiv::wayland {

// The desktop portal's Screenshot call. The portal writes its picture to a file of its own
// choosing (GNOME and KDE: the user's Pictures folder). That file is the program's by-product,
// never the user's picture: it goes as soon as its pixels are read, also when the answer comes
// after the program stopped waiting for it.
class PortalScreenshot : public QObject {
    Q_OBJECT
public:
    explicit PortalScreenshot(QDBusConnection bus);

    // The desktop's picture, or a null image with the reason in `failure`. Interactive lets the
    // user choose what is taken in the desktop's own dialog. `takeInput` lets the program's
    // window take keys and clicks meanwhile (Esc there gives the wait up). A timeout of 0 waits
    // as long as the portal works on it.
    QImage take(bool interactive, GrabFailure *failure, bool takeInput = false, int timeoutMs = 0);

    // Reads the picture an answer names and removes its file.
    static QImage TakePicture(const QVariantMap &results);

private slots:
    void onLateResponse(uint response, const QVariantMap &results, const QDBusMessage &message);

private:
    void sweepLater(const QString &requestPath);

    QDBusConnection bus_;
};

}  // namespace tiv::wayland
