// A region dragged on the frozen desktop to be pinned or read rather than saved.
#include "app/TFrmMain.h"

#include "capture/PinWindow.h"
#include "common/CatchAll.h"
#include "editing/ImageControl.h"
#include "editing/ToolMode.h"

namespace tiv {

void TFrmMain::StartRegionFor(RegionUse use)
{
    CatchAll([&] {
        // The frozen desktop takes the canvas's place only while the region is dragged.
        PictureBeforeRegion = ImgMain->picture();
        FileBeforeRegion = ImgMain->file();
        StartRegionCapture(false);
        // Set once the desktop is frozen: a capture that did not start has no region to wait for.
        if (ToolMode == ToolRegionSelect)
            RegionPurpose = use;
    });
}

void TFrmMain::DropRegionUse()
{
    if (RegionPurpose == RegionForCapture)
        return;
    RegionPurpose = RegionForCapture;
    ImgMain->setPicture(std::move(PictureBeforeRegion), FileBeforeRegion);
    PictureBeforeRegion = {};
    ImgMain->sizeToPicture();
}

void TFrmMain::FinishRegionFor(QRect selection)
{
    const RegionUse use = RegionPurpose;
    RegionPurpose = RegionForCapture;
    ToolMode = ToolNone;
    const QImage region = ImgMain->picture().image;
    ImgMain->setPicture(std::move(PictureBeforeRegion), FileBeforeRegion);
    PictureBeforeRegion = {};
    ImgMain->sizeToPicture();
    PresentCapture(false);
    // In continuous capture the window stays away, as after any region.
    if (ContinuousCapture()) {
        hide();
        KeepWayBack();
    }
    const QPoint origin = platform_.screen ? platform_.screen->desktopRect().topLeft() : QPoint();
    if (use == RegionForPin)
        PinPicture(region, origin + selection.normalized().topLeft());
    else
        RecogniseText(region);
}

}  // namespace tiv
