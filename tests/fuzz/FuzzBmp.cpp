#include "FuzzCheck.h"
#include "codecs/BmpCodec.h"
#include "codecs/DecodeLimits.h"

#include <QBuffer>
#include <QtEndian>

#include <cstddef>
#include <cstdint>

namespace {

// A few hundred bytes of run-length codes can stand for the largest picture there is, white but
// for a few pixels: that is allowed, and each such input costs the fuzzer seconds of memory filling
// and freeing under the sanitizers while reaching no code a smaller picture does not.
bool HugeRunLengthClaim(const uint8_t *data, size_t size)
{
    if (size < 34)
        return false;
    const qint64 width = qFromLittleEndian<qint32>(data + 18), height = qFromLittleEndian<qint32>(data + 22);
    const quint32 compression = qFromLittleEndian<quint32>(data + 30);
    return (compression == 1 || compression == 2) && qAbs(width) * qAbs(height) > 4096 * 4096;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (HugeRunLengthClaim(data, size))
        return 0;
    const QImage image = tiv::DecodeBmp(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (image.isNull())
        return 0;
    FUZZ_CHECK(tiv::DecodableSize(image.width(), image.height()));
    FUZZ_CHECK(image.format() == QImage::Format_RGB32);
    if (qint64(image.width()) * image.height() > 256 * 256)
        return 0;
    FUZZ_CHECK(tiv::DecodeBmp(tiv::EncodeBmp(image)) == image);
    // The loader hands the reader a device already past some bytes; every offset in the headers
    // counts from where the picture starts.
    QBuffer device;
    device.setData(QByteArray("BM") + QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    FUZZ_CHECK(device.open(QIODevice::ReadOnly) && device.seek(2));
    FUZZ_CHECK(tiv::DecodeBmp(device) == image);
    return 0;
}
