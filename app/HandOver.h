#pragma once

#include <string>

namespace tiv {

// The client side of the running copy's socket (app/RunningCopy.h), without the toolkit: a start
// that only hands a command over does so before any of the toolkit's libraries are loaded.

// The socket of this user's copy on this desktop (one per display, so parallel sessions and test
// servers each keep their own).
std::string RunningCopySocketPath();

// Makes the socket's folder, for this user alone.
void MakeSocketFolder(const std::string &socketPath);

// True when a running copy took the message.
bool HandOverToRunningCopy(const std::string &socketPath, const std::string &message);

enum class StartRole { HandedOver, Serve, NoAnswer };
// Hands the message over, or takes the lock of the serving copy when no copy runs (HandedOver or
// Serve); the lock is held until this process ends. A copy still starting holds the lock; the
// message waits for its socket. NoAnswer: a copy holds the lock and never listened.
StartRole HandOverOrClaim(const std::string &socketPath, const std::string &message);

}  // namespace tiv
