#pragma once

#include "image/DeviceImage.h"

#include <filesystem>

namespace zantor {

// The generation steps of "Update Device 0" and "Update Device 1": builds the device's image into
// set, then writes bank1.bin .. bank5.bin and bankg.c into binFolder. Throws AppError on any
// failure, leaving the later steps undone.
void BuildDeviceFiles(BankSet& set, const std::filesystem::path& pargenFile,
                      const std::filesystem::path& cobIdFile, const std::filesystem::path& binFolder,
                      int device);

} // namespace zantor
