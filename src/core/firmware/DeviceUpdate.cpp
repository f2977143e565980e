#include "firmware/DeviceUpdate.h"

#include "image/BankSource.h"
#include "platform/AtomicFile.h"

namespace zantor {

void BuildDeviceFiles(BankSet& set, const std::filesystem::path& pargenFile,
                      const std::filesystem::path& cobIdFile, const std::filesystem::path& binFolder,
                      int device) {
    BuildDeviceImage(set, pargenFile, cobIdFile, device);
    // Written as one set so the disk is waited for once; a failure still leaves the files before
    // it in place, as writing them one by one would.
    std::vector<FileBytes> files = BankFiles(set, binFolder);
    std::string source = RenderBankSource(set.banks[0]);
    files.push_back({binFolder / "bankg.c", source});
    WriteFilesAtomic(files);
}

} // namespace zantor
