#pragma once

#include <QString>

namespace tiv {

// Entries that start a program when the user logs in.
class StartupEntries {
public:
    virtual ~StartupEntries() = default;
    // True when an entry of that name existed and is gone now.
    virtual bool removeEntry(const QString &name) = 0;
};

}  // namespace tiv
