#pragma once

#include <QString>

namespace tiv {

// "defualt.ini" (spelled so, for files carried over from older installs) beside the program when that
// folder may be written and the program is not an installed one (its desktop entry in
// ../share/applications), else "TIVrevudu/defualt.ini" under the user's configuration folder.
QString SettingsFilePath(const QString &programDir, const QString &configDir);

// The same for the running program and the current user.
QString SettingsFilePath();

}  // namespace tiv
