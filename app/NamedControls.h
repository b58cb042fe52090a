#pragma once

class QAction;
class QMenu;
class QPushButton;
class QWidget;

namespace tiv {

// Controls carry their code names as object names, so tests and tools find them by name.

// A push button that the keyboard reaches by Tab only, like the window's picture buttons.
QPushButton *NamedButton(QWidget *parent, const char *name, const char *caption = "", bool visible = true);
// A pop-up menu owned by `parent`.
QMenu *NamedMenu(QWidget *parent, const char *name);
QAction *NamedMenuItem(QMenu *menu, const char *name, const char *caption, bool checkable = false);

}  // namespace tiv
