// Stepping through the snapshot history and zooming the canvas display.
#include "app/TFrmMain.h"

#include "editing/ImageControl.h"
#include "editing/ToolMode.h"
#include "editing/ZoomMath.h"

namespace tiv {

namespace {

void DropTextBox(TFrmMain &w)
{
    w.ToolMode = ToolNone;
    w.MemoText->clear();
    w.MemoText->hide();
}

CanvasView CurrentView(const TFrmMain &w)
{
    return {w.ImgMain->size(), w.ImgMain->stretch(), w.CanvasAutoSize};
}

void ShowView(TFrmMain &w, const CanvasView &view)
{
    w.ImgMain->setStretch(view.stretch);
    w.ImgMain->resize(view.controlSize);
    w.CanvasAutoSize = view.autoSize;
}

}  // namespace

void TFrmMain::BtnReurnPicClick()
{
    DropTextBox(*this);
    if (ImgMain->picture().isBitmap() && History.stepBack(ImgMain->picture().image))
        ImgMain->pictureChanged();
}

void TFrmMain::BtnBackupForeClick()
{
    DropTextBox(*this);
    if (ImgMain->picture().isBitmap() && History.stepForward(ImgMain->picture().image))
        ImgMain->pictureChanged();
}

void TFrmMain::BtnZoomInClick()
{
    ShowView(*this, ZoomIn(CurrentView(*this)));
}

void TFrmMain::BtnZoomoutClick()
{
    ShowView(*this, ZoomOut(CurrentView(*this)));
}

void TFrmMain::BtnZoomClick()
{
    ShowView(*this, ActualSize(CurrentView(*this), ImgMain->naturalSize()));
}

void TFrmMain::BtnFileScreenClick()
{
    // The display area is what the scroll box can show without scroll bars.
    ShowView(*this, BestFit(CurrentView(*this), PnlPic->contentsRect().size()));
}

}  // namespace tiv
