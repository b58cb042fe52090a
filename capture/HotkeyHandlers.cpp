#include "app/TFrmMain.h"

#include "capture/TFrmShortcutSet.h"
#include "text/InterfaceText.h"

#include <QBoxLayout>
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
        // Nothing to register and nothing refused; the user learns once how the keys are made.
        if (!CommandLineHintGiven)
            PnlHint->setText(QStringLiteral("此桌面不让程序占用全局热键。请在桌面的键盘设置中把按键绑定到命令"
                                            " TIVrevudu --capture full（全屏）、--capture window（窗口）、"
                                            "--capture client（窗口内容）、--capture region（区域）和 TIVrevudu --leave"));
        CommandLineHintGiven = true;
        return true;
    }
    const bool accepted = tiv::RegisterCaptureHotkeys(Hotkeys, Conflicts, *platform_.hotkeys,
                                                      [log](const QString &line) { log->appendPlainText(line); });
    // A refusal of an id still held from an earlier pass leaves that registration working.
    LeaveHotkeyArmed = LeaveHotkeyArmed || !Conflicts[HotkeyLeave - 1];
    ShortcutDialog()->HotkeysHeld = true;
    ShowHotkeyConflictNote(PnlHint, Conflicts);
    return accepted;
}

void TFrmMain::UnregisterCaptureHotkeys()
{
    if (platform_.hotkeys)
        tiv::UnregisterCaptureHotkeys(*platform_.hotkeys);
    LeaveHotkeyArmed = false;
    if (FrmShortcutSet)
        FrmShortcutSet->HotkeysHeld = false;
}

void TFrmMain::BtnSetHotkeyClick()
{
    TFrmShortcutSet *dialog = ShortcutDialog();
    // Keys pressed in the dialog are meant for it, but the hotkeys it edits would take them first
    // (Esc among them): they are let go while it is open, and taken again as edited once it closes.
    const bool held = dialog->HotkeysHeld;
    if (held)
        UnregisterCaptureHotkeys();
    dialog->hide();
    dialog->exec();
    if (held)
        RegisterCaptureHotkeys();
    ShowHotkeyConflictNote(PnlHint, Conflicts);
}

}  // namespace tiv
