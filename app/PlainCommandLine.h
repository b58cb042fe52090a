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
    // The token a launcher gives the program it starts (XDG_ACTIVATION_TOKEN), with which a window
    // may take the focus; the running copy's window takes it in this start's place.
    std::string activationToken;
};

// Reads the program's own arguments (the first is the program's name); the toolkit's options
// (-platform wayland, ...) are let through.
PlainRequest ParsePlainCommandLine(const std::vector<std::string> &arguments);

// The activation token's line: this word, a space, the token of at most this many characters.
inline constexpr std::string_view ActivationTokenWord = "activation-token";
inline constexpr std::size_t LongestActivationToken = 200;

// The line a request travels as to the running copy, and where there is an activation token, a
// second line with it (older copies read the first line only).
std::string PlainRequestMessage(const PlainRequest &request);

bool KnownCaptureKind(std::string_view kind);
// The hotkey whose capture a kind is: 1 to 4, 0 for the kinds no hotkey runs.
int HotkeyIdOfCaptureKind(std::string_view kind);
// A --delay value: 1 to 10 seconds, else 0.
int CaptureDelayValue(std::string_view text);

const char *UsageLines();
std::string VersionLine();

}  // namespace tiv
