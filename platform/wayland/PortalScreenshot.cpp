#include "platform/wayland/PortalScreenshot.h"

#include "codecs/PngCodec.h"
#include "platform/wayland/PortalRequest.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>

namespace tiv::wayland {

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");

}  // namespace

PortalScreenshot::PortalScreenshot(QDBusConnection bus) : bus_(std::move(bus)) {}

QImage PortalScreenshot::TakePicture(const QVariantMap &results)
{
    const QUrl uri(results.value(QStringLiteral("uri")).toString());
    if (!uri.isLocalFile())
        return {};
    const QString path = uri.toLocalFile();
    QFile file(path);
    QImage picture;
    if (file.open(QIODevice::ReadOnly)) {
        picture = DecodePng(file);
        // Some other format, or a kind of PNG the own reader leaves to the toolkit.
        if (picture.isNull() && file.seek(0))
            picture.load(&file, nullptr);
        file.close();
    }
    QFile::remove(path);
    return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB32);
}

QImage PortalScreenshot::take(bool interactive, GrabFailure *failure, bool takeInput, int timeoutMs)
{
    // KDE's portal writes into the Pictures folder and fails when there is none.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty())
        QDir().mkpath(pictures);
    PortalRequest request(bus_, QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"));
    request.setOnAbandoned([this](const QString &path) { sweepLater(path); });
    const auto outcome = request.call({QString()}, {{QStringLiteral("interactive"), interactive},
                                                    {QStringLiteral("modal"), false}},
                                      timeoutMs, takeInput);
    switch (outcome) {
    case PortalRequest::Outcome::Answered: break;
    case PortalRequest::Outcome::NoPortal: *failure = GrabFailure::NoService; return {};
    case PortalRequest::Outcome::Cancelled: *failure = GrabFailure::Refused; return {};
    case PortalRequest::Outcome::Failed:
    case PortalRequest::Outcome::TimedOut: *failure = GrabFailure::Failed; return {};
    case PortalRequest::Outcome::Abandoned:
        *failure = GrabFailure::Abandoned;
        return {};
    }
    QImage picture = TakePicture(request.results());
    *failure = picture.isNull() ? GrabFailure::Failed : GrabFailure::None;
    return picture;
}

void PortalScreenshot::sweepLater(const QString &requestPath)
{
    bus_.connect(PortalService, requestPath, RequestInterface, QStringLiteral("Response"), this,
                 SLOT(onLateResponse(uint, QVariantMap, QDBusMessage)));
}

void PortalScreenshot::onLateResponse(uint, const QVariantMap &results, const QDBusMessage &message)
{
    bus_.disconnect(PortalService, message.path(), RequestInterface, QStringLiteral("Response"), this,
                    SLOT(onLateResponse(uint, QVariantMap, QDBusMessage)));
    const QUrl uri(results.value(QStringLiteral("uri")).toString());
    if (uri.isLocalFile())
        QFile::remove(uri.toLocalFile());
}

}  // namespace tiv::wayland
