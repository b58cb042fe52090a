#include "app/CommandLine.h"
#include "app/EndSignals.h"
#include "app/RunningCopy.h"
#include "app/TFrmMain.h"
#include "app/TivApplication.h"

#include <QTimer>
#include <cstdio>

// The program proper, loaded by the small starter (app/main.cpp) once it holds the lock of the
// serving copy: a start that only hands a command over never loads the toolkit.
extern "C" Q_DECL_EXPORT int tivRunProgram(int argc, char **argv, const char *socketPath)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const tiv::CommandLineRequest request = tiv::ParseCommandLine(arguments);
    tiv::prepareNativeToolkit();
    tiv::TivApplication app(argc, argv);
    QString error;
    auto backend = tiv::createNativePlatform(&error);
    if (!backend) {
        std::fprintf(stderr, "TIVrevudu cannot reach the desktop: %s\n", qPrintable(error));
        return 1;
    }
    tiv::Platform platform = backend->services();
    tiv::RunningCopy runningCopy(QString::fromLocal8Bit(socketPath));
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
