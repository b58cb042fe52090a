#include "files/LoadPictureFile.h"

#include "codecs/BmpCodec.h"
#include "codecs/DecodeLimits.h"
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"
#include "files/PicturePath.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tiv {

namespace {

// Icon files larger than this are not icons.
constexpr qint64 kMaxIconFileBytes = 16 << 20;

// Whether a PNG inside an icon has a chunk whose length runs past the data that holds it. Qt hands
// embedded PNGs to libpng, which allocates and clears what such a length claims (up to 2 GiB)
// before it finds the data missing.
bool IconHasOverlongPngChunk(const QByteArray &icon)
{
    const auto *data = reinterpret_cast<const uchar *>(icon.constData());
    const qint64 size = icon.size();
    if (size < 6)
        return false;
    const int entries = qFromLittleEndian<quint16>(data + 4);
    for (int i = 0; i < entries && 6 + 16 * (i + 1) <= size; ++i) {
        const uchar *entry = data + 6 + 16 * i;
        const qint64 start = qFromLittleEndian<quint32>(entry + 12);
        const qint64 end = qMin(size, start + qint64(qFromLittleEndian<quint32>(entry + 8)));
        if (start >= end || !icon.mid(start, 8).startsWith("\x89PNG"))
            continue;
        for (qint64 at = start + 8; at + 8 <= end;) {
            const qint64 length = qFromBigEndian<quint32>(data + at);
            if (length > end - at - 12)
                return true;
            at += 12 + length;
        }
    }
    return false;
}

// The general readers serve the formats our decoders do not know. Content that is PNG, JPEG or
// BMP whatever the file's name goes to our own decoders, which refuse hostile files that the
// general readers would spend seconds and gigabytes on. The file's bytes are kept only once it
// proved a picture.
CanvasPicture ForeignPicture(QFile &file)
{
    QImageReader reader(&file);
    const QByteArray format = reader.format();
    QImage image;
    if (format == "png" || format == "jpeg" || format == "bmp") {
        file.seek(0);
        image = format == "png" ? DecodePng(file) : format == "jpeg" ? DecodeJpeg(file) : DecodeBmp(file);
    } else if (format == "ico") {
        if (file.size() <= kMaxIconFileBytes && file.seek(0) && !IconHasOverlongPngChunk(file.readAll()) && file.seek(0))
            image = QImageReader(&file, format).read();
    } else {
        image = reader.read();
    }
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
    return LoadPictureNativeFile(QFile::encodeName(path));
}

CanvasPicture LoadPictureNativeFile(const QByteArray &path)
{
    // Only regular files: opening a named pipe or a device would block or never end, so the file
    // is opened without waiting and looked at before anything is read.
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    QFile file;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0 ||
        info.st_size > kMaxPictureFileBytes || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    const QString extension = FileExtension(QFile::decodeName(path)).toUpper();
    if (extension == u".JPG" || extension == u".JPEG")
        return CanvasPicture::bitmap(DecodeJpeg(file));
    if (extension == u".BMP")
        return CanvasPicture::bitmap(DecodeBmp(file));
    if (extension == u".PNG")
        return CanvasPicture::bitmap(DecodePng(file));
    return ForeignPicture(file);
}

bool OpenUnreadableWithDesktop(const QByteArray &path)
{
    const QString extension = FileExtension(QFile::decodeName(path)).toUpper();
    struct stat info;
    const bool handed = extension == u".JPG" || extension == u".JPEG" || extension == u".BMP";
    return handed && ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
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
