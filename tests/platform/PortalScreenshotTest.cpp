#include "platform/wayland/PortalRequest.h"
#include "platform/wayland/PortalScreenshot.h"
#include "PortalTestBus.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

using namespace tiv;
using namespace tiv::wayland;

namespace {

// A desktop that serves Screenshot as GNOME's and KDE's portals do: it writes its picture into
// the Pictures folder and names it in the answer, after `delayMs`, with the response given.
class StandInScreenshot : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public:
    explicit StandInScreenshot(QDBusConnection bus) : bus_(std::move(bus)) {}
    uint response = 0;
    int delayMs = 0;
    QString file;

public slots:
    QDBusObjectPath Screenshot(const QString &, const QVariantMap &options, const QDBusMessage &call)
    {
        const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                                 .arg(call.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_')),
                                      options.value(QStringLiteral("handle_token")).toString());
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(QColor(10, 120, 230));
        QVariantMap results;
        if (response == 0 && picture.save(file))
            results.insert(QStringLiteral("uri"), QUrl::fromLocalFile(file).toString());
        QTimer::singleShot(delayMs, this, [this, path, results, answer = response] {
            QDBusMessage signal = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                             QStringLiteral("Response"));
            signal << answer << results;
            bus_.send(signal);
        });
        return QDBusObjectPath(path);
    }

private:
    QDBusConnection bus_;
};

}  // namespace

TEST(PortalScreenshot, ReadsThePictureRemovesTheFileAndTellsRefusalFromFailure)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.start());
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    const auto restoreHome = qScopeGuard([&oldHome] { qputenv("HOME", oldHome); });
    QDBusConnection desktop = QDBusConnection::connectToBus(bus.address, QStringLiteral("shot-desktop"));
    QDBusConnection program = QDBusConnection::connectToBus(bus.address, QStringLiteral("shot-program"));
    ASSERT_TRUE(desktop.isConnected() && program.isConnected());

    // The Pictures folder the desktop writes into is made before asking.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    ASSERT_FALSE(QDir(pictures).exists());
    PortalScreenshot portal(program);
    GrabFailure failure = GrabFailure::None;
    EXPECT_TRUE(portal.take(false, &failure).isNull());
    EXPECT_EQ(failure, GrabFailure::NoService);
    EXPECT_TRUE(QDir(pictures).exists());

    StandInScreenshot standIn(desktop);
    standIn.file = pictures + QStringLiteral("/Screenshot-1.png");
    QThread desktopThread;
    standIn.moveToThread(&desktopThread);
    desktopThread.start();
    const auto stopDesktop = qScopeGuard([&desktopThread] {
        desktopThread.quit();
        desktopThread.wait();
    });
    ASSERT_TRUE(desktop.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &standIn, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(desktop.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));

    // The picture is read and its file goes, although it lies in the user's own folder.
    const QImage picture = portal.take(false, &failure);
    EXPECT_EQ(failure, GrabFailure::None);
    ASSERT_EQ(picture.size(), QSize(64, 48));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_EQ(picture.pixel(5, 5), qRgb(10, 120, 230));
    EXPECT_FALSE(QFile::exists(standIn.file));

    standIn.response = 1;
    EXPECT_TRUE(portal.take(false, &failure).isNull());
    EXPECT_EQ(failure, GrabFailure::Refused);
    standIn.response = 2;
    EXPECT_TRUE(portal.take(false, &failure).isNull());
    EXPECT_EQ(failure, GrabFailure::Failed) << "a failure of the desktop is no refusal";

    // Given up while the desktop still works on it (Esc, another command): the answer that comes
    // after is still heard, and its file removed.
    standIn.response = 0;
    standIn.delayMs = 300;
    QTimer::singleShot(50, [] { PortalRequest::AbandonAll(); });
    EXPECT_TRUE(portal.take(false, &failure).isNull());
    EXPECT_EQ(failure, GrabFailure::Abandoned);
    EXPECT_TRUE(waitFor([&] { return QFile::exists(standIn.file); }));
    EXPECT_TRUE(waitFor([&] { return !QFile::exists(standIn.file); })) << "the late picture was left";
}

#include "PortalScreenshotTest.moc"
