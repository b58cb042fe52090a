#pragma once

#include "platform/ScreenGrabber.h"

#include <QString>

namespace tiv {

// The hint-line words for a capture that got no picture. Each says that nothing was saved, since
// the hint line otherwise reports the saved file.
QString GrabFailureText(GrabFailure failure);

// While the desktop's first-use question is open.
QString PermissionQuestionText();
// After a refusal the desktop remembers: the offer to have it ask again, and the word that it will.
QString AskAgainQuestion();
QString AskAgainPromised();
// Where the desktop took the hotkeys into its own shortcut settings instead of binding them.
QString HotkeysInDesktopSettingsText();
// Why the desktop's own chooser opens for a window capture.
QString WindowChooserText();

}  // namespace tiv
