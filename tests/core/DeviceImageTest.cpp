#include "image/DeviceImage.h"
#include "platform/AppError.h"
#include "xmlfile/XmlFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace zantor;
using zantor::test::TempDir;
using zantor::test::WriteText;

struct Settings {
    int boud0 = 5, boud1 = 5, type = 0, positive = 0, dip0 = 0, dip1 = 0;
};

std::string PargenXml(const Settings& s) {
    return "<ParametriGenerali><Boud0>" + std::to_string(s.boud0) + "</Boud0><Boud1>" +
           std::to_string(s.boud1) + "</Boud1><Type>" + std::to_string(s.type) + "</Type><Positive>" +
           std::to_string(s.positive) + "</Positive><Baud_Dip_C0>" + std::to_string(s.dip0) +
           "</Baud_Dip_C0><Baud_Dip_C1>" + std::to_string(s.dip1) + "</Baud_Dip_C1></ParametriGenerali>";
}

std::string CobIdXml(const DirectionTable& can0ToCan1, const DirectionTable& can1ToCan0) {
    return SerializeCobIdTables(can0ToCan1, can1ToCan0);
}

// A run of bytes expected in one bank (1 to 5); every byte not named keeps the bank's fill.
struct Span {
    int bank;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};

Span Fill(int bank, std::size_t offset, std::size_t count, std::uint8_t value) {
    return {bank, offset, std::vector<std::uint8_t>(count, value)};
}

BankSet Expected(const std::vector<Span>& spans) {
    BankSet set;
    for (int n = 0; n < 4; ++n)
        set.banks[n].fill(0xFF);
    for (const Span& s : spans)
        std::copy(s.bytes.begin(), s.bytes.end(), set.banks[s.bank - 1].begin() + s.offset);
    return set;
}

// Names the first differing byte, so a failure says where the layout went wrong.
std::string FirstDifference(const BankSet& actual, const BankSet& expected) {
    for (int n = 0; n < kBankCount; ++n)
        for (std::size_t i = 0; i < kBankSize; ++i)
            if (actual.banks[n][i] != expected.banks[n][i])
                return "bank " + std::to_string(n + 1) + " offset " + std::to_string(i) + ": got " +
                       std::to_string(actual.banks[n][i]) + ", expected " +
                       std::to_string(expected.banks[n][i]);
    return "";
}

class Project {
public:
    Project(const Settings& settings, const DirectionTable& can0ToCan1, const DirectionTable& can1ToCan0) {
        WriteText(pargen(), PargenXml(settings));
        WriteText(cobid(), CobIdXml(can0ToCan1, can1ToCan0));
    }
    std::filesystem::path pargen() const { return dir_ / "pargen.xml"; }
    std::filesystem::path cobid() const { return dir_ / "CanCanCobID.xml"; }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
};

struct BuildCase {
    const char* name;
    Settings settings;
    int device;
    DirectionTable can0ToCan1;
    DirectionTable can1ToCan0;
    std::vector<Span> expected;
};

