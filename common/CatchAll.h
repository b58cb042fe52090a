#pragma once

namespace tiv {

// Handlers and start-up groups drop every error without a word: whatever was already changed
// stays changed, and the program goes on.
template <typename F>
void CatchAll(F &&f) noexcept
{
    try {
        f();
    } catch (...) {
    }
}

}  // namespace tiv
