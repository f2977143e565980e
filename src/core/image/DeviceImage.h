#pragma once

#include "cobid/CobIdFile.h"
#include "platform/AtomicFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace zantor {

inline constexpr std::size_t kBankSize = 16384;
inline constexpr int kBankCount = 5;
using BankImage = std::array<std::uint8_t, kBankSize>;

// The configuration image of one device, rebuilt by every build.
struct BankSet {
    std::array<BankImage, kBankCount> banks{}; // banks[0] is bank 1; bank 5 stays 0x00
    std::array<std::uint8_t, 512> idMap{};
};

// Bank 1 layout read by the device firmware.
inline constexpr std::size_t kIdMapOffset = 0x2328;
inline constexpr std::size_t kIdMapHalf = 256;
inline constexpr std::size_t kPortSettingsOffset = 0x3EE4;
inline constexpr std::size_t kPairCountOffset = 0x3F48;
inline constexpr std::size_t kMaxPairs = 2000;
inline constexpr std::uint32_t kMaxIdCan20A = 0x7FF;
inline constexpr std::uint32_t kMaxIdCan20B = 0x1FFFFFFF;

// The six settings of pargen.xml, by position, low 8 bits of each.
struct ImageSettings {
    std::uint8_t boud0 = 0;
    std::uint8_t boud1 = 0;
    std::uint8_t type = 0;
    std::uint8_t positive = 0;
    std::uint8_t baudDipC0 = 0;
    std::uint8_t baudDipC1 = 0;
};

// Reads pargen.xml; throws AppError for a missing or unreadable file, a missing setting or a text
// that is not an integer.
ImageSettings ReadImageSettings(const std::filesystem::path& pargenFile);

// One used row of a direction table as numbers.
struct IdPair {
    std::uint32_t original = 0;
    std::uint32_t modified = 0;
};

// The used rows of the device's direction (Can0_to_Can1 for device 0, Can1_to_Can0 for device 1) in
// file order: rows with an empty original are skipped, an empty modified maps to the original.
// Identifiers outside 0..maxId are refused with the table, the row number as the editor counts it
// and the text, so a hand-edited file can never place data outside the banks.
std::vector<IdPair> ReadDevicePairs(const std::filesystem::path& cobIdFile, int device, std::uint32_t maxId);

// CAN 2.0A: the direct table and the identifier map of the device into banks 1 and 2.
void BuildDirectTable(BankSet& set, const std::vector<IdPair>& pairs, int device, bool positive);

// CAN 2.0B: the pairs sorted by original (equal originals keep file order), at most 2000, into
// bank 1. Returns the count written.
std::size_t BuildPairList(BankSet& set, const std::vector<IdPair>& pairs);

// Reads pargen.xml and CanCanCobID.xml (paths given) and builds the image of device 0 or 1 into set.
// Throws AppError with the user's text on any failure; set is then left as it was.
void BuildDeviceImage(BankSet& set, const std::filesystem::path& pargenFile,
                      const std::filesystem::path& cobIdFile, int device);

// The paths of bank1.bin .. bank5.bin in binFolder with the bytes of each; the bytes point into set.
std::vector<FileBytes> BankFiles(const BankSet& set, const std::filesystem::path& binFolder);

// Writes bank1.bin .. bank5.bin (16384 bytes each) into binFolder; throws AppError naming the path and
// reason.
void WriteBankFiles(const BankSet& set, const std::filesystem::path& binFolder);

} // namespace zantor
