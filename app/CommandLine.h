#pragma once

#include <QStringList>

namespace tiv {

// What the program was asked to do on its command line.
struct CommandLineRequest {
    enum Action { Start, Capture, Leave, Help, Version, Usage };
    Action action = Start;
    QString captureKind;  // full, window, client, region or text
    int delaySeconds = 0;  // --delay: the capture waits this long (1 to 10); 0 for at once
    QString problem;      // why the command line was not understood (Usage)
    QString activationToken;  // the launcher's, passed on by a later start (PlainCommandLine.h)
};

// Reads the program's own arguments; the toolkit's options (-platform wayland, ...) are let through.
CommandLineRequest ParseCommandLine(const QStringList &arguments);

// The line a request travels as to the running copy, and back.
QString RequestMessage(const CommandLineRequest &request);
CommandLineRequest RequestFromMessage(const QString &message);

// The hotkey whose command a request runs: 1 to 4 for the captures, 5 for leaving capture mode,
// 0 for a plain start, which brings the running copy's window forward.
int HotkeyIdOf(const CommandLineRequest &request);
// The hotkey whose capture a `--capture` kind is: 1 to 4, 0 for the kinds no hotkey runs.
int HotkeyIdOfKind(const QString &kind);

QString UsageText();
QString VersionText();

}  // namespace tiv
