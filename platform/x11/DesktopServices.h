#pragma once

#include "platform/ClipboardService.h"
#include "platform/DriveService.h"
#include "platform/ShellService.h"
#include "platform/StartupEntries.h"

namespace tiv::x11 {

// The system clipboard through the toolkit, which offers image/png and image/bmp targets and
// hands its content to a running clipboard manager when the program exits.
class ToolkitClipboard : public ClipboardService {
public:
    void setImage(const QImage &image) override;
};

// Opens files, folders and addresses with the desktop's own programs (xdg-open and friends).
class XdgShell : public ShellService {
public:
    bool openPath(const QString &path) override;
    bool openUrl(const QString &url) override;
    bool openFolderInFileManager(const QString &folder) override;
    bool openInPaintProgram(const QString &picture) override;
};

// Mount points read from the kernel's mount table. The table is read again only after the kernel
// has said it changed: every capture checks the picture folder's disk.
class MountTable : public DriveService {
public:
    ~MountTable() override;
    QStringList mountPoints() override;

private:
    bool changedSinceRead();

    int table_ = -1;
    QStringList points_;
};

// Log-in start entries of the freedesktop autostart folder.
class XdgAutostart : public StartupEntries {
public:
    bool removeEntry(const QString &name) override;
};

}  // namespace tiv::x11
