#include "app/TFrmMain.h"

#include "capture/TFrmShortcutSet.h"

#include <QPlainTextEdit>

namespace tiv {

TFrmShortcutSet *TFrmMain::ShortcutDialog()
{
    if (!FrmShortcutSet)
        FrmShortcutSet = new TFrmShortcutSet(this);
    return FrmShortcutSet;
}

bool TFrmMain::RegisterCaptureHotkeys()
{
    QPlainTextEdit *log = ShortcutDialog()->HotkeyLog;
    if (!platform_.hotkeys)
        return false;
    return tiv::RegisterCaptureHotkeys(Hotkeys, Conflicts, *platform_.hotkeys,
                                       [log](const QString &line) { log->appendPlainText(line); });
}

void TFrmMain::UnregisterCaptureHotkeys()
{
    if (platform_.hotkeys)
        tiv::UnregisterCaptureHotkeys(*platform_.hotkeys);
}

}  // namespace tiv
