#pragma once

#include "common/CanvasPicture.h"

#include <QString>

namespace tiv {

// Loads a picture file by its extension, without regard to case: ".bmp", ".jpg", ".jpeg" and
// ".png" become editable bitmaps; anything the general image readers know becomes a foreign
// picture that keeps the file's bytes. Pictures are decoded from the file as they are read; a file
// that cannot be read, is no regular file, or is larger than kMaxPictureFileBytes (513 MiB) gives
// an empty picture.
CanvasPicture LoadPictureFile(const QString &path);
// The same for a path in the file system's own bytes, which need not be UTF-8.
CanvasPicture LoadPictureNativeFile(const QByteArray &path);

// Whether a file that LoadPictureFile could not read should be handed to the desktop to open
// instead: JPEG and BMP files that exist; other formats are silently not shown.
bool OpenUnreadableWithDesktop(const QByteArray &path);

}  // namespace tiv

namespace tiv {

// The canvas's own loader, used when the last picture is re-opened at start: only the formats the
// canvas knows by extension (".bmp", ".ico", ".emf", ".wmf", ".jpg", ".jpeg", ".png", any case).
// Anything else, or a file that fails to load, gives an empty picture; nothing is handed on.
CanvasPicture LoadCanvasPictureFile(const QString &path);

}  // namespace tiv
