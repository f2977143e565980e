#pragma once

#include <pugixml.hpp>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zantor {

// One row of a COB-ID translation table, all text exactly as typed.
struct CobIdPair {
    std::string original;    // Orig_CobID; empty marks an empty row
    std::string modified;    // Mod_CobID; empty means the original identifier
    std::string description; // Desc

    bool operator==(const CobIdPair&) const = default;
};

using DirectionTable = std::vector<CobIdPair>;

enum class Direction { Can0_to_Can1, Can1_to_Can0 };

const char* DirectionName(Direction direction);

inline constexpr const char* kCobIdRoot = "CanCanCobID";
inline constexpr std::size_t kRowsCan20A = 2048;
inline constexpr std::size_t kRowsCan20B = 2000;

// Rows per table for a network type (0 = CAN 2.0A, 1 = CAN 2.0B); 0 for any other value.
std::size_t RowsForNetworkType(int networkType);

// The direction element of a loaded file, found by name under the root CanCanCobID.
// Throws AppError when the root or the direction is missing.
pugi::xml_node FindDirection(const pugi::xml_document& doc, Direction direction);

// Visits the rows of a direction element by position, in document order, until take returns false.
// A row without Orig_CobID or Mod_CobID throws the null-conversion error after the rows before it
// were taken; a missing Desc reads as empty.
void ForEachRow(pugi::xml_node direction, const std::function<bool(CobIdPair&& row)>& take);

// Every row of one direction of the file; throws AppError on any read failure.
DirectionTable ReadDirectionTable(const std::filesystem::path& file, Direction direction);

// The file content: root, Can0_to_Can1 with its rows, Can1_to_Can0 with its rows, every row written.
std::string SerializeCobIdTables(const DirectionTable& can0ToCan1, const DirectionTable& can1ToCan0);

// Writes the file atomically; throws AppError on failure.
void WriteCobIdFile(const std::filesystem::path& file, const DirectionTable& can0ToCan1,
                    const DirectionTable& can1ToCan0);

} // namespace zantor
