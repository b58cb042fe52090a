// The controls of the mosaic, the delayed capture, pinned pictures and text recognition. They are
// added to the window's rows and menus here, after the window's own controls are made.
#include "app/TFrmMain.h"

#include "capture/PinWindow.h"
#include "ocr/OcrWindow.h"

namespace tiv {

void TFrmMain::buildFeatureControls()
{
    buildMosaicControls();
    buildDelayControls();
    buildPinControls();
    buildTextControls();
}

void TFrmMain::CloseFeatureWindows()
{
    for (const QPointer<PinWindow> &pin : std::as_const(Pins))
        delete pin.data();
    Pins.clear();
    delete FrmTextResult;
    FrmTextResult = nullptr;
}

}  // namespace tiv
