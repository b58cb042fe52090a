#include "FuzzCheck.h"
#include "files/BmpCodec.h"
#include "files/DecodeLimits.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QImage image = tiv::DecodeBmp(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (image.isNull())
        return 0;
    FUZZ_CHECK(tiv::DecodableSize(image.width(), image.height()));
    FUZZ_CHECK(image.format() == QImage::Format_RGB32);
    if (qint64(image.width()) * image.height() <= 256 * 256)
        FUZZ_CHECK(tiv::DecodeBmp(tiv::EncodeBmp(image)) == image);
    return 0;
}
