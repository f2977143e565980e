#include "image/DeviceImage.h"

#include "platform/AppError.h"
#include "platform/AtomicFile.h"
#include "text/IntegerText.h"
#include "xmlfile/XmlFile.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace zantor {

namespace {

constexpr int kSettingCount = 6;

std::string ReadingError(const std::filesystem::path& file, const std::string& reason) {
    return FormatMessage("Error in reading file \"%s\". %s", {file.string(), reason});
}

std::string HexId(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

void Put16(BankImage& bank, std::size_t offset, std::uint32_t value) {
    bank[offset] = static_cast<std::uint8_t>(value);
    bank[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(BankImage& bank, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bank[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void CheckDevice(int device) {
    if (device != 0 && device != 1)
        throw AppError("There is no Device " + std::to_string(device) + ": choose Device 0 or Device 1");
}

} // namespace

ImageSettings ReadImageSettings(const std::filesystem::path& pargenFile) {
    pugi::xml_document doc;
    xml::Load(doc, pargenFile);
    pugi::xml_node root = doc.document_element();
    if (!root) throw AppError(ReadingError(pargenFile, "The document has no root element"));
    std::uint8_t values[kSettingCount];
    pugi::xml_node child = root.first_child();
    for (int i = 0; i < kSettingCount; ++i, child = child.next_sibling()) {
        if (!child)
            throw AppError(ReadingError(pargenFile, "The setting at position " + std::to_string(i) +
                                                        " is missing: six settings are needed"));
        values[i] = static_cast<std::uint8_t>(IntegerText::Strict(xml::Text(child)));
    }
    return ImageSettings{values[0], values[1], values[2], values[3], values[4], values[5]};
}

std::vector<IdPair> ReadDevicePairs(const std::filesystem::path& cobIdFile, int device, std::uint32_t maxId) {
    CheckDevice(device);
    const Direction direction = device == 0 ? Direction::Can0_to_Can1 : Direction::Can1_to_Can0;
    const char* table = device == 0 ? "Table Can0 to Can1" : "Table Can1 to Can0";
    const std::string range = maxId == kMaxIdCan20A ? HexId(0, 3) + " to " + HexId(maxId, 3)
                                                    : HexId(0, 8) + " to " + HexId(maxId, 8);

    pugi::xml_document doc;
    xml::Load(doc, cobIdFile);
    pugi::xml_node node;
    try {
        node = FindDirection(doc, direction);
    } catch (const AppError& e) {
        throw AppError(ReadingError(cobIdFile, e.what()));
    }

    std::vector<IdPair> pairs;
    std::size_t position = 0;
    auto identifier = [&](const std::string& text) {
        std::int32_t value = IntegerText::Strict(text);
        if (value < 0 || static_cast<std::uint32_t>(value) > maxId) {
            // Numbered as the editor reports its rows: the row's N° plus 2.
            throw AppError(FormatMessage("%s. Error in row %s. The CobID '%s' is outside %s",
                                         {table, std::to_string(position + 2), text, range}));
        }
        return static_cast<std::uint32_t>(value);
    };
    ForEachRow(node, [&](CobIdPair&& row) {
        if (!row.original.empty()) {
            IdPair pair;
            pair.original = identifier(row.original);
            pair.modified = row.modified.empty() ? pair.original : identifier(row.modified);
            pairs.push_back(pair);
        }
        ++position;
        return true;
    });
    return pairs;
}

void BuildDirectTable(BankSet& set, const std::vector<IdPair>& pairs, int device, bool positive) {
    CheckDevice(device);
    set.idMap.fill(positive ? 0x00 : 0xFF);
    BankImage& bank1 = set.banks[0];
    const std::size_t half = device == 0 ? 0 : kIdMapHalf;
    for (const IdPair& pair : pairs) {
        const std::uint32_t id = pair.original;
        if (id > kMaxIdCan20A) throw AppError("CobID " + HexId(id, 3) + " is outside 0x000 to 0x7FF");
        std::uint8_t& bits = set.idMap[half + id / 8];
        const auto mask = static_cast<std::uint8_t>(1u << (id % 8));
        bits = positive ? (bits | mask) : (bits & ~mask);
        Put16(bank1, 4 * id, id);
        Put16(bank1, 4 * id + 2, pair.modified);
    }
    if (device == 0) {
        std::copy_n(set.idMap.begin(), kIdMapHalf, bank1.begin() + kIdMapOffset);
        std::copy_n(set.idMap.begin() + kIdMapHalf, kIdMapHalf, set.banks[1].begin() + kIdMapOffset);
    } else {
        std::copy_n(set.idMap.begin() + kIdMapHalf, kIdMapHalf, bank1.begin() + kIdMapOffset);
    }
}

std::size_t BuildPairList(BankSet& set, const std::vector<IdPair>& pairs) {
    std::vector<std::size_t> order(pairs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return pairs[a].original < pairs[b].original; });
    // Only the lowest originals fit; the rest are dropped, as the device has room for no more.
    const std::size_t count = std::min(order.size(), kMaxPairs);
    BankImage& bank1 = set.banks[0];
    for (std::size_t k = 0; k < count; ++k) {
        Put32(bank1, 8 * k, pairs[order[k]].original);
        Put32(bank1, 8 * k + 4, pairs[order[k]].modified);
    }
    return count;
}

void BuildDeviceImage(BankSet& set, const std::filesystem::path& pargenFile,
                      const std::filesystem::path& cobIdFile, int device) {
    CheckDevice(device);
    // Built aside so that a failure leaves the caller's image whole.
    BankSet image = set;
    for (int n = 0; n < 4; ++n)
        image.banks[n].fill(0xFF);

    const ImageSettings settings = ReadImageSettings(pargenFile);
    BankImage& bank1 = image.banks[0];
    std::size_t count = 0;
    if (settings.type == 0) {
        BuildDirectTable(image, ReadDevicePairs(cobIdFile, device, kMaxIdCan20A), device,
                         settings.positive != 0);
    } else {
        count = BuildPairList(image, ReadDevicePairs(cobIdFile, device, kMaxIdCan20B));
    }

    bank1[kPortSettingsOffset] =
        static_cast<std::uint8_t>((device == 0 ? settings.boud0 : settings.boud1) + 1);
    bank1[kPortSettingsOffset + 1] = settings.type;
    bank1[kPortSettingsOffset + 2] = settings.positive;
    bank1[kPortSettingsOffset + 3] = device == 0 ? settings.baudDipC0 : settings.baudDipC1;
    if (settings.type != 0) Put16(bank1, kPairCountOffset, static_cast<std::uint32_t>(count));
    set = image;
}

std::vector<FileBytes> BankFiles(const BankSet& set, const std::filesystem::path& binFolder) {
    std::vector<FileBytes> files;
    for (int n = 0; n < kBankCount; ++n) {
        const BankImage& bank = set.banks[n];
        files.push_back({binFolder / ("bank" + std::to_string(n + 1) + ".bin"),
                         std::string_view(reinterpret_cast<const char*>(bank.data()), bank.size())});
    }
    return files;
}

void WriteBankFiles(const BankSet& set, const std::filesystem::path& binFolder) {
    WriteFilesAtomic(BankFiles(set, binFolder));
}

} // namespace zantor
