#include "files/LoadPictureFile.h"

#include "files/BmpCodec.h"
#include "files/JpegCodec.h"
#include "files/PicturePath.h"
#include "files/PngCodec.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace tiv {

namespace {

QByteArray ReadWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

CanvasPicture ForeignPicture(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return {CanvasPicture::Kind::Foreign, image, bytes};
}

}  // namespace

CanvasPicture LoadPictureFile(const QString &path)
{
    const QString extension = FileExtension(path).toUpper();
    const QByteArray bytes = ReadWholeFile(path);
    if (bytes.isEmpty())
        return {};
    if (extension == u".JPG" || extension == u".JPEG")
        return CanvasPicture::bitmap(DecodeJpeg(bytes));
    if (extension == u".BMP")
        return CanvasPicture::bitmap(DecodeBmp(bytes));
    if (extension == u".PNG")
        return CanvasPicture::bitmap(DecodePng(bytes));
    return ForeignPicture(bytes);
}

bool OpenUnreadableWithDesktop(const QString &path)
{
    const QString extension = FileExtension(path).toUpper();
    const bool handed = extension == u".JPG" || extension == u".JPEG" || extension == u".BMP";
    return handed && QFileInfo(path).isFile();
}

}  // namespace tiv

namespace tiv {

CanvasPicture LoadCanvasPictureFile(const QString &path)
{
    static const QStringList known{QStringLiteral(".BMP"), QStringLiteral(".ICO"), QStringLiteral(".EMF"),
                                   QStringLiteral(".WMF"), QStringLiteral(".JPG"), QStringLiteral(".JPEG"),
                                   QStringLiteral(".PNG")};
    if (!known.contains(FileExtension(path).toUpper()))
        return {};
    return LoadPictureFile(path);
}

}  // namespace tiv
