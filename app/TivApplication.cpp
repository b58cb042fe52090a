#include "app/TivApplication.h"

namespace tiv {

TivApplication::TivApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("TIVrevudu"));
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
