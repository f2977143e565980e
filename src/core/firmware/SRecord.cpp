#include "firmware/SRecord.h"

#include "platform/AppError.h"

#include <array>
#include <cstring>
#include <stdexcept>

namespace zantor {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Value of each character as a hexadecimal digit, -1 for any other character.
constexpr std::array<signed char, 256> kHexValues = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (int c = '0'; c <= '9'; ++c)
        values[c] = static_cast<signed char>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) {
        values[c] = static_cast<signed char>(c - 'A' + 10);
        values[c - 'A' + 'a'] = static_cast<signed char>(c - 'A' + 10);
    }
    return values;
}();

int HexValue(char c) {
    return kHexValues[static_cast<unsigned char>(c)];
}

void AppendHexByte(std::string& out, unsigned value) {
    out.push_back(kHexDigits[(value >> 4) & 0xF]);
    out.push_back(kHexDigits[value & 0xF]);
}

} // namespace

BankRange BankRangeOf(int bank) {
    if (bank < 1 || bank > kFirmwareBankCount) throw std::out_of_range("bank number out of range");
    // Bank n starts at 0x388000 + (n - 1) * 0x10000.
    std::uint32_t first = 0x388000u + static_cast<std::uint32_t>(bank - 1) * 0x10000u;
    return {first, first + kBankRangeSize - 1};
}

std::string SRecordChecksum(std::string_view record) {
    if (record.size() < 6)
        throw AppError("The S-record \"" + std::string(record) + "\" is too short for a checksum");
    unsigned sum = 0;
    std::size_t end = record.size() - 2;
    for (std::size_t i = 2; i < end; i += 2) {
        int high = HexValue(record[i]);
        int low = i + 1 < end ? HexValue(record[i + 1]) : -1;
        if (high < 0 || low < 0)
            throw AppError("The S-record \"" + std::string(record) + "\" is not hexadecimal");
        sum += static_cast<unsigned>(high * 16 + low);
    }
    std::string digits;
    AppendHexByte(digits, ~sum & 0xFFu);
    return digits;
}

std::string RenderBankRecords(std::string_view bankBytes, std::uint32_t firstAddress) {
    if (bankBytes.size() != kBankRangeSize) throw std::invalid_argument("a bank image is 16384 bytes");
    // "S224", 3 address bytes, 32 data bytes and the checksum as hex pairs, then CR LF.
    constexpr std::size_t kRecordLength = 4 + 2 * (3 + kRecordDataSize + 1) + 2;
    std::string out(static_cast<std::size_t>(kBankRecordCount) * kRecordLength, '\0');
    char* p = out.data();
    auto put = [&p](unsigned byte) {
        p[0] = kHexDigits[(byte >> 4) & 0xF];
        p[1] = kHexDigits[byte & 0xF];
        p += 2;
    };
    for (int k = 0; k < kBankRecordCount; ++k) {
        std::uint32_t address = firstAddress + static_cast<std::uint32_t>(k) * kRecordDataSize;
        unsigned sum = 0x24;
        std::memcpy(p, "S224", 4);
        p += 4;
        for (int shift = 16; shift >= 0; shift -= 8) {
            unsigned byte = (address >> shift) & 0xFFu;
            sum += byte;
            put(byte);
        }
        for (std::uint32_t i = 0; i < kRecordDataSize; ++i) {
            unsigned byte = static_cast<unsigned char>(bankBytes[k * kRecordDataSize + i]);
            sum += byte;
            put(byte);
        }
        put(~sum & 0xFFu);
        p[0] = '\r';
        p[1] = '\n';
        p += 2;
    }
    return out;
}

std::optional<std::uint32_t> DataRecordAddress(std::string_view line) {
    std::size_t digits = line.substr(0, 2) == "S1" ? 4 : line.substr(0, 2) == "S2" ? 6 : 0;
    if (digits == 0 || line.size() < 4 + digits) return std::nullopt;
    std::uint32_t address = 0;
    for (std::size_t i = 4; i < 4 + digits; ++i) {
        int v = HexValue(line[i]);
        if (v < 0) return std::nullopt;
        address = address * 16 + static_cast<std::uint32_t>(v);
    }
    return address;
}

} // namespace zantor
