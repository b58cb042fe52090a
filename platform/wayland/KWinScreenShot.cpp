#include "platform/wayland/KWinScreenShot.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDeadlineTimer>
#include <QPainter>
#include <QStringList>
#include <QVariantMap>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace tiv::wayland {

namespace {

constexpr int AnswerTimeoutMs = 5000;

// Reads until KWin closes its end: it sends its answer first and writes the pixels after.
bool readAll(int fd, QByteArray &into, qsizetype expected)
{
    into.resize(expected);
    qsizetype have = 0;
    QDeadlineTimer deadline(AnswerTimeoutMs);
    while (have < expected) {
        pollfd ready{fd, POLLIN, 0};
        const int waited = poll(&ready, 1, int(deadline.remainingTime()));
        if (waited < 0 && errno == EINTR)
            continue;
        if (waited <= 0)
            return false;
        const ssize_t got = read(fd, into.data() + have, size_t(expected - have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        have += got;
    }
    return true;
}

}  // namespace

KWinScreenShot::KWinScreenShot(QDBusConnection bus) : bus_(std::move(bus)) {}

bool KWinScreenShot::Applies()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'));
    return desktops.contains(QLatin1String("KDE"), Qt::CaseInsensitive);
}

QImage KWinScreenShot::activeWindow(bool withFrame)
{
    return capture(QStringLiteral("CaptureActiveWindow"), {{QStringLiteral("include-decoration"), withFrame},
                                                          {QStringLiteral("include-cursor"), false},
                                                          {QStringLiteral("native-resolution"), true}});
}

QImage KWinScreenShot::workspace(bool withPointer)
{
    return capture(QStringLiteral("CaptureWorkspace"),
                   {{QStringLiteral("include-cursor"), withPointer}, {QStringLiteral("native-resolution"), true}});
}

QImage KWinScreenShot::capture(const QString &method, const QVariantMap &options)
{
    refused_ = false;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return {};
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin"), QStringLiteral("/org/kde/KWin/ScreenShot2"),
                                                          QStringLiteral("org.kde.KWin.ScreenShot2"), method);
    message.setArguments({options, QVariant::fromValue(QDBusUnixFileDescriptor(ends[1]))});
    // The descriptor is duplicated into the message; KWin's end must be the only writer left.
    close(ends[1]);
    const QDBusMessage reply = bus_.call(message, QDBus::Block, AnswerTimeoutMs);
    QImage picture;
    if (reply.type() != QDBusMessage::ReplyMessage) {
        refused_ = reply.errorName().endsWith(QLatin1String("NoAuthorized"))
                   || reply.errorName().endsWith(QLatin1String("NotAuthorized"));
        close(ends[0]);
        return picture;
    }
    // a{sv}: type "raw", width, height, stride, format (a QImage format number).
    const QVariantMap results = qdbus_cast<QVariantMap>(reply.arguments().value(0));
    const int width = results.value(QStringLiteral("width")).toInt();
    const int height = results.value(QStringLiteral("height")).toInt();
    const int stride = results.value(QStringLiteral("stride")).toInt();
    const auto format = QImage::Format(results.value(QStringLiteral("format")).toInt());
    QByteArray pixels;
    if (results.value(QStringLiteral("type")).toString() == QLatin1String("raw") && width > 0 && height > 0
        && stride >= width * 4 && format > QImage::Format_Invalid && format < QImage::NImageFormats
        && readAll(ends[0], pixels, qsizetype(stride) * height)) {
        const QImage view(reinterpret_cast<const uchar *>(pixels.constData()), width, height, stride, format);
        // A frame's shadow and round corners are see-through; like every other picture with an
        // alpha channel here they are laid over white.
        picture = QImage(width, height, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter(&picture).drawImage(0, 0, view);
    }
    close(ends[0]);
    return picture;
}

}  // namespace tiv::wayland
