#include "firmware/SRecord.h"

#include "platform/AppError.h"

#include <stdexcept>

namespace zantor {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
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
    std::string out;
    out.reserve(static_cast<std::size_t>(kBankRecordCount) * 78);
    for (int k = 0; k < kBankRecordCount; ++k) {
        std::uint32_t address = firstAddress + static_cast<std::uint32_t>(k) * kRecordDataSize;
        unsigned sum = 0x24;
        out += "S224";
        for (int shift = 16; shift >= 0; shift -= 8) {
            unsigned byte = (address >> shift) & 0xFFu;
            sum += byte;
            AppendHexByte(out, byte);
        }
        for (std::uint32_t i = 0; i < kRecordDataSize; ++i) {
            unsigned byte = static_cast<unsigned char>(bankBytes[k * kRecordDataSize + i]);
            sum += byte;
            AppendHexByte(out, byte);
        }
        AppendHexByte(out, ~sum & 0xFFu);
        out += "\r\n";
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
