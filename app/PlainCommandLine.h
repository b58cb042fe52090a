#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tiv {

// The command line read without the toolkit: a start that only hands its command to the running
// copy reads it before any of the toolkit's libraries are loaded (app/main.cpp). CommandLine.h is
// the same reading in the toolkit's types, for the program itself.
struct PlainRequest {
    enum Action { Start, Capture, Leave, Help, Version, Usage };
    Action action = Start;
    std::string captureKind;  // full, window, client, region, text or pin
    int delaySeconds = 0;     // --delay: 1 to 10; 0 for at once
    std::string problem;      // why the command line was not understood (Usage)
};

// Reads the program's own arguments (the first is the program's name); the toolkit's options
// (-platform wayland, ...) are let through.
PlainRequest ParsePlainCommandLine(const std::vector<std::string> &arguments);

// The line a request travels as to the running copy.
std::string PlainRequestMessage(const PlainRequest &request);

bool KnownCaptureKind(std::string_view kind);
// The hotkey whose capture a kind is: 1 to 4, 0 for the kinds no hotkey runs.
int HotkeyIdOfCaptureKind(std::string_view kind);
// A --delay value: 1 to 10 seconds, else 0.
int CaptureDelayValue(std::string_view text);

const char *UsageLines();
std::string VersionLine();

}  // namespace tiv
