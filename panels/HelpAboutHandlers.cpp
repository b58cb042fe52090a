// The help and About windows of the main window's side toolbar.
#include "app/TFrmMain.h"

#include "common/CatchAll.h"
#include "files/ShellTarget.h"
#include "panels/TFrmHelp.h"
#include "panels/TFrmVersion.h"
#include "text/InterfaceText.h"

namespace tiv {

void TFrmMain::BtnHelpClick()
{
    if (!FrmHelp)
        FrmHelp = new TFrmHelp(this);
    // The window manager maximises it, so its frame and title bar stay on the screen; where no
    // window manager runs, it shows at its normal size.
    FrmHelp->showMaximized();
    FrmHelp->raise();
}

void TFrmMain::BtnAboutClick()
{
    if (!FrmVersion) {
        FrmVersion = new TFrmVersion(this);
        connect(FrmVersion, &TFrmVersion::productPageRequested, this,
                [this] { CatchAll([&] { OpenWebAddress(UrlProductPage); }); });
    }
    FrmVersion->exec();
}

void TFrmMain::OpenWebAddress(const QString &address)
{
    const QString full = address.contains(u"://") ? address : QStringLiteral("http://") + address;
    if (const auto web = WebAddressToOpen(full); web && platform_.shell)
        platform_.shell->openUrl(*web);
}

}  // namespace tiv
