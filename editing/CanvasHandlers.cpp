// The canvas's mouse handlers and tool buttons: the rubber band while dragging, the shape, text box
// or crop at mouse-up.
#include "app/TFrmMain.h"

#include "capture/KeepCapture.h"
#include "common/CatchAll.h"
#include "editing/CropRegion.h"
#include "editing/DirtyTiles.h"
#include "editing/ImageControl.h"
#include "editing/ShapeGeometry.h"
#include "editing/ShapePainter.h"
#include "editing/TextCommit.h"
#include "editing/ToolMode.h"
#include "editing/ZoomMath.h"
#include "text/InterfaceText.h"

#include <QMouseEvent>

#include <cmath>

namespace tiv {

namespace {

QSize DeviceSize(const ImageControl *control)
{
    const qreal dpr = control->devicePixelRatioF();
    return QSize(qRound(control->width() * dpr), qRound(control->height() * dpr));
}

// A zero-size selection keeps nothing: the frozen desktop stays and the user may drag again.
void FinishRegionSelection(TFrmMain &w)
{
    QImage &canvas = w.ImgMain->picture().image;
    // The pointer stops on the desktop's last column and row, never past them: a drag that ends
    // there takes them in, or they could never be captured.
    const int endX = w.DragEndX == canvas.width() - 1 ? canvas.width() : w.DragEndX;
    const int endY = w.DragEndY == canvas.height() - 1 ? canvas.height() : w.DragEndY;
    const QRect selection(QPoint(w.DragStartX, w.DragStartY), QSize(endX - w.DragStartX, endY - w.DragStartY));
    if (!CropToSelection(canvas, selection))
        return;
    if (w.RegionPurpose != TFrmMain::RegionForCapture) {
        w.FinishRegionFor(selection);
        return;
    }
    w.ImgMain->pictureChanged();
    w.ImgMain->move(0, 0);
    w.ImgMain->sizeToPicture();
    w.ApplyAutoWatermark(w.ImgMain);
    if (w.ContinuousCapture()) {
        w.AutoSaveCapture();
        w.hide();
        w.KeepWayBack();
    } else {
        KeepCapture(w);
        w.ToolMode = ToolNone;
        w.SbPicName->show();
        w.PresentCapture(true);
    }
}

void PlaceTextBoxAt(TFrmMain &w, QPoint releaseOnControl)
{
    const DragPoints box = NormaliseDrag(ToolTextBox, w.DragStartOnControl, w.DragStartOnControl, releaseOnControl);
    w.MemoText->show();
    w.MemoText->setGeometry(PlaceTextBox(w.MemoText->geometry(), box.start, box.end));
    w.MemoText->setFocus();
    w.ToolMode = ToolNone;
}

void ShowPositionHint(TFrmMain &w, QPoint at)
{
    const QSize size = w.ImgMain->picture().image.size();
    w.PnlHint->setText(FormatText(TxtPictureInfo, {QString::number(size.width()), QString::number(size.height()),
                                                   QString::number(at.x()), QString::number(at.y())}));
}

QPoint Floor(QPointF p) { return QPoint(int(std::floor(p.x())), int(std::floor(p.y()))); }

}  // namespace

QPoint TFrmMain::CanvasPoint(QPointF position) const
{
    if (!ImgMain->stretch())
        return Floor(position * ImgMain->devicePixelRatioF());
    const CanvasView view{ImgMain->size(), true, CanvasAutoSize};
    return ControlToPicture(Floor(position), view, ImgMain->picture().image.size());
}

void TFrmMain::ImgMainMouseDown(Qt::MouseButton, QPointF position)
{
    PopupFromTextBox = 0;
    DragArmed = false;
    if (ToolMode == ToolNone) {
        BtnAddTextOkClick();
        return;
    }
    if (!IsDrawingTool(ToolMode))
        return;
    CanvasPicture &picture = ImgMain->picture();
    const bool hadPicture = !picture.isEmpty();
    if (!PrepareCanvasForTool(picture, DeviceSize(ImgMain))) {
        ShowMessage(TxtEditFormatsOnly);
        return;
    }
    if (!hadPicture)
        ImgMain->pictureChanged();
    const QPoint at = CanvasPoint(position);
    DragStartX = DragEndX = at.x();
    DragStartY = DragEndY = at.y();
    DragStartOnControl = Floor(position);
    Band.begin(ToolMode, at, TextColor.rgb());
    DragArmed = true;
}

void TFrmMain::ImgMainMouseMove(Qt::MouseButtons buttons, QPointF position)
{
    const QPoint at = CanvasPoint(position);
    if (!IsDrawingTool(ToolMode)) {
        ShowPositionHint(*this, at);
        return;
    }
    if (!(buttons & Qt::LeftButton) || !DragArmed)
        return;
    DirtyTiles changed;
    changed.add(Band.pixels());
    Band.moveTo(ImgMain->picture().image, at);
    changed.add(Band.pixels());
    ImgMain->pictureChanged(changed.region());
    DragEndX = at.x();
    DragEndY = at.y();
}

void TFrmMain::ImgMainMouseUp(Qt::MouseButton, QPointF position)
{
    if (!DragArmed)
        return;
    AbandonDrag();
    if (!IsDrawingTool(ToolMode))
        return;
    const DragPoints drag =
        NormaliseDrag(ToolMode, {DragStartX, DragStartY}, {DragEndX, DragEndY}, CanvasPoint(position));
    DragStartX = drag.start.x();
    DragStartY = drag.start.y();
    DragEndX = drag.end.x();
    DragEndY = drag.end.y();
    if (ToolMode == ToolTextBox) {
        PlaceTextBoxAt(*this, Floor(position));
    } else if (ToolMode == ToolRegionSelect) {
        FinishRegionSelection(*this);
    } else if (ToolMode == ToolMosaic) {
        ApplyMosaicDrag(drag.start, drag.end);
    } else {
        MemoText->hide();
        ImgMain->pictureChanged(
            DrawToolShape(ImgMain->picture().image, ToolMode, drag.start, drag.end, TextColor.rgb()));
        ToolMode = ToolNone;
    }
}

void TFrmMain::AbandonDrag()
{
    if (!DragArmed)
        return;
    DragArmed = false;
    ImgMain->pictureChanged(Band.erase(ImgMain->picture().image));
}

void TFrmMain::EndPendingTool()
{
    AbandonDrag();
    ToolMode = ToolNone;
    DropRegionUse();
}

void TFrmMain::BtnAddRECTClick() { ToolMode = ToolRectangle; }
void TFrmMain::BtnAddCircleClick() { ToolMode = ToolEllipse; }
void TFrmMain::BtnAddLineClick() { ToolMode = ToolLine; }
void TFrmMain::BtnAddRoundRecClick() { ToolMode = ToolRoundRect; }
void TFrmMain::BtnAddSingleArrowClick() { ToolMode = ToolSingleArrow; }
void TFrmMain::BtnAddDoubleArrowClick() { ToolMode = ToolDoubleArrow; }

void TFrmMain::showCanvasPicture(QImage picture)
{
    // A new size of the same picture: it still belongs to the file it came from.
    ImgMain->setPicture(CanvasPicture::bitmap(std::move(picture)), ImgMain->file());
    if (CanvasAutoSize)
        ImgMain->sizeToPicture();
}

}  // namespace tiv
