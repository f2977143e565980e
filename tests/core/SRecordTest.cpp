#include "firmware/SRecord.h"

#include <gtest/gtest.h>

#include <string>

using namespace zantor;

TEST(SRecordChecksum, KnownRecords) {
    struct Case {
        std::string record;
        std::string checksum;
    } cases[] = {
        // The first all-0xFF record of bank 1: byte sum 0x20BC, inverted low byte.
        {"S224388000" + std::string(64, 'F') + "43", "43"},
        {"S1130000285F245F2212226A000424290008237C2A", "2A"},
        {"S00F000068656C6C6F202020202000003C", "3C"},
        {"S5030003F9", "F9"},
        {"S9030000FC", "FC"},
        // Lower-case digits are read; the checksum field itself plays no part.
        {"S9030000zz", "FC"},
        {"s5030003f9", "F9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SRecordChecksum(c.record), c.checksum) << c.record;
}

TEST(SRecordChecksum, RefusesTextThatIsNotHexadecimal) {
    for (const char* record : {"S2243G8000FF00", "S9", "S90300000"})
        EXPECT_ANY_THROW(SRecordChecksum(record)) << record;
}

TEST(BankRecords, LayoutOfEveryBank) {
    struct Case {
        int bank;
        std::uint32_t first, lastRecord;
    } cases[] = {{1, 0x388000, 0x38BFE0},
                 {2, 0x398000, 0x39BFE0},
                 {3, 0x3A8000, 0x3ABFE0},
                 {4, 0x3B8000, 0x3BBFE0},
                 {5, 0x3C8000, 0x3CBFE0}};
    std::string bank(kBankRangeSize, '\0');
    for (std::size_t i = 0; i < bank.size(); ++i)
        bank[i] = static_cast<char>(i * 31 + 7);
    for (const Case& c : cases) {
        BankRange range = BankRangeOf(c.bank);
        EXPECT_EQ(range.first, c.first);
        EXPECT_EQ(range.last, c.first + 0x3FFF);
        std::string text = RenderBankRecords(bank, range.first);
        ASSERT_EQ(text.size(), 512u * 78u);
        for (int k = 0; k < 512; ++k) {
            std::string line = text.substr(k * 78, 78);
            ASSERT_EQ(line.substr(76), "\r\n");
            std::string record = line.substr(0, 76);
            ASSERT_EQ(record.substr(0, 4), "S224");
            ASSERT_EQ(std::stoul(record.substr(4, 6), nullptr, 16), c.first + 32u * k);
            for (int i = 0; i < 32; ++i) {
                unsigned byte = std::stoul(record.substr(10 + 2 * i, 2), nullptr, 16);
                ASSERT_EQ(byte, static_cast<unsigned char>(bank[32 * k + i])) << "record " << k;
            }
            ASSERT_EQ(record.substr(74), SRecordChecksum(record));
            ASSERT_EQ(record.find_first_of("abcdef"), std::string::npos);
        }
        EXPECT_EQ(text.substr(511 * 78 + 4, 6), [&] {
            char digits[7];
            std::snprintf(digits, sizeof digits, "%06X", static_cast<unsigned>(c.lastRecord));
            return std::string(digits);
        }());
    }
}

TEST(BankRecords, AllFfBankOneStartsWithChecksum43) {
    std::string text = RenderBankRecords(std::string(kBankRangeSize, '\xFF'), BankRangeOf(1).first);
    EXPECT_EQ(text.substr(0, 78), "S224388000" + std::string(64, 'F') + "43\r\n");
}

TEST(DataRecordAddress, ReadsS1AndS2Only) {
    struct Case {
        const char* line;
        std::optional<std::uint32_t> address;
    } cases[] = {
        {"S1138000AA", 0x8000},      {"S2243880FFAA", 0x3880FF}, {"S2243G8000AA", std::nullopt},
        {"S22438800", std::nullopt}, {"S113", std::nullopt},     {"S9030000FC", std::nullopt},
        {"S2243a8000AA", 0x3A8000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataRecordAddress(c.line), c.address) << c.line;
}
