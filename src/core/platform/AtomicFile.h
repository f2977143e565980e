#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zantor {

// Writes the bytes to a temporary file beside the target, flushes it and renames it over
// the target, so a failed write leaves the old file as it was.
// Throws AppError "Cannot create file "<path>". <reason>" on failure.
void WriteFileAtomic(const std::filesystem::path& target, std::string_view bytes);

// Reads a whole file; throws AppError when it cannot be opened.
std::string ReadFileBytes(const std::filesystem::path& path);

} // namespace zantor
