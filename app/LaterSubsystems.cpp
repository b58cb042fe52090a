// Calls the main window makes into subsystems that are not part of this build yet. Each answers
// so that the callers go on as if the subsystem had nothing to do.
#include "app/TFrmMain.h"

namespace tiv {

void TFrmMain::MnDeletePicClick() {}

}  // namespace tiv
