#include "app/EndSignals.h"
#include "app/TFrmMain.h"
#include "app/TivApplication.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "TIVrevudu needs a desktop, and neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
                             "Start it from a desktop session, or under Xvfb (xvfb-run).\n");
        return 1;
    }
    tiv::TivApplication app(argc, argv);
    QString error;
    auto backend = tiv::createNativePlatform(&error);
    if (!backend) {
        std::fprintf(stderr, "TIVrevudu cannot reach the desktop: %s\n", qPrintable(error));
        return 1;
    }
    tiv::Platform platform = backend->services();
    int rc = 0;
    {
        tiv::TFrmMain FrmMain(platform);
        // A logout or kill ends the program as its exit button does: hotkeys let go, settings kept.
        tiv::EndSignals ending([&FrmMain] { FrmMain.close(); });
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &FrmMain, [&FrmMain] { FrmMain.close(); });
        FrmMain.showMaximized();
        rc = app.exec();
    }
    return rc;
}
