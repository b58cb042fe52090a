#pragma once

#include "files/SafeFileWrite.h"

#include <QString>

namespace tiv {

// "保存失败" with the file, and why where the system told: a full disk and a refused permission
// ask different things of the user.
QString SaveFailedText(const QString &path, WriteFailure failure);

}  // namespace tiv
