// The mosaic tool: its button and menu in the tool row, and the mosaic at mouse-up.
#include "app/TFrmMain.h"

#include "app/NamedControls.h"
#include "editing/ImageControl.h"
#include "editing/Mosaic.h"
#include "editing/ToolMode.h"
#include "text/FeatureTexts.h"
#include "text/InterfaceText.h"

#include <QHBoxLayout>

namespace tiv {

void TFrmMain::BtnMosaicClick()
{
    MnMosaic->popup(BtnMosaic->mapToGlobal(QPoint(0, BtnMosaic->height())));
}

void TFrmMain::ApplyMosaicDrag(QPoint start, QPoint end)
{
    MemoText->hide();
    ToolMode = ToolNone;
    CanvasPicture &picture = ImgMain->picture();
    const QRect area = QRect(start, end).normalized() & picture.image.rect();
    if (!picture.isBitmap() || area.isEmpty())
        return;
    // Like a text, the mosaic is one step of the history: stepping back right after brings the
    // hidden part back, but only until the picture is saved.
    if (!History.save(picture.image, picture.image.size()))
        PnlHint->setText(TxtMosaicNoSnapshot);
    const int block = MosaicBlock > 0 ? MosaicBlock : DefaultMosaicBlock(picture.image.size());
    ImgMain->pictureChanged(
        ApplyMosaic(picture.image, area, block, MosaicBlur ? MosaicStyle::Blur : MosaicStyle::Pixelate));
}

namespace {

void AddMosaicChoice(TFrmMain &w, const QString &caption, int block, bool blur)
{
    QAction *item = w.MnMosaic->addAction(caption);
    QObject::connect(item, &QAction::triggered, &w, [&w, block, blur] {
        w.MosaicBlock = block;
        w.MosaicBlur = blur;
        w.ToolMode = ToolMosaic;
    });
}

}  // namespace

void TFrmMain::buildMosaicControls()
{
    QWidget *row = BtnSetPicParam->parentWidget();
    BtnMosaic = NamedButton(row, "BtnMosaic");
    BtnMosaic->setText(TxtMosaic);
    BtnMosaic->setToolTip(TxtMosaicTip);
    auto *layout = static_cast<QHBoxLayout *>(row->layout());
    layout->insertWidget(layout->indexOf(BtnSetPicParam), BtnMosaic);
    MnMosaic = NamedMenu(this, "MnMosaic");
    AddMosaicChoice(*this, TxtMosaicAuto, 0, false);
    for (int block : {8, 16, 32})
        AddMosaicChoice(*this, FormatText(TxtMosaicBlock, {QString::number(block)}), block, false);
    AddMosaicChoice(*this, TxtMosaicBlur, 0, true);
    connect(BtnMosaic, &QPushButton::clicked, this, [this] { BtnMosaicClick(); });
}

}  // namespace tiv
