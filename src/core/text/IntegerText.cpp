#include "text/IntegerText.h"

#include "platform/AppError.h"

namespace zantor::IntegerText {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::int32_t> Parse(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    }
    if (i == text.size()) return std::nullopt;

    if (hex) {
        std::uint32_t value = 0;
        int significant = 0;
        for (; i < text.size(); ++i) {
            int d = HexDigit(text[i]);
            if (d < 0) return std::nullopt;
            if (significant > 0 || d != 0) ++significant;
            if (significant > 8) return std::nullopt;
            value = (value << 4) | static_cast<std::uint32_t>(d);
        }
        if (negative) value = 0u - value;
        return static_cast<std::int32_t>(value);
    }

    // Accumulate as a negative magnitude so that -2147483648 fits.
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 2147483648LL) return std::nullopt;
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string InvalidMessage(std::string_view text) {
    return FormatMessage("'%s' is not a valid integer value", {text});
}

std::int32_t Strict(std::string_view text) {
    if (auto v = Parse(text)) return *v;
    throw AppError(InvalidMessage(text));
}

std::int32_t WithDefault(std::string_view text, std::int32_t fallback) {
    return Parse(text).value_or(fallback);
}

} // namespace zantor::IntegerText
