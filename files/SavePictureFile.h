#pragma once

#include "common/CanvasPicture.h"
#include "files/SafeFileWrite.h"

#include <QString>

namespace tiv {

struct SavePictureResult {
    enum class Kind {
        Written,        // path is the file written
        NothingToSave,  // the canvas holds nothing this format can take: nothing written, nothing said
        IllegalPath,    // the target has no folder part; path is that (empty) folder part
        EncodeFailed,   // JPEG or PNG not written: nothing is said
        SaveFailed,     // the BMP or original-bytes write failed; path is the target
    };
    Kind kind = Kind::Written;
    QString path;
    // Why the bytes could not be written, when they could not.
    WriteFailure failure = WriteFailure::None;
};

struct NextPictureNameResult;

// Writes the canvas picture to path in the format its extension names, without regard to case:
// ".jpg" and ".jpeg" JPEG at quality 100, ".png" PNG (written under a lower-case ".png"), anything
// else a BMP of the bitmap or the original bytes of a foreign picture. Missing folder levels are
// made first. An existing file is replaced only by a complete new one.
SavePictureResult SavePictureFile(const QString &path, const CanvasPicture &picture);

// Saves the picture as a new file under name, an automatic name; while the name is taken, by a
// file the naming rule does not count or by another copy of the program saving at the same time,
// the next number's name is tried. No file is ever replaced; path is the file written.
SavePictureResult SaveNewPictureFile(NextPictureNameResult name, const CanvasPicture &picture);

// The file SavePictureFile writes for path: path itself, or with its ".png" in any case made
// lower-case.
QString WrittenPicturePath(const QString &path);

}  // namespace tiv
