// Calls the main window makes into subsystems that are not part of this build yet. Each answers
// so that the callers go on as if the subsystem had nothing to do.
#include "app/TFrmMain.h"

namespace tiv {

void TFrmMain::ApplyAutoWatermark(ImageControl *) {}
void TFrmMain::HideWatermarkSettings() {}
void TFrmMain::ShowCaptureToolbar() {}
void TFrmMain::ShowSavedPictureOnToolbar(const QString &) {}

}  // namespace tiv
