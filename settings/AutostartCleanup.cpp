#include "app/TFrmMain.h"

#include "text/InterfaceText.h"

namespace tiv {

void TFrmMain::RemoveAutostartEntries()
{
    if (!platform_.startup)
        return;
    // The names the program has started under over the years, then its present title.
    const QString names[] = {QStringLiteral("TIVrevudu"), QStringLiteral("TIVTivrevudu"),
                             QStringLiteral("TIVrevudu1.2"), QStringLiteral("TIVrevudu1.1"), TxtAppTitle};
    for (const QString &name : names) {
        if (!name.isEmpty())
            platform_.startup->removeEntry(name);
    }
}

}  // namespace tiv
