#include "platform/ProcessPrivileges.h"

#include <unistd.h>

namespace tiv {

bool RunningAsAdministrator()
{
    return ::geteuid() == 0;
}

}  // namespace tiv
