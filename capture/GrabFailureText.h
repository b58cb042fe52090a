#pragma once

#include "platform/ScreenGrabber.h"

#include <QString>

namespace tiv {

// The hint-line words for a capture that got no picture. Each says that nothing was saved, since
// the hint line otherwise reports the saved file.
QString GrabFailureText(GrabFailure failure);

}  // namespace tiv
