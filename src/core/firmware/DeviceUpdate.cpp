#include "firmware/DeviceUpdate.h"

#include "image/BankSource.h"

namespace zantor {

void BuildDeviceFiles(BankSet& set, const std::filesystem::path& pargenFile,
                      const std::filesystem::path& cobIdFile, const std::filesystem::path& binFolder,
                      int device) {
    BuildDeviceImage(set, pargenFile, cobIdFile, device);
    WriteBankFiles(set, binFolder);
    WriteBankSource(set, binFolder);
}

} // namespace zantor
