#pragma once

#include <chrono>
#include <functional>

namespace tiv {

// Tells when windows of the program that it has just hidden are gone from what the screen shows:
// the server has taken them off, and whatever lay below them (other programs, the window
// manager, a compositor) has painted over every place they showed.
class WindowDepartureWatch {
public:
    virtual ~WindowDepartureWatch() = default;
    // Notes the program's windows on the screen now: where they show and what they show there.
    virtual void noteShownWindows() = 0;
    // Returns once every noted window hidden since is off the screen (true), or once `ceiling`
    // has passed (false).
    virtual bool waitUntilGone(std::chrono::milliseconds ceiling) = 0;
};

// Runs `hide`, then waits until what it hid has left the screen: as long as that takes where the
// desktop can tell, else the whole ceiling. A `hide` that returns false hid nothing: no wait.
void HideAndWaitUntilGone(WindowDepartureWatch *watch, const std::function<bool()> &hide, int ceilingMilliseconds);

}  // namespace tiv
