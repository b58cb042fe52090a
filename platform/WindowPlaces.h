#pragma once

#include <QString>

namespace tiv {

// Where the desktop lets a program say where its own windows go (sway's IPC does). A window
// hidden and shown again is mapped afresh, and a tiling desktop would put it on the workspace the
// user looks at, among the user's windows; here it goes back where it was. Windows are named by
// their titles.
class WindowPlaces {
public:
    virtual ~WindowPlaces() = default;
    // Notes the workspace of the shown window `title`, before it is hidden.
    virtual void notePlace(const QString &title) = 0;
    // Once the window is shown again, puts it back on the noted workspace; the user's own view
    // stays where it is. The note is used once.
    virtual void returnToPlace(const QString &title) = 0;
    // Once the window is shown, gives it the focus, switching to its workspace.
    virtual void bringForward(const QString &title) = 0;
};

}  // namespace tiv
