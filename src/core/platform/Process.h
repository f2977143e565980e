#pragma once

#include <filesystem>
#include <string>

namespace zantor {

// Starts the program directly (no shell) with exactly one argument, passed as raw bytes,
// in the given working folder, and returns without waiting for it. The program is detached,
// so it outlives us and leaves no zombie. Returns an empty text on success, else the reason.
std::string StartDetached(const std::filesystem::path& program, const std::string& argument,
                          const std::filesystem::path& workingFolder);

} // namespace zantor
