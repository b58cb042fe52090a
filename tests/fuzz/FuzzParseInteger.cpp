#include "FuzzCheck.h"
#include "files/ParseInteger.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const tiv::ParsedInteger parsed = tiv::ParseInteger(text);
    if (!parsed.ok)
        return 0;
    // Every value read back from its decimal and "$" forms is the same value.
    FUZZ_CHECK(tiv::ParseInteger(QString::number(parsed.value)).value == parsed.value);
    FUZZ_CHECK(tiv::ParseInteger(u'$' + QString::number(quint32(parsed.value), 16)).value == parsed.value);
    FUZZ_CHECK(tiv::ParseInteger(QStringLiteral("  ") + text).value == parsed.value);
    return 0;
}
