// Changing the picture's pixel size: a bigger or smaller canvas, never a scaling.
#include "app/TFrmMain.h"

#include "codecs/BmpCodec.h"
#include "editing/ImageControl.h"
#include "editing/PictureSize.h"
#include "editing/ScratchFile.h"
#include "editing/TFrmPicParam.h"
#include "files/SafeFileWrite.h"

#include <QFile>

namespace tiv {

void TFrmMain::BtnSetPicParamClick()
{
    if (!FrmPicParam)
        FrmPicParam = new TFrmPicParam(this);
    // The control's size in device pixels: the picture's own size unless the display is zoomed.
    const qreal dpr = ImgMain->devicePixelRatioF();
    FrmPicParam->InitPicParam(qRound(ImgMain->width() * dpr), qRound(ImgMain->height() * dpr));
    const int width = FrmPicParam->ResultWidth, height = FrmPicParam->ResultHeight;
    const PictureSizeCheck check = CheckPictureSize(width, height);
    if (!check.ok) {
        PnlHint->setText(check.reason);
        return;
    }
    const QImage resized = ResizeCanvas(ImgMain->picture().image, QSize(width, height));
    if (resized.isNull()) {
        PnlHint->setText(QStringLiteral("内存不足，图片大小没有改变"));
        return;
    }
    const QString scratch = ScratchBitmapPath();
    if (scratch.isEmpty() || !WriteFileSafely(scratch, EncodeBmp(resized)))
        return;
    History.setRestoreRect(QRect(0, 0, width, height));
    if (!ImgMain->picture().isBitmap())
        return;
    QFile file(scratch);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QImage loaded = DecodeBmp(file.readAll());
    if (!loaded.isNull())
        showCanvasPicture(std::move(loaded));
}

}  // namespace tiv
