#include "FuzzCheck.h"
#include "codecs/DecodeLimits.h"
#include "files/LoadPictureFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The first byte picks the extension, the rest is the file: the dispatch by extension and every
// reader behind it, the general image readers included.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *const kExtensions[] = {".jpg", ".JPEG", ".bmp", ".png", ".gif", ".ico", ".ppm", ""};
    static QTemporaryDir folder;
    if (size == 0 || !folder.isValid())
        return 0;
    const QString path = folder.filePath(QStringLiteral("input") + kExtensions[data[0] % 8]);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    }
    const tiv::CanvasPicture picture = tiv::LoadPictureFile(path);
    QFile::remove(path);
    if (picture.isBitmap())
        FUZZ_CHECK(tiv::DecodableSize(picture.image.width(), picture.image.height()));
    if (picture.kind == tiv::CanvasPicture::Kind::Foreign)
        FUZZ_CHECK(picture.foreignData.size() == qsizetype(size - 1));
    return 0;
}
