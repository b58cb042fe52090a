#pragma once

#include <QString>

namespace tiv {

// The Wayland desktops whose own key settings the binding hint can name.
enum class DesktopKind { Sway, Gnome, Kde, Other };

// From XDG_CURRENT_DESKTOP ("sway", "GNOME", "ubuntu:GNOME", "KDE", ...).
DesktopKind DesktopKindOf(const QString &currentDesktop);

// The hint shown when the desktop lets no program hold system-wide keys: the commands to bind,
// with the program's full path, and the line or place the desktop itself takes them in.
QString DesktopBindingHint(DesktopKind desktop, const QString &programPath);

}  // namespace tiv
