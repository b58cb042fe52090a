#include "files/SavePictureFile.h"

#include "codecs/BmpCodec.h"
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"
#include "files/PicturePath.h"
#include "files/SafeFileWrite.h"

namespace tiv {

namespace {

using Kind = SavePictureResult::Kind;

SavePictureResult WriteEncoded(const QString &path, const QByteArray &bytes, Kind failure)
{
    if (!bytes.isEmpty() && WriteFileSafely(path, bytes))
        return {Kind::Written, path};
    return {failure, failure == Kind::SaveFailed ? path : QString()};
}

SavePictureResult SaveInOwnForm(const QString &path, const CanvasPicture &picture)
{
    if (picture.isBitmap())
        return WriteEncoded(path, EncodeBmp(picture.image), Kind::SaveFailed);
    if (picture.kind == CanvasPicture::Kind::Foreign)
        return WriteFileSafely(path, picture.foreignData) ? SavePictureResult{Kind::Written, path}
                                                          : SavePictureResult{Kind::SaveFailed, path};
    return {Kind::NothingToSave, {}};
}

}  // namespace

QString WrittenPicturePath(const QString &path)
{
    const QString extension = FileExtension(path);
    if (extension.toUpper() != u".PNG")
        return path;
    return path.left(path.size() - extension.size()) + QStringLiteral(".png");
}

SavePictureResult SavePictureFile(const QString &path, const CanvasPicture &picture)
{
    const QString folder = FolderPart(path);
    if (!MakeFolderPath(folder))
        return {Kind::IllegalPath, folder};
    const QString extension = FileExtension(path).toUpper();
    const bool jpeg = extension == u".JPG" || extension == u".JPEG";
    const bool png = extension == u".PNG";
    if (!jpeg && !png)
        return SaveInOwnForm(path, picture);
    if (!picture.isBitmap())
        return {Kind::NothingToSave, {}};
    if (jpeg)
        return WriteEncoded(path, EncodeJpeg(picture.image, 100), Kind::EncodeFailed);
    return WriteEncoded(WrittenPicturePath(path), EncodePng(picture.image), Kind::EncodeFailed);
}

}  // namespace tiv
