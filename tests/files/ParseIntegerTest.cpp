#include "files/ParseInteger.h"

#include <gtest/gtest.h>

#include <QString>

using tiv::ParseInteger;

TEST(ParseInteger, WholeSyntaxWithPartialValues)
{
    struct Case {
        const char *text;
        bool ok;
        int32_t value;
    } cases[] = {
        {"12", true, 12},         {"   7", true, 7},         {"+5", true, 5},
        {"-5", true, -5},         {"$ff", true, 255},       {"xFF", true, 255},
        {"X10", true, 16},        {"0x1f", true, 31},       {"0X1F", true, 31},
        {"$FFFFFFFF", true, -1},  {"-$1", true, -1},        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},                   {"0", true, 0},
        {"", false, 0},           {"   ", false, 0},        {"-", false, 0},
        {"$", false, 0},          {"0x", false, 0},         {"12a", false, 12},
        {"1 ", false, 1},         {"a1a2", false, 0},       {"2147483648", false, 214748364},
        {"$123456789", false, 0x12345678},                  {"5.JPG", false, 5},
        {"0.5", false, 0},        {"007", true, 7},         {"1e3", false, 1},
    };
    for (const Case &c : cases) {
        const auto r = ParseInteger(QString::fromLatin1(c.text));
        EXPECT_EQ(r.ok, c.ok) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
    }
}
