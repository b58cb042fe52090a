#pragma once

#include <QStringView>
#include <cstdint>

namespace tiv {

struct ParsedInteger {
    bool ok = false;
    // On failure: the number formed by the digits read before the offending character.
    int32_t value = 0;
};

// The integer syntax of picture numbers: optional leading blanks, an optional sign, then decimal
// digits that fit 32 bits signed, or after "$", "x", "X", "0x" or "0X" one to eight hexadecimal
// digits read as a 32-bit pattern. Nothing may follow.
ParsedInteger ParseInteger(QStringView text);

}  // namespace tiv
