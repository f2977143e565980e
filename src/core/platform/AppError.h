#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zantor {

// A failure whose what() is exactly the text the user must see.
class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& text) : std::runtime_error(text) {}
};

// Replaces each "%s" of the pattern, in order, by the next argument.
std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace zantor
