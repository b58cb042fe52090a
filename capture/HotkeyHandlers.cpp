#include "app/TFrmMain.h"

#include "capture/GrabFailureText.h"
#include "capture/TFrmShortcutSet.h"
#include "text/DesktopBindingHint.h"
#include "text/InterfaceText.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QPlainTextEdit>

#include <algorithm>

namespace tiv {

namespace {

// While the desktop refuses a hotkey, a note says so in the hint line beside whatever the line says
// next: a panel of the line, so the messages that follow are shortened to the room left beside it.
void ShowHotkeyConflictNote(HintLine *line, const HotkeyConflicts &conflicts)
{
    const bool refused = std::find(conflicts.begin(), conflicts.end(), true) != conflicts.end();
    auto *note = line->findChild<QLabel *>(QStringLiteral("HotkeyConflictNote"), Qt::FindDirectChildrenOnly);
    if (!note && refused) {
        note = new QLabel(TxtHotkeyConflict, line);
        note->setObjectName(QStringLiteral("HotkeyConflictNote"));
        note->setTextFormat(Qt::PlainText);
        note->setFont(line->font());
        static_cast<QBoxLayout *>(line->layout())->insertWidget(1, note);
    }
    if (note)
        note->setVisible(refused);
}

}  // namespace

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
        SayHowKeysAreMade(DesktopBindingHint(DesktopKindOf(qEnvironmentVariable("XDG_CURRENT_DESKTOP")),
                                             QCoreApplication::applicationFilePath()));
        return true;
    }
    const bool accepted = tiv::RegisterCaptureHotkeys(Hotkeys, Conflicts, *platform_.hotkeys,
                                                      [log](const QString &line) { log->appendPlainText(line); });
    // A refusal of an id still held from an earlier pass leaves that registration working.
    LeaveHotkeyArmed = LeaveHotkeyArmed || !Conflicts[HotkeyLeave - 1];
    // A desktop that binds no key itself (KDE) has just opened its own shortcut settings: the keys
    // are set there, which is no conflict the hotkey dialog could mend.
    const bool setInDesktop = !accepted && platform_.hotkeys->keysSetInDesktopSettings();
    ShowHotkeyConflictNote(PnlHint, setInDesktop ? HotkeyConflicts{} : Conflicts);
    SayHowKeysAreMade(setInDesktop ? HotkeysInDesktopSettingsText() : QString());
    return accepted;
}

void TFrmMain::UnregisterCaptureHotkeys()
{
    if (platform_.hotkeys)
        tiv::UnregisterCaptureHotkeys(*platform_.hotkeys);
    LeaveHotkeyArmed = false;
    SayHowKeysAreMade(QString());
}

void TFrmMain::SayHowKeysAreMade(const QString &hint)
{
    LbBindingHint->setText(hint);
    // Shown with the hint line: the frozen desktop's picture-only view hides both, and both come
    // back with the window's chrome once the selection ends.
    LbBindingHint->setVisible(!hint.isEmpty() && !PnlHint->isHidden());
}

void TFrmMain::BtnSetHotkeyClick()
{
    TFrmShortcutSet *dialog = ShortcutDialog();
    // The hotkeys stay held while the dialog is open, so a capture can still be taken from any
    // program; Esc, the leave hotkey, reaches the dialog through HotkeyMessage.
    dialog->hide();
    dialog->exec();
    ShowHotkeyConflictNote(PnlHint, Conflicts);
}

}  // namespace tiv
