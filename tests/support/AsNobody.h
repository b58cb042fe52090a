#pragma once

#include <QFile>
#include <QString>

#include <initializer_list>
#include <sys/fsuid.h>
#include <unistd.h>

namespace tiv {

// File access as a user without privileges while the object lives, so that permissions hold even
// when the tests run as root: root hands the given paths to "nobody" and reaches files as that
// user and group from this thread. Another user keeps its own files and its own rights.
class AsNobody {
public:
    explicit AsNobody(std::initializer_list<QString> owned)
    {
        if (::geteuid() != 0)
            return;
        for (const QString &path : owned)
            (void)::chown(QFile::encodeName(path).constData(), Nobody, Nobody);
        // The group too, or root's group would take the place of "other" in every check.
        ::setfsgid(Nobody);
        ::setfsuid(Nobody);
    }
    ~AsNobody()
    {
        if (::geteuid() != 0)
            return;
        ::setfsuid(0);
        ::setfsgid(0);
    }
    AsNobody(const AsNobody &) = delete;
    AsNobody &operator=(const AsNobody &) = delete;

private:
    static constexpr uid_t Nobody = 65534;
};

}  // namespace tiv