const std::vector<BuildCase>& BuildCases() {
    static const std::vector<BuildCase> cases = {
        {"empty tables, CAN 2.0A, positive 0: map stays 0xFF",
         {5, 5, 0, 0, 0, 0},
         0,
         {},
         {},
         {{1, 0x3EE4, {6, 0, 0, 0}}}},
        {"empty tables, CAN 2.0A, positive 1, device 0: both map halves 0x00",
         {5, 5, 0, 1, 0, 0},
         0,
         {{"", "", ""}},
         {},
         {Fill(1, 0x2328, 256, 0x00), Fill(2, 0x2328, 256, 0x00), {1, 0x3EE4, {6, 0, 1, 0}}}},
        {"empty tables, CAN 2.0A, positive 1, device 1: bank 2 untouched",
         {5, 5, 0, 1, 0, 0},
         1,
         {},
         {},
         {Fill(1, 0x2328, 256, 0x00), {1, 0x3EE4, {6, 0, 1, 0}}}},
        {"CAN 2.0A 0x100 without modified, positive 1: maps to itself, one map bit set",
         {5, 5, 0, 1, 0, 0},
         0,
         {{"0x100", "", "x"}},
         {},
         {{1, 0x400, {0x00, 0x01, 0x00, 0x01}},
          Fill(1, 0x2328, 256, 0x00),
          {1, 0x2348, {0x01}},
          Fill(2, 0x2328, 256, 0x00),
          {1, 0x3EE4, {6, 0, 1, 0}}}},
        {"CAN 2.0A device 1, positive 0: its own table, baud and dip; highest id clears the last bit",
         {0, 8, 0, 0, 1, 1},
         1,
         {{"5", "6", ""}},
         {{"$7FF", "5", ""}, {"0", "2047", ""}},
         {{1, 0x1FFC, {0xFF, 0x07, 0x05, 0x00}},
          {1, 0x0000, {0x00, 0x00, 0xFF, 0x07}},
          {1, 0x2328, {0xFE}},
          {1, 0x2328 + 255, {0x7F}},
          {1, 0x3EE4, {9, 0, 0, 1}}}},
        {"CAN 2.0A same original twice: the later replacement wins, empty originals ignored",
         {2, 5, 0, 0, 1, 0},
         0,
         {{"16", "1", ""}, {"", "garbage", "ignored"}, {"0x10", "+2", ""}, {"", "", ""}},
         {},
         {{1, 0x40, {0x10, 0x00, 0x02, 0x00}}, {1, 0x2328 + 2, {0xFE}}, {1, 0x3EE4, {3, 0, 0, 1}}}},
        {"empty tables, CAN 2.0B: count 0",
         {5, 5, 1, 0, 0, 0},
         0,
         {},
         {},
         {{1, 0x3EE4, {6, 1, 0, 0}}, {1, 0x3F48, {0x00, 0x00}}}},
        {"CAN 2.0B sorted by original, each with its own replacement",
         {5, 5, 1, 1, 0, 1},
         1,
         {{"1", "2", ""}},
         {{"0x300", "3", ""}, {"", "", ""}, {"0x100", "", ""}, {"0x200", "0x1FFFFFFF", ""}},
         {{1, 0, {0x00, 0x01, 0, 0, 0x00, 0x01, 0, 0}},
          {1, 8, {0x00, 0x02, 0, 0, 0xFF, 0xFF, 0xFF, 0x1F}},
          {1, 16, {0x00, 0x03, 0, 0, 0x03, 0, 0, 0}},
          {1, 0x3EE4, {6, 1, 1, 1}},
          {1, 0x3F48, {3, 0}}}},
        {"CAN 2.0B equal originals keep file order; higher originals sort after",
         {5, 5, 1, 0, 0, 0},
         0,
         {{"0x1FFFFFFF", "1", ""}, {"7", "1", ""}, {"7", "2", ""}, {"0", "", ""}, {"7", "3", ""}},
         {},
         {{1, 0, {0, 0, 0, 0, 0, 0, 0, 0}},
          {1, 8, {7, 0, 0, 0, 1, 0, 0, 0}},
          {1, 16, {7, 0, 0, 0, 2, 0, 0, 0}},
          {1, 24, {7, 0, 0, 0, 3, 0, 0, 0}},
          {1, 32, {0xFF, 0xFF, 0xFF, 0x1F, 1, 0, 0, 0}},
          {1, 0x3EE4, {6, 1, 0, 0}},
          {1, 0x3F48, {5, 0}}}},
        {"a Type other than 0 or 1 still builds the pair list",
         {5, 5, 2, 0, 0, 0},
         0,
         {{"9", "8", ""}},
         {},
         {{1, 0, {9, 0, 0, 0, 8, 0, 0, 0}}, {1, 0x3EE4, {6, 2, 0, 0}}, {1, 0x3F48, {1, 0}}}},
    };
    return cases;
}

TEST(DeviceImage, BuildsTheLayoutOfEachCase) {
    for (const BuildCase& c : BuildCases()) {
        Project project(c.settings, c.can0ToCan1, c.can1ToCan0);
        BankSet set;
        BuildDeviceImage(set, project.pargen(), project.cobid(), c.device);
        EXPECT_EQ(FirstDifference(set, Expected(c.expected)), "") << c.name;
    }
}

