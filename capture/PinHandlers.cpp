// Pinned pictures: from the canvas, from a region just dragged out, from the capture toolbar.
#include "app/TFrmMain.h"

#include "capture/PinWindow.h"
#include "capture/TFrmToolBar.h"
#include "common/ButtonFace.h"
#include "common/HandlerWiring.h"
#include "editing/ImageControl.h"
#include "files/SavePictureFile.h"
#include "text/DesktopBindingHint.h"
#include "text/FeatureTexts.h"
#include "text/InterfaceText.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>

namespace tiv {

void TFrmMain::buildPinControls()
{
    MnPin = new QMenu(TxtPinMenu, MnOtherFunButton);
    MnPin->setObjectName(QStringLiteral("MnPin"));
    MnOtherFunButton->insertMenu(N21, MnPin);
    WireHandler(this, MnPin->addAction(TxtPinCanvas), &TFrmMain::PinCanvasClick);
    WireHandler(this, MnPin->addAction(TxtPinRegion), &TFrmMain::PinRegionClick);
}

void TFrmMain::PinCanvasClick()
{
    const QImage &picture = ImgMain->picture().image;
    if (picture.isNull()) {
        PnlHint->setText(TxtPinNoPicture);
        return;
    }
    PinPicture(picture);
}

void TFrmMain::PinRegionClick()
{
    StartRegionFor(RegionForPin);
}

PinWindow *TFrmMain::PinPicture(const QImage &picture, QPoint at)
{
    auto *pin = new PinWindow(picture);
    pin->copy = [this](const QImage &image) {
        if (platform_.clipboard)
            platform_.clipboard->setImage(image);
        PnlHint->setText(TxtPinCopied);
    };
    pin->save = [this](const QImage &image) { SavePinnedPicture(image); };
    pin->move(at.isNull() ? QCursor::pos() - QPoint(pin->width() / 2, pin->height() / 2) : at);
    Pins.removeAll(nullptr);
    Pins << pin;
    pin->show();
    pin->raise();
    pin->activateWindow();
    // Wayland desktops keep no window above the others at a program's wish; say once what this
    // one does instead: sway floats a window of fixed size over its tiled ones.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && Pins.size() == 1)
        PnlHint->setText(DesktopKindOf(qEnvironmentVariable("XDG_CURRENT_DESKTOP")) == DesktopKind::Sway
                             ? TxtPinFloating
                             : TxtPinNotAbove);
    return pin;
}

void TFrmMain::SavePinnedPicture(const QImage &picture)
{
    QFileDialog *dialog = PictureDialog(SavePictureDialog1, QFileDialog::AcceptSave);
    dialog->selectFile(QDir(PictureFolder).filePath(QStringLiteral("pin.png")));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    const QString path = dialog->selectedFiles().first();
    const SavePictureResult saved = SavePictureFile(path, CanvasPicture::bitmap(picture));
    PnlHint->setText(saved.kind == SavePictureResult::Kind::Written ? FormatText(TxtPinSaved, {saved.path})
                                                                   : FormatText(TxtSaveFailed, {path}));
}

void TFrmMain::AddToolbarFeatureButtons()
{
    auto *pin = new QPushButton(TxtPinToolbar, CaptureToolbar->PnlButton);
    pin->setObjectName(QStringLiteral("BtnSpPinRegion"));
    pin->setGeometry(78, 83, 60, 20);
    ApplyDrawnFaces(pin, 2);
    connect(pin, &QPushButton::clicked, this, [this] { PinRegionClick(); });
    auto *text = new QPushButton(TxtOcrToolbar, CaptureToolbar->PnlButton);
    text->setObjectName(QStringLiteral("BtnSpTextRegion"));
    text->setGeometry(140, 83, 60, 20);
    ApplyDrawnFaces(text, 2);
    connect(text, &QPushButton::clicked, this, [this] { StartTextRegion(); });
}

}  // namespace tiv
