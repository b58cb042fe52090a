// Calls the main window makes into subsystems that are not part of this build yet. Each answers
// so that the callers go on as if the subsystem had nothing to do.
#include "app/TFrmMain.h"

namespace tiv {

bool TFrmMain::EnsurePictureFolder() { return true; }
QString TFrmMain::NextPictureName() { return {}; }
void TFrmMain::SavePicture(const QString &) {}
void TFrmMain::FillPictureList() {}
void TFrmMain::ApplyAutoWatermark(ImageControl *) {}
void TFrmMain::HideWatermarkSettings() {}
void TFrmMain::ShowCaptureToolbar() {}
void TFrmMain::ShowSavedPictureOnToolbar(const QString &) {}
void TFrmMain::LoadPictureFile(ImageControl *, const QString &) {}

}  // namespace tiv
