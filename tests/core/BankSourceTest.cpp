#include "image/BankSource.h"
#include "platform/AppError.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace zantor;

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

std::string Values(const std::vector<std::string>& bytes) {
    std::string out;
    for (const std::string& b : bytes)
        out += " 0x" + b + ",";
    return out;
}

std::string Repeat(const std::string& value, int times) {
    return Values(std::vector<std::string>(times, value));
}

TEST(BankSource, RendersEveryLineOfAPairListImage) {
    // An empty CAN 2.0B image: settings bytes and the count are the only values that are not 0xFF.
    BankImage bank;
    bank.fill(0xFF);
    bank[16100] = 6;
    bank[16101] = 1;
    bank[16102] = 0;
    bank[16103] = 0;
    bank[16200] = 0;
    bank[16201] = 0;
    const std::string text = RenderBankSource(bank);
    ASSERT_EQ(text.find('\n'), text.find("\r\n") + 1);
    const std::vector<std::string> lines = SplitCrLf(text);
    ASSERT_EQ(lines.size(), 1027u);

    const std::string pad(17, ' ');
    struct Line {
        std::size_t number; // counted from 1
        std::string text;
    };
    const Line expected[] = {
        {1, "#pragma CONST_SEG SEGMENT0"},
        {2, "const char Bank1 [] = {" + Repeat("FF", 16)},
        {3, pad + Repeat("FF", 16)},
        {1008, pad + Repeat("FF", 4) + Values({"06", "01", "00", "00"}) + Repeat("FF", 8)},
        {1014, pad + Repeat("FF", 8) + Values({"00", "00"}) + Repeat("FF", 6)},
        {1024, pad + Repeat("FF", 16)},
        {1025, pad + Repeat("FF", 15) + " 0xFF};"},
        {1026, ""},
        {1027, "#pragma CONST_SEG DEFAULT"},
    };
    for (const Line& l : expected)
        EXPECT_EQ(lines[l.number - 1], l.text) << "line " << l.number;
    // Only the last value closes the array.
    EXPECT_EQ(text.find("};"), text.rfind("};"));
}

TEST(BankSource, WritesEachByteAsTwoUpperCaseDigits) {
    BankImage bank;
    for (std::size_t i = 0; i < kBankSize; ++i)
        bank[i] = static_cast<std::uint8_t>(i);
    const std::vector<std::string> lines = SplitCrLf(RenderBankSource(bank));
    EXPECT_EQ(lines[1], "const char Bank1 [] = {" + Values({"00", "01", "02", "03", "04", "05", "06", "07",
                                                            "08", "09", "0A", "0B", "0C", "0D", "0E", "0F"}));
    EXPECT_EQ(lines[1024], std::string(17, ' ') +
                               Values({"F0", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "FA", "FB",
                                       "FC", "FD", "FE"}) +
                               " 0xFF};");
}

TEST(BankSource, WritesBankOneOnlyAndReportsAMissingFolder) {
    zantor::test::TempDir dir;
    BankSet set;
    set.banks[0].fill(0x01);
    set.banks[1].fill(0x02);
    WriteBankSource(set, dir.path());
    EXPECT_EQ(zantor::test::ReadText(dir / "bankg.c"), RenderBankSource(set.banks[0]));

    try {
        WriteBankSource(set, dir / "bin");
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.what(),
                  "Cannot create file \"" + (dir / "bin/bankg.c").string() + "\". No such file or directory");
    }
}

} // namespace
