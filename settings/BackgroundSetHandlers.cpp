#include "app/TFrmMain.h"

#include "common/CatchAll.h"
#include "settings/TFrmBackgroundSet.h"

namespace tiv {

void TFrmMain::MnBackgroundSetClick()
{
    if (!FrmBackgroundSet)
        FrmBackgroundSet = new TFrmBackgroundSet(TextBackgroundChoice, this);
    FrmBackgroundSet->exec();
}

void TFrmMain::wireBackgroundSet()
{
    connect(MnBackgroundSet, &QAction::triggered, this, [this] { CatchAll([&] { MnBackgroundSetClick(); }); });
}

}  // namespace tiv
