#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace zantor {

// Writes the bytes to a temporary file beside the target, flushes it and renames it over
// the target, so a failed write leaves the old file as it was.
// Throws AppError "Cannot create file "<path>". <reason>" on failure.
void WriteFileAtomic(const std::filesystem::path& target, std::string_view bytes);

struct FileBytes {
    std::filesystem::path target;
    std::string_view bytes;
};

// Writes each file as WriteFileAtomic does, in order, but starts all the disk writes before
// waiting for the first, so a set of files costs about one wait. On a failure the files before
// the failing one are in place, it and the later ones are left as they were, and the failing
// file's AppError is thrown.
void WriteFilesAtomic(std::span<const FileBytes> files);

// Reads a whole file; throws AppError when it cannot be opened or read.
std::string ReadFileBytes(const std::filesystem::path& path);

} // namespace zantor
