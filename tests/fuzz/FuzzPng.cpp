#include "FuzzCheck.h"
#include "codecs/DecodeLimits.h"
#include "codecs/PngCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QImage image = tiv::DecodePng(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (image.isNull())
        return 0;
    FUZZ_CHECK(tiv::DecodableSize(image.width(), image.height()));
    FUZZ_CHECK(image.format() == QImage::Format_RGB32);
    // PNG is lossless: what we decode, our encoder writes back pixel for pixel.
    if (qint64(image.width()) * image.height() <= 256 * 256)
        FUZZ_CHECK(tiv::DecodePng(tiv::EncodePng(image)) == image);
    return 0;
}
