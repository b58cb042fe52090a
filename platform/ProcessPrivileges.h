#pragma once

namespace tiv {

// Whether the program runs with the administrator's rights (root here). The embedded browser's
// sandbox cannot start under root, so only then is it turned off.
bool RunningAsAdministrator();

}  // namespace tiv
