// The main window's side of the delayed capture: the menu's dialog, the countdown's Esc and the
// capture it leads to.
#include "app/TFrmMain.h"

#include "app/CommandLine.h"
#include "app/VirtualKey.h"
#include "capture/DelayDialog.h"
#include "capture/DelayedCapture.h"
#include "common/HandlerWiring.h"
#include "settings/IniFile.h"
#include "settings/SettingsLocation.h"
#include "text/FeatureTexts.h"

namespace tiv {

QString TFrmMain::SettingsFileName() const
{
    if (SettingsFile)
        return SettingsFile->path();
    return SettingsPath.isEmpty() ? SettingsFilePath() : SettingsPath;
}

void TFrmMain::buildDelayControls()
{
    MnDelayCapture = new QAction(TxtDelayMenu, MnOtherFunButton);
    MnDelayCapture->setObjectName(QStringLiteral("MnDelayCapture"));
    MnOtherFunButton->insertAction(N21, MnDelayCapture);
    WireHandler(this, MnDelayCapture, &TFrmMain::DelayMenuClick);
}

void TFrmMain::DelayMenuClick()
{
    DelayDialog dialog(this);
    dialog.setChoice(DelayChoice::load(IniFile(SettingsFileName())));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const DelayChoice choice = dialog.choice();
    // Written at once, into the file as it is now, so the choice outlives a crash or a second copy.
    IniFile ini(SettingsFileName());
    choice.save(ini);
    ini.save();
    StartDelayedCapture(choice.kind, choice.seconds);
}

void TFrmMain::StartDelayedCapture(QString kind, int seconds)
{
    if (kind.isEmpty())
        kind = DelayChoice::load(IniFile(SettingsFileName())).kind;
    if (!Delay) {
        Delay = new DelayedCapture(this);
        Delay->settleMilliseconds = HideSettleMilliseconds;
        connect(Delay, &DelayedCapture::due, this, [this](const QString &due) {
            if (platform_.hotkeys)
                platform_.hotkeys->unregisterHotkey(HotkeyCancelDelay);
            RunCaptureKind(due);
        });
        connect(Delay, &DelayedCapture::cancelled, this, [this] {
            if (platform_.hotkeys)
                platform_.hotkeys->unregisterHotkey(HotkeyCancelDelay);
            PnlHint->setText(TxtDelayCancelled);
        });
    }
    if (platform_.hotkeys && platform_.hotkeys->systemWide())
        platform_.hotkeys->registerHotkey(HotkeyCancelDelay, 0, VkEscape);
    Delay->start(kind, seconds);
}

void TFrmMain::CancelDelayedCapture()
{
    if (Delay)
        Delay->cancel();
}

void TFrmMain::RunCaptureKind(const QString &kind)
{
    if (kind == QLatin1String("text"))
        StartTextRegion();
    else if (kind == QLatin1String("pin"))
        PinRegionClick();
    else if (const int id = HotkeyIdOfKind(kind))
        HotkeyMessage(id);
}

}  // namespace tiv
