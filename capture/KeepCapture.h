#pragma once

namespace tiv {

class TFrmMain;

// What a capture owes the user first, before the window shows it: the picture saved into the
// picture folder, then made opaque where its grab left that for later (SettleCapturePadding), then
// put on the clipboard when that option is on. False when the picture folder cannot be used.
bool KeepCapture(TFrmMain &w);

}  // namespace tiv
