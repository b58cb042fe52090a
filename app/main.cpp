#include "app/CommandLine.h"
#include "app/EndSignals.h"
#include "app/RunningCopy.h"
#include "app/TFrmMain.h"
#include "app/TivApplication.h"

#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const tiv::CommandLineRequest request = tiv::ParseCommandLine(arguments);
    switch (request.action) {
    case tiv::CommandLineRequest::Help:
        std::fputs(qPrintable(tiv::UsageText()), stdout);
        return 0;
    case tiv::CommandLineRequest::Version:
        std::fputs(qPrintable(tiv::VersionText()), stdout);
        return 0;
    case tiv::CommandLineRequest::Usage:
        std::fprintf(stderr, "TIVrevudu: %s\n%s", qPrintable(request.problem), qPrintable(tiv::UsageText()));
        return 2;
    default:
        break;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "TIVrevudu needs a desktop, and neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
                             "Start it from a desktop session, or under Xvfb (xvfb-run).\n");
        return 1;
    }
    // Asked before the toolkit starts, so a key bound to a capture costs the running copy no wait.
    const QString socket = tiv::RunningCopy::socketPath();
    switch (tiv::RunningCopy::handOverOrClaim(socket, tiv::RequestMessage(request))) {
    case tiv::RunningCopy::Start::HandedOver:
        return 0;
    case tiv::RunningCopy::Start::NoAnswer:
        std::fprintf(stderr, "TIVrevudu is starting already and does not answer on %s.\n", qPrintable(socket));
        return 1;
    case tiv::RunningCopy::Start::Serve:
        break;
    }

    tiv::prepareNativeToolkit();
    tiv::TivApplication app(argc, argv);
    QString error;
    auto backend = tiv::createNativePlatform(&error);
    if (!backend) {
        std::fprintf(stderr, "TIVrevudu cannot reach the desktop: %s\n", qPrintable(error));
        return 1;
    }
    tiv::Platform platform = backend->services();
    tiv::RunningCopy runningCopy(socket);
    runningCopy.listen();
    int rc = 0;
    {
        tiv::TFrmMain FrmMain(platform);
        // A logout or kill ends the program as its exit button does: hotkeys let go, settings kept.
        tiv::EndSignals ending([&FrmMain] { FrmMain.EndWithSession(); });
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &FrmMain, [&FrmMain] { FrmMain.EndWithSession(); });
        QObject::connect(&runningCopy, &tiv::RunningCopy::requested, &FrmMain, [&FrmMain](const QString &message) {
            FrmMain.RunRequest(tiv::RequestFromMessage(message));
        });
        FrmMain.showMaximized();
        if (request.action != tiv::CommandLineRequest::Start)
            QTimer::singleShot(0, &FrmMain, [&runningCopy, request] { runningCopy.serve(tiv::RequestMessage(request)); });
        rc = app.exec();
    }
    return rc;
}
