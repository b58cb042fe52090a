#include "app/TFrmMain.h"

#include "capture/TFrmShortcutSet.h"

#include <QPlainTextEdit>

namespace tiv {

TFrmShortcutSet *TFrmMain::ShortcutDialog()
{
    if (!FrmShortcutSet)
        FrmShortcutSet = new TFrmShortcutSet(Hotkeys, Conflicts, this);
    return FrmShortcutSet;
}

bool TFrmMain::RegisterCaptureHotkeys()
{
    QPlainTextEdit *log = ShortcutDialog()->HotkeyLog;
    if (!platform_.hotkeys)
        return false;
    const bool accepted = tiv::RegisterCaptureHotkeys(Hotkeys, Conflicts, *platform_.hotkeys,
                                                      [log](const QString &line) { log->appendPlainText(line); });
    // A refusal of an id still held from an earlier pass leaves that registration working.
    LeaveHotkeyArmed = LeaveHotkeyArmed || !Conflicts[HotkeyLeave - 1];
    return accepted;
}

void TFrmMain::UnregisterCaptureHotkeys()
{
    if (platform_.hotkeys)
        tiv::UnregisterCaptureHotkeys(*platform_.hotkeys);
    LeaveHotkeyArmed = false;
}

void TFrmMain::BtnSetHotkeyClick()
{
    TFrmShortcutSet *dialog = ShortcutDialog();
    dialog->hide();
    dialog->exec();
}

}  // namespace tiv
