#include "FuzzCheck.h"
#include "files/BmpCodec.h"
#include "files/DecodeLimits.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QImage image = tiv::DecodeBmp(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (image.isNull())
        return 0;
    FUZZ_CHECK(tiv::DecodableSize(image.width(), image.height()));
    FUZZ_CHECK(image.format() == QImage::Format_RGB32);
    // The loader hands the reader a device already past some bytes; every offset in the headers
    // counts from where the picture starts.
    QBuffer device;
    device.setData(QByteArray("BM") + QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    FUZZ_CHECK(device.open(QIODevice::ReadOnly) && device.seek(2));
    FUZZ_CHECK(tiv::DecodeBmp(device) == image);
    if (qint64(image.width()) * image.height() <= 256 * 256)
        FUZZ_CHECK(tiv::DecodeBmp(tiv::EncodeBmp(image)) == image);
    return 0;
}
