#include "FuzzCheck.h"
#include "codecs/DecodeLimits.h"
#include "codecs/JpegCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QImage image = tiv::DecodeJpeg(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (image.isNull())
        return 0;
    FUZZ_CHECK(tiv::DecodableSize(image.width(), image.height()));
    FUZZ_CHECK(image.format() == QImage::Format_RGB32);
    // What we decode, our encoder writes back and reads again at the same size.
    if (qint64(image.width()) * image.height() <= 256 * 256)
        FUZZ_CHECK(tiv::DecodeJpeg(tiv::EncodeJpeg(image)).size() == image.size());
    return 0;
}
