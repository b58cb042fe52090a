// The main window's side of text recognition: the menu and toolbar commands, the busy state and
// the text's way to the clipboard.
#include "app/TFrmMain.h"

#include "common/HandlerWiring.h"
#include "editing/ImageControl.h"
#include "ocr/OcrService.h"
#include "ocr/OcrText.h"
#include "ocr/OcrWindow.h"
#include "text/FeatureTexts.h"
#include "text/InterfaceText.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tiv {

void TFrmMain::buildTextControls()
{
    MnText = new QMenu(TxtOcrMenu, MnOtherFunButton);
    MnText->setObjectName(QStringLiteral("MnText"));
    MnOtherFunButton->insertMenu(N21, MnText);
    WireHandler(this, MnText->addAction(TxtOcrCanvas), &TFrmMain::TextCanvasClick);
    WireHandler(this, MnText->addAction(TxtOcrRegion), &TFrmMain::StartTextRegion);
}

void TFrmMain::TextCanvasClick()
{
    const QImage &picture = ImgMain->picture().image;
    if (picture.isNull()) {
        PnlHint->setText(TxtOcrNoPicture);
        return;
    }
    RecogniseText(picture);
}

void TFrmMain::StartTextRegion()
{
    StartRegionFor(RegionForText);
}

OcrWindow *TFrmMain::TextWindow()
{
    if (FrmTextResult)
        return FrmTextResult;
    FrmTextResult = new OcrWindow;
    connect(FrmTextResult, &OcrWindow::abandonRequested, this, [this] { AbandonTextRecognition(); });
    connect(FrmTextResult, &OcrWindow::copyRequested, this,
            [](const QString &text) { QGuiApplication::clipboard()->setText(text); });
    return FrmTextResult;
}

void TFrmMain::RecogniseText(const QImage &picture)
{
    if (!TextReader) {
        TextReader = new OcrService(this);
        connect(TextReader, &OcrService::loading, this, [this] {
            PnlHint->setText(TxtOcrLoading);
            TextWindow()->showBusy(TxtOcrLoading);
        });
        connect(TextReader, &OcrService::finished, this, [this](int, const QString &text) {
            const int count = CountedCharacters(text);
            const QString status = count ? FormatText(TxtOcrFound, {QString::number(count)}) : TxtOcrNone;
            if (count)
                QGuiApplication::clipboard()->setText(text);
            PnlHint->setText(status);
            TextWindow()->showText(text, status);
        });
        connect(TextReader, &OcrService::failed, this,
                [this](int, const QString &missingPackage, const QString &reason) {
                    const QString status = missingPackage.isEmpty() ? FormatText(TxtOcrFailed, {reason})
                                                                    : FormatText(TxtOcrMissingData, {missingPackage});
                    PnlHint->setText(status);
                    TextWindow()->showProblem(status);
                });
    }
    OcrWindow *window = TextWindow();
    window->showBusy(TxtOcrBusy);
    PnlHint->setText(TxtOcrBusy);
    window->show();
    window->raise();
    window->activateWindow();
    TextReader->recognise(picture);
}

void TFrmMain::AbandonTextRecognition()
{
    if (!TextReader || !TextReader->busy())
        return;
    TextReader->abandon();
    PnlHint->setText(TxtOcrCancelled);
    if (FrmTextResult)
        FrmTextResult->showProblem(TxtOcrCancelled);
}

}  // namespace tiv
