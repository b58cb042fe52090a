#pragma once

#include <QDir>
#include <QString>

namespace tiv {

// Where pictures go until the user chooses another folder.
inline QString DefaultPictureFolder()
{
    return QDir::homePath() + QStringLiteral("/TIVSoft/ZevazoRUV/IMG");
}

}  // namespace tiv
