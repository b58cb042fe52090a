#include "FuzzCheck.h"
#include "codecs/ParallelDeflate.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include <zlib.h>

// The first two bytes pick the row length and the number of pieces, the rest are the rows: the
// joined pieces must inflate, checksum included, to exactly the rows given.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const qsizetype rowBytes = 1 + data[0] % 64;
    const int pieces = 1 + data[1] % 9;
    const uint8_t *rows = data + 2;
    const int rowCount = int((size - 2) / size_t(rowBytes));
    if (rowCount == 0)
        return 0;
    const QByteArray stream = tiv::DeflateRows(
        rowCount, rowBytes, [&](int y, unsigned char *out) { std::memcpy(out, rows + y * rowBytes, size_t(rowBytes)); },
        pieces);
    FUZZ_CHECK(!stream.isEmpty());
    QByteArray inflated(rowBytes * rowCount + 1, '\0');
    uLongf length = uLongf(inflated.size());
    FUZZ_CHECK(uncompress(reinterpret_cast<Bytef *>(inflated.data()), &length,
                          reinterpret_cast<const Bytef *>(stream.constData()), uLong(stream.size())) == Z_OK);
    FUZZ_CHECK(qsizetype(length) == rowBytes * rowCount);
    FUZZ_CHECK(std::memcmp(inflated.constData(), rows, size_t(length)) == 0);
    return 0;
}
