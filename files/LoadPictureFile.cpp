#include "files/LoadPictureFile.h"

#include "files/BmpCodec.h"
#include "files/DecodeLimits.h"
#include "files/JpegCodec.h"
#include "files/PicturePath.h"
#include "files/PngCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace tiv {

namespace {

// The general readers decode from the file; its bytes are kept only once it proved a picture.
CanvasPicture ForeignPicture(QFile &file)
{
    QImageReader reader(&file);
    const QImage image = reader.read();
    if (image.isNull() || !file.seek(0))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return {};
    return {CanvasPicture::Kind::Foreign, image, bytes};
}

}  // namespace

CanvasPicture LoadPictureFile(const QString &path)
{
    // Only regular files: opening a named pipe or a device would block or never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0 || info.size() > kMaxPictureFileBytes)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString extension = FileExtension(path).toUpper();
    if (extension == u".JPG" || extension == u".JPEG")
        return CanvasPicture::bitmap(DecodeJpeg(file));
    if (extension == u".BMP")
        return CanvasPicture::bitmap(DecodeBmp(file));
    if (extension == u".PNG")
        return CanvasPicture::bitmap(DecodePng(file));
    return ForeignPicture(file);
}

bool OpenUnreadableWithDesktop(const QString &path)
{
    const QString extension = FileExtension(path).toUpper();
    const bool handed = extension == u".JPG" || extension == u".JPEG" || extension == u".BMP";
    return handed && QFileInfo(path).isFile();
}

}  // namespace tiv
