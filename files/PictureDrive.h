#pragma once

#include <QString>
#include <QStringList>

namespace tiv {

// The "drive" of a path on this platform, taken from the path text alone so that an unplugged disk
// is noticed instead of its empty mount folder passing for it: "/media/USER/NAME" or
// "/run/media/USER/NAME" (USER the login name), else "/media/NAME" or "/mnt/NAME", when the path
// lies at or below one of them; "/" for any other absolute path; empty for a relative or empty path.
QString DrivePart(const QString &path, const QString &loginName);

// Whether the drive (trimmed) is present: "/" always is, any other drive when it is a mount point.
// Compared with case, since paths here are case-sensitive; a trailing "/" does not matter.
bool DriveExists(const QString &drive, const QStringList &mountPoints);

// What the check before any picture is written makes of a picture folder text.
struct PictureFolderCheck {
    enum class Kind {
        Usable,       // folder may be made and written into
        Empty,        // no folder text at all
        Relative,     // a path not from "/": it would land wherever the program was started
        DiskMissing,  // drive is not mounted: writing would hide pictures under its empty mount folder
    };
    Kind kind = Kind::Usable;
    QString folder;  // the text with a leading "~" or "~/" turned into the home folder
    QString drive;   // DrivePart of folder
};

// People type "~/Pictures", so a leading "~" means home; any other relative path is refused rather
// than made below the working folder.
PictureFolderCheck CheckPictureFolder(const QString &text, const QString &home, const QString &loginName,
                                      const QStringList &mountPoints);

// The name the user logged in with, as the removable-disk folders use it.
QString LoginName();

}  // namespace tiv
