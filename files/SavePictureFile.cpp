#include "files/SavePictureFile.h"

#include "codecs/BmpCodec.h"
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"
#include "files/NextPictureName.h"
#include "files/PicturePath.h"

#include <QFile>

#include <sys/stat.h>

namespace tiv {

namespace {

using Kind = SavePictureResult::Kind;

// The bytes a picture is saved as under a name and how a failed write of them is reported; or, in
// `nothing`, the result of a save that writes nothing.
struct EncodedPicture {
    QByteArray bytes;
    Kind failure = Kind::SaveFailed;
    SavePictureResult nothing = {Kind::Written, {}};
    bool writes() const { return nothing.kind == Kind::Written; }
};

EncodedPicture InOwnForm(const CanvasPicture &picture)
{
    if (picture.isBitmap())
        return {EncodeBmp(picture.image)};
    if (picture.kind == CanvasPicture::Kind::Foreign)
        return {picture.foreignData};
    return {{}, Kind::SaveFailed, {Kind::NothingToSave, {}}};
}

EncodedPicture Encode(const QString &path, const CanvasPicture &picture)
{
    const QString folder = FolderPart(path);
    if (!MakeFolderPath(folder))
        return {{}, Kind::SaveFailed, {Kind::IllegalPath, folder}};
    const QString extension = FileExtension(path).toUpper();
    const bool jpeg = extension == u".JPG" || extension == u".JPEG";
    const bool png = extension == u".PNG";
    if (!jpeg && !png)
        return InOwnForm(picture);
    if (!picture.isBitmap())
        return {{}, Kind::SaveFailed, {Kind::NothingToSave, {}}};
    const QByteArray bytes = jpeg ? EncodeJpeg(picture.image, 100) : EncodePng(picture.image);
    // A picture the encoder refused (no bytes) is reported as one that could not be written.
    return {bytes, Kind::EncodeFailed};
}

SavePictureResult Failed(const EncodedPicture &encoded, const QString &path, WriteFailure failure)
{
    return {encoded.failure, encoded.failure == Kind::SaveFailed ? path : QString(), failure};
}

bool NameInUse(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
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
    const EncodedPicture encoded = Encode(path, picture);
    if (!encoded.writes())
        return encoded.nothing;
    const QString written = WrittenPicturePath(path);
    const WriteFailure failure = encoded.bytes.isEmpty() ? WriteFailure::Other : ReplaceFileContents(written, encoded.bytes);
    return failure == WriteFailure::None ? SavePictureResult{Kind::Written, written} : Failed(encoded, written, failure);
}

SavePictureResult SaveNewPictureFile(NextPictureNameResult name, const CanvasPicture &picture)
{
    const EncodedPicture encoded = Encode(name.path, picture);
    if (!encoded.writes())
        return encoded.nothing;
    if (encoded.bytes.isEmpty())
        return Failed(encoded, WrittenPicturePath(name.path), WriteFailure::Other);
    for (;;) {
        const QString path = WrittenPicturePath(name.path);
        // A name seen in use is passed over without writing the picture first.
        const WriteFailure failure = NameInUse(path) ? WriteFailure::NameTaken : CreateFileExclusively(path, encoded.bytes);
        if (failure == WriteFailure::None)
            return {Kind::Written, path};
        const NextPictureNameResult following = FollowingPictureName(name);
        if (failure != WriteFailure::NameTaken || following.kind != NextPictureNameResult::Kind::Ok)
            return Failed(encoded, path, failure);
        name = following;
    }
}

}  // namespace tiv
