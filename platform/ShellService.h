#pragma once

#include <QString>

namespace tiv {

class ShellService {
public:
    virtual ~ShellService() = default;
    // Opens a local file or folder with the desktop's default handler.
    virtual bool openPath(const QString &path) = 0;
    // Opens a web address in the user's browser.
    virtual bool openUrl(const QString &url) = 0;
    virtual bool openFolderInFileManager(const QString &folder) = 0;
    virtual bool openInPaintProgram(const QString &picture) = 0;
};

}  // namespace tiv
