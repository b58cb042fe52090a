#include "files/SaveFailedText.h"

#include "text/InterfaceText.h"

namespace tiv {

QString SaveFailedText(const QString &path, WriteFailure failure)
{
    switch (failure) {
    case WriteFailure::DiskFull:
        return FormatText(TxtSaveFailedDiskFull, {path});
    case WriteFailure::NoPermission:
        return FormatText(TxtSaveFailedNoPermission, {path});
    case WriteFailure::None:
    case WriteFailure::NameTaken:
    case WriteFailure::Other:
        break;
    }
    return FormatText(TxtSaveFailed, {path});
}

}  // namespace tiv
