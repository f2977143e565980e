#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zantor {

// Every bank occupies 16384 bytes of the firmware's 24-bit address space, written as
// 512 S2 records of 32 data bytes.
inline constexpr std::uint32_t kBankRangeSize = 16384;
inline constexpr std::uint32_t kRecordDataSize = 32;
inline constexpr int kBankRecordCount = kBankRangeSize / kRecordDataSize;
inline constexpr int kFirmwareBankCount = 5;

struct BankRange {
    std::uint32_t first;
    std::uint32_t last;
    bool Contains(std::uint32_t address) const { return first <= address && address <= last; }
};

// Where bank 1 to 5 lies in the firmware.
BankRange BankRangeOf(int bank);

// The two upper-case checksum digits of a record whose last two characters are its checksum
// field: the one's complement of the low byte of the sum of the byte pairs from the count field
// up to the checksum. Throws AppError when a pair is not hexadecimal.
std::string SRecordChecksum(std::string_view record);

// The 512 S2 records of one bank image (16384 bytes), each ended by CR LF, the first at the
// range's first address.
std::string RenderBankRecords(std::string_view bankBytes, std::uint32_t firstAddress);

// The start address of an S1 (4 digits) or S2 (6 digits) record; nullopt when the record is too
// short or its address field is not hexadecimal.
std::optional<std::uint32_t> DataRecordAddress(std::string_view line);

} // namespace zantor
