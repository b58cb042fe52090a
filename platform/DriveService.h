#pragma once

#include <QStringList>

namespace tiv {

// The mount points stand in for logical drives.
class DriveService {
public:
    virtual ~DriveService() = default;
    virtual QStringList mountPoints() = 0;
};

}  // namespace tiv
