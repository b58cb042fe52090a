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
