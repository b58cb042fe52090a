#pragma once

#include "platform/ClipboardService.h"
#include "platform/CursorSource.h"
#include "platform/DriveService.h"
#include "platform/HotkeyService.h"
#include "platform/ScreenGrabber.h"
#include "platform/ShellService.h"
#include "platform/StartupEntries.h"
#include "platform/WindowActivation.h"
#include "platform/WindowDepartureWatch.h"
#include "platform/WindowPlaces.h"

#include <memory>

namespace tiv {

// The desktop services the program uses, created once in main() and handed to the main window.
// Tests hand in the recording fakes instead.
struct Platform {
    ScreenGrabber *screen = nullptr;
    CursorSource *cursor = nullptr;
    HotkeyService *hotkeys = nullptr;
    ClipboardService *clipboard = nullptr;
    ShellService *shell = nullptr;
    DriveService *drives = nullptr;
    StartupEntries *startup = nullptr;
    // Null where the desktop cannot tell when a hidden window has left the screen.
    WindowDepartureWatch *departures = nullptr;
    // Null where the desktop does not let a program place its windows.
    WindowPlaces *places = nullptr;
    // Null where windows take the focus without a token.
    WindowActivation *activation = nullptr;
};

// Owns the services of the backend this build was configured with.
class PlatformBackend {
public:
    virtual ~PlatformBackend() = default;
    virtual Platform services() = 0;
};

// Null when the desktop cannot be reached (no display); the reason goes to `error`.
std::unique_ptr<PlatformBackend> createNativePlatform(QString *error);

// Settings the toolkit reads as it starts, for the desktop it starts on; before the application.
void prepareNativeToolkit();

}  // namespace tiv
