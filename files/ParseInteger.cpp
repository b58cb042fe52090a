#include "files/ParseInteger.h"

namespace tiv {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

}  // namespace

ParsedInteger ParseInteger(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    bool hex = false;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }

    uint32_t magnitude = 0;
    int digits = 0;
    for (; i < n; ++i) {
        const int d = hexDigit(text[i]);
        if (hex) {
            if (d < 0 || digits == 8)
                return {false, int32_t(magnitude)};
            magnitude = magnitude << 4 | uint32_t(d);
        } else {
            if (d < 0 || d > 9)
                return {false, int32_t(magnitude)};
            const uint64_t next = uint64_t(magnitude) * 10 + uint64_t(d);
            if (next > (negative ? 2147483648ull : 2147483647ull))
                return {false, int32_t(magnitude)};
            magnitude = uint32_t(next);
        }
        ++digits;
    }
    if (digits == 0)
        return {false, 0};
    const int32_t value = int32_t(magnitude);  // a hexadecimal pattern keeps its bits
    return {true, negative ? int32_t(0u - magnitude) : value};
}

}  // namespace tiv
