#pragma once

#include "common/CanvasPicture.h"

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
};

// Writes the canvas picture to path in the format its extension names, without regard to case:
// ".jpg" and ".jpeg" JPEG at quality 100, ".png" PNG (written under a lower-case ".png"), anything
// else a BMP of the bitmap or the original bytes of a foreign picture. Missing folder levels are
// made first. An existing file is replaced only by a complete new one.
SavePictureResult SavePictureFile(const QString &path, const CanvasPicture &picture);

// The file SavePictureFile writes for path: path itself, or with its ".png" in any case made
// lower-case.
QString WrittenPicturePath(const QString &path);

}  // namespace tiv