TEST(DeviceImage, KeepsTheTwoThousandLowestOfMorePairs) {
    // 2048 rows, as a table written under CAN 2.0A, in descending order so the sort has work to do.
    DirectionTable rows;
    for (int i = 2047; i >= 0; --i)
        rows.push_back({std::to_string(i * 3), std::to_string(i), ""});
    Project project({5, 5, 1, 0, 0, 0}, rows, {});
    BankSet set;
    BuildDeviceImage(set, project.pargen(), project.cobid(), 0);

    std::vector<Span> spans = {{1, 0x3EE4, {6, 1, 0, 0}}, {1, 0x3F48, {0xD0, 0x07}}};
    for (std::uint32_t k = 0; k < 2000; ++k) {
        std::uint32_t o = 3 * k;
        spans.push_back(
            {1,
             8 * k,
             {std::uint8_t(o), std::uint8_t(o >> 8), 0, 0, std::uint8_t(k), std::uint8_t(k >> 8), 0, 0}});
    }
    EXPECT_EQ(FirstDifference(set, Expected(spans)), "");
}

TEST(DeviceImage, CapsTheCountOfAHugeTableInsteadOfWrappingIt) {
    // 65537 pairs would wrap a 16-bit count to 1; the device still gets its 2000 lowest pairs.
    std::vector<IdPair> pairs;
    for (std::uint32_t i = 65537; i-- > 0;)
        pairs.push_back({i, i + 1});
    BankSet set;
    set.banks[0].fill(0xFF);
    EXPECT_EQ(BuildPairList(set, pairs), 2000u);
    EXPECT_EQ(set.banks[0][8 * 1999], 0xCF); // original 1999
    EXPECT_EQ(set.banks[0][8 * 1999 + 4], 0xD0);
    EXPECT_EQ(set.banks[0][8 * 2000], 0xFF);
}

TEST(DeviceImage, RebuildLeavesNothingOfTheOtherDeviceAndNeverTouchesBank5) {
    Project project({5, 5, 0, 1, 0, 0}, {{"1", "", ""}}, {{"2", "", ""}});
    BankSet set;
    set.banks[4][7] = 0x42;
    BuildDeviceImage(set, project.pargen(), project.cobid(), 0);
    BuildDeviceImage(set, project.pargen(), project.cobid(), 1);
    BankSet expected = Expected(
        {{1, 8, {2, 0, 2, 0}}, Fill(1, 0x2328, 256, 0x00), {1, 0x2328, {0x04}}, {1, 0x3EE4, {6, 0, 1, 0}}});
    expected.banks[4][7] = 0x42;
    EXPECT_EQ(FirstDifference(set, expected), "");
}

struct ErrorCase {
    const char* name;
    std::string pargen;
    std::string cobid; // empty: no CanCanCobID.xml
    int device;
    std::string message; // "@" stands for the folder of the project
};

std::string ReplaceFolder(std::string text, const std::filesystem::path& folder) {
    for (std::size_t at; (at = text.find('@')) != std::string::npos;)
        text.replace(at, 1, folder.string());
    return text;
}

