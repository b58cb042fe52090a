#include "app/TFrmMain.h"

#include "capture/TFrmShortcutSet.h"
#include "text/DesktopBindingHint.h"

#include <QCoreApplication>
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
    if (!platform_.hotkeys->systemWide()) {
        // Nothing to register and nothing refused; each start of capture mode says again how the
        // desktop's own keys are made, with this program's path as the desktop must run it.
        PnlHint->setText(DesktopBindingHint(DesktopKindOf(qEnvironmentVariable("XDG_CURRENT_DESKTOP")),
                                            QCoreApplication::applicationFilePath()));
        CommandLineHintGiven = true;
        return true;
    }
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
