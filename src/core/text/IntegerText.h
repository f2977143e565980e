#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zantor::IntegerText {

// The one text form of integers: optional leading blanks, at most one sign, then decimal
// digits or one of "$", "0x", "0X", "x", "X" followed by hexadecimal digits, nothing after.
// Decimal must fit a signed 32-bit value; hexadecimal may hold up to 8 significant digits
// and wraps to negative from 0x80000000 on.
std::optional<std::int32_t> Parse(std::string_view text);

// Throws AppError "'<text>' is not a valid integer value" for an invalid text.
std::int32_t Strict(std::string_view text);

std::int32_t WithDefault(std::string_view text, std::int32_t fallback);

std::string InvalidMessage(std::string_view text);

} // namespace zantor::IntegerText