TEST(DeviceImage, RefusesBadInputWithTheUsersTextAndKeepsTheImage) {
    const std::string a = PargenXml({5, 5, 0, 0, 0, 0});
    const std::string b = PargenXml({5, 5, 1, 0, 0, 0});
    auto table = [](const DirectionTable& rows) { return CobIdXml(rows, rows); };
    const std::vector<ErrorCase> cases = {
        {"no CanCanCobID.xml", a, "", 0, "Cannot open file \"@/CanCanCobID.xml\". No such file or directory"},
        {"CAN 2.0A original beyond 0x7FF", a, table({{"1", "", ""}, {"0x800", "", ""}}), 0,
         "Table Can0 to Can1. Error in row 3. The CobID '0x800' is outside 0x000 to 0x7FF"},
        {"CAN 2.0A negative modified, device 1", a, table({{"", "", ""}, {"", "", ""}, {"5", "-1", ""}}), 1,
         "Table Can1 to Can0. Error in row 4. The CobID '-1' is outside 0x000 to 0x7FF"},
        {"CAN 2.0B original beyond 29 bits", b, table({{"0x20000000", "1", ""}}), 0,
         "Table Can0 to Can1. Error in row 2. The CobID '0x20000000' is outside 0x00000000 to 0x1FFFFFFF"},
        {"CAN 2.0B original that reads as negative", b, table({{"0xFFFFFFFF", "", ""}}), 1,
         "Table Can1 to Can0. Error in row 2. The CobID '0xFFFFFFFF' is outside 0x00000000 to 0x1FFFFFFF"},
        {"hexadecimal without a prefix", a, table({{"7FF", "", ""}}), 0,
         "'7FF' is not a valid integer value"},
        {"modified with a trailing blank", b, table({{"1", "2 ", ""}}), 0,
         "'2 ' is not a valid integer value"},
        {"row without Mod_CobID, otherwise empty", a,
         "<CanCanCobID><Can0_to_Can1><row Orig_CobID=\"\" "
         "Desc=\"\"/></Can0_to_Can1><Can1_to_Can0/></CanCanCobID>",
         0, xml::kNullToString},
        {"row without Orig_CobID", a,
         "<CanCanCobID><Can0_to_Can1/><Can1_to_Can0><row Mod_CobID=\"1\"/></Can1_to_Can0></CanCanCobID>", 1,
         xml::kNullToString},
        {"direction element missing", a, "<CanCanCobID><Can0_to_Can1/></CanCanCobID>", 1,
         "Error in reading file \"@/CanCanCobID.xml\". The element Can1_to_Can0 is missing"},
        {"other root", a, "<Tables><Can0_to_Can1/><Can1_to_Can0/></Tables>", 0,
         "Error in reading file \"@/CanCanCobID.xml\". The element CanCanCobID is missing"},
        {"settings text not an integer", "<ParametriGenerali><Boud0>fast</Boud0></ParametriGenerali>",
         table({}), 0, "'fast' is not a valid integer value"},
        {"five settings only",
         "<ParametriGenerali><Boud0>1</Boud0><Boud1>1</Boud1><Type>0</Type><Positive>0</Positive>"
         "<Baud_Dip_C0>0</Baud_Dip_C0></ParametriGenerali>",
         table({}), 1,
         "Error in reading file \"@/pargen.xml\". The setting at position 5 is missing: six settings are "
         "needed"},
        {"device 2", a, table({}), 2, "There is no Device 2: choose Device 0 or Device 1"},
    };
    for (const ErrorCase& c : cases) {
        TempDir dir;
        WriteText(dir / "pargen.xml", c.pargen);
        if (!c.cobid.empty()) WriteText(dir / "CanCanCobID.xml", c.cobid);
        BankSet set;
        set.banks[0][0] = 0x11;
        const BankSet before = set;
        try {
            BuildDeviceImage(set, dir / "pargen.xml", dir / "CanCanCobID.xml", c.device);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const AppError& e) {
            EXPECT_EQ(e.what(), ReplaceFolder(c.message, dir.path())) << c.name;
        }
        EXPECT_EQ(FirstDifference(set, before), "") << c.name;
    }
}

TEST(DeviceImage, XmlErrorsNameTheFile) {
    TempDir dir;
    WriteText(dir / "pargen.xml", "<ParametriGenerali><Boud0>1</Boud1>");
    WriteText(dir / "CanCanCobID.xml", CobIdXml({}, {}));
    BankSet set;
    try {
        BuildDeviceImage(set, dir / "pargen.xml", dir / "CanCanCobID.xml", 0);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_NE(std::string(e.what()).find((dir / "pargen.xml").string()), std::string::npos) << e.what();
    }
}

TEST(DeviceImage, WritesFiveBankFilesAndReportsAFolderThatIsNotThere) {
    TempDir dir;
    BankSet set;
    for (int n = 0; n < kBankCount; ++n)
        set.banks[n].fill(static_cast<std::uint8_t>(n + 1));
    std::filesystem::create_directories(dir / "bin");
    WriteText(dir / "bin/bank3.bin", std::string(20000, 'x')); // an older, longer file is replaced whole
    WriteBankFiles(set, dir / "bin");
    for (int n = 0; n < kBankCount; ++n)
        EXPECT_EQ(zantor::test::ReadText(dir / "bin" / ("bank" + std::to_string(n + 1) + ".bin")),
                  std::string(kBankSize, static_cast<char>(n + 1)));

    try {
        WriteBankFiles(set, dir / "missing");
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.what(), "Cannot create file \"" + (dir / "missing/bank1.bin").string() +
                                "\". No such file or directory");
    }
}

} // namespace
