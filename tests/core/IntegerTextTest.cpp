#include "text/IntegerText.h"
#include "platform/AppError.h"

#include <gtest/gtest.h>

#include <optional>

using zantor::IntegerText::Parse;

namespace {

struct Case {
    const char* text;
    std::optional<std::int32_t> value;
};

const Case kCases[] = {
    {"0", 0},
    {"123", 123},
    {"+123", 123},
    {"-123", -123},
    {"   42", 42},
    {"  -0x10", -16},
    {"$7FF", 0x7FF},
    {"0x7ff", 0x7FF},
    {"0X7FF", 0x7FF},
    {"x1A", 0x1A},
    {"X1a", 0x1A},
    {"-$10", -16},
    {"2147483647", 2147483647},
    {"-2147483648", INT32_MIN},
    {"0x1FFFFFFF", 0x1FFFFFFF},
    {"0x80000000", INT32_MIN},
    {"0xFFFFFFFF", -1},
    {"0x000000000001", 1}, // leading zeros are not significant
    {"007", 7},
    // invalid
    {"", std::nullopt},
    {" ", std::nullopt},
    {"-", std::nullopt},
    {"0x", std::nullopt},
    {"$", std::nullopt},
    {"7FF", std::nullopt}, // hexadecimal without a prefix
    {"12 ", std::nullopt}, // trailing blank
    {"12a", std::nullopt},
    {"+-1", std::nullopt},
    {"--1", std::nullopt},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999", std::nullopt},
    {"0x100000000", std::nullopt}, // nine significant digits
    {"0x0x1", std::nullopt},
    {"\t1", std::nullopt},
    {"1.0", std::nullopt},
};

TEST(IntegerText, ParsesEveryFormAndRefusesTheRest) {
    for (const Case& c : kCases) {
        EXPECT_EQ(Parse(c.text), c.value) << "text '" << c.text << "'";
    }
}

TEST(IntegerText, StrictThrowsTheProgramsMessage) {
    EXPECT_EQ(zantor::IntegerText::Strict("0x10"), 16);
    try {
        zantor::IntegerText::Strict("12 ");
        FAIL() << "no error";
    } catch (const zantor::AppError& e) {
        EXPECT_STREQ(e.what(), "'12 ' is not a valid integer value");
    }
}

TEST(IntegerText, WithDefaultFallsBackOnlyForInvalidText) {
    EXPECT_EQ(zantor::IntegerText::WithDefault("yes", 0), 0);
    EXPECT_EQ(zantor::IntegerText::WithDefault("", 7), 7);
    EXPECT_EQ(zantor::IntegerText::WithDefault("-5", 7), -5);
}

} // namespace
