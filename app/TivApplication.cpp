#include "app/TivApplication.h"

#include "common/InterfaceFonts.h"
#include "common/ToolkitTranslations.h"

namespace tiv {

TivApplication::TivApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("TIVrevudu"));
    InstallFontSubstitutions();
    InstallToolkitTranslations();
}

bool TivApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        return false;
    }
}

}  // namespace tiv
