#include "firmware/FirmwarePatcher.h"
#include "firmware/SRecord.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using namespace zantor;
using namespace zantor::test;
namespace fs = std::filesystem;

namespace {

// An S-record with its checksum, built here so the inputs do not depend on the code under test.
std::string Rec(const std::string& kind, std::uint32_t address, int dataBytes, unsigned fill = 0xAB) {
    int width = kind == "S2" || kind == "S8" ? 3 : kind == "S3" || kind == "S7" ? 4 : 2;
    std::vector<unsigned> bytes{static_cast<unsigned>(dataBytes + width + 1)};
    for (int i = width - 1; i >= 0; --i)
        bytes.push_back((address >> (8 * i)) & 0xFF);
    for (int i = 0; i < dataBytes; ++i)
        bytes.push_back(fill);
    std::string text = kind;
    unsigned sum = 0;
    char digits[3];
    for (unsigned b : bytes) {
        sum += b;
        std::snprintf(digits, sizeof digits, "%02X", b);
        text += digits;
    }
    std::snprintf(digits, sizeof digits, "%02X", ~sum & 0xFF);
    return text + digits;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

std::string BankBytes(int bank) {
    std::string bytes(kBankRangeSize, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 3 + bank * 40);
    return bytes;
}

// A project folder with a bin folder holding bank1.bin to bank5.bin, and a MASTER folder.
struct Layout {
    TempDir dir;
    PatcherValues values;
    RecordingPrompter prompter;
    Layout() {
        fs::create_directories(dir / "MASTER");
        fs::create_directories(dir / "P/bin");
        for (int bank = 1; bank <= 5; ++bank)
            WriteText(dir / ("P/bin/bank" + std::to_string(bank) + ".bin"), BankBytes(bank));
        values = {dir / "MASTER/T.sx", dir / "P/bin", dir / "P", "New_T.sx"};
    }
    std::string Records(int bank) const {
        return RenderBankRecords(BankBytes(bank), BankRangeOf(bank).first);
    }
    std::vector<std::string> ProjectFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir / "P"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

const std::string kBankMark = "<bank>";
const std::string kNoEnd = "The file \"%s\" has no S9 end record, so no new firmware was written.";

} // namespace

TEST(PatchBank, ReplacesTheBankRangeOfTheInput) {
    const std::string code1 = Rec("S2", 0x300000, 32), code2 = Rec("S2", 0x310000, 16);
    const std::string bank1a = Rec("S2", 0x388000, 32), bank1b = Rec("S2", 0x388020, 32);
    const std::string bank1Last = Rec("S2", 0x38BFFF, 1), after1 = Rec("S2", 0x38C000, 32);
    const std::string before1 = Rec("S2", 0x387FF0, 32), bank2a = Rec("S2", 0x398000, 32);
    const std::string s1 = Rec("S1", 0x8000, 16), s1High = Rec("S1", 0xFFF0, 16);
    const std::string s0 = Rec("S0", 0, 4), s9 = Rec("S9", 0x8000, 0), s8 = Rec("S8", 0x388000, 0);
    const std::string s3 = Rec("S3", 0x00388000, 8), s5 = Rec("S5", 3, 0), s7 = Rec("S7", 0x388000, 0);
    struct Case {
        const char* name;
        int bank;
        std::vector<std::string> input;
        int result;
        std::vector<std::string> output; // kBankMark: the 512 generated records
        std::vector<std::string> messages;
    } cases[] = {
        {"range in the middle",
         1,
         {s0, code1, bank1a, bank1b, code2, s9},
         1,
         {s0, code1, kBankMark, code2, s9},
         {}},
        {"old records not contiguous",
         1,
         {code1, bank1a, code2, bank1Last, s1, bank1b, s9},
         1,
         {code1, kBankMark, code2, s1, s9},
         {}},
        {"no record in the range", 1, {s0, code1, bank2a, s9}, 0, {s0, code1, bank2a, s9}, {}},
        {"only the start address counts",
         1,
         {before1, bank1Last, after1, s9},
         1,
         {before1, kBankMark, after1, s9},
         {}},
        {"S1 records are always copied", 1, {s1, s1High, bank1a, s9}, 1, {s1, s1High, kBankMark, s9}, {}},
        {"other lines copied, S8 is no end record",
         1,
         {s0, s3, "", s5, s7, s8, bank1a, "S9 end", s9},
         1,
         {s0, s3, "", s5, s7, s8, kBankMark, "S9 end", s9},
         {}},
        {"bank 2 leaves bank 1 alone", 2, {bank1a, bank2a, s9}, 1, {bank1a, kBankMark, s9}, {}},
        {"the last end record counts", 1, {code1, s9, bank1a, s9}, 1, {code1, s9, kBankMark, s9}, {}},
        {"an end record before the range counts alone", 1, {s9, bank1a}, 0, {s9, kBankMark}, {}},
        {"no end record", 1, {s0, bank1a, s8}, -1, {}, {kNoEnd}},
        {"address not hexadecimal after the end record",
         1,
         {bank1a, s9, "S2243G8000FF"},
         -1,
         {},
         {"File New Sx Not Create,Abort Procedure"}},
        {"address cut short", 1, {s9, bank1a, "S1130"}, -1, {}, {"File New Sx Not Create,Abort Procedure"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        fs::path input = layout.dir / "MASTER/T.sx";
        // Lines ended by LF alone come out with CR LF all the same.
        WriteText(input, Join(c.input, c.bank == 2 ? "\n" : "\r\n"));
        FirmwarePatcher patcher(layout.prompter);
        EXPECT_EQ(patcher.PatchBank(layout.values, c.bank, "out.sx", input), c.result);
        std::vector<std::string> expectedMessages;
        for (std::string m : c.messages) {
            if (auto at = m.find("%s"); at != std::string::npos) m.replace(at, 2, input.string());
            expectedMessages.push_back(m);
        }
        EXPECT_EQ(layout.prompter.messages, expectedMessages);
        if (c.result == -1) {
            EXPECT_FALSE(fs::exists(layout.dir / "P/out.sx"));
            continue;
        }
        std::string expected;
        for (const std::string& line : c.output)
            expected += line == kBankMark ? layout.Records(c.bank) : line + "\r\n";
        EXPECT_EQ(ReadText(layout.dir / "P/out.sx"), expected);
        EXPECT_FALSE(fs::exists(layout.dir / "P/bin/Bin.sx"));
    }
}

TEST(PatchBank, MixedLineEndsComeOutAsCrLf) {
    const std::string code1 = Rec("S2", 0x300000, 32), code2 = Rec("S2", 0x310000, 16);
    const std::string bank1a = Rec("S2", 0x388000, 32), bank1b = Rec("S2", 0x388020, 32);
    const std::string s0 = Rec("S0", 0, 4), s9 = Rec("S9", 0x8000, 0);
    Layout layout;
    fs::path input = layout.dir / "MASTER/T.sx";
    // One CR is taken off each line end; a stray CR before it stays, and the last line has no LF.
    WriteText(input, s0 + "\r\n" + code1 + "\n\r\n\n" + bank1a + "\r\n" + bank1b + "\n" + code2 + "\r\r\n" +
                         s9 + "\r");
    FirmwarePatcher patcher(layout.prompter);
    EXPECT_EQ(patcher.PatchBank(layout.values, 1, "out.sx", input), 1);
    EXPECT_EQ(ReadText(layout.dir / "P/out.sx"),
              s0 + "\r\n" + code1 + "\r\n\r\n\r\n" + layout.Records(1) + code2 + "\r\r\n" + s9 + "\r\n");
}

TEST(PatchBank, PreconditionsStopWithTheirMessage) {
    struct Case {
        const char* name;
        std::function<void(Layout&)> spoil;
        std::string message;
    } cases[] = {
        {"input missing", [](Layout& l) { fs::remove(l.values.templateFile); },
         "File *.Sx Not Found,Abort Procedure"},
        {"no new firmware name", [](Layout& l) { l.values.newFirmwareName.clear(); },
         "File New *.Sx Not Found,Abort Procedure"},
        {"bank folder missing", [](Layout& l) { l.values.bankFolder = l.dir / "P/nobin"; },
         "Directory Bin Not Found,Abort Procedure"},
        {"bank file missing", [](Layout& l) { fs::remove(l.dir / "P/bin/bank3.bin"); },
         "File bank3.bin Not Found,Abort Procedure"},
        {"bank file too short",
         [](Layout& l) { WriteText(l.dir / "P/bin/bank3.bin", std::string(16383, 'x')); },
         "File bank3.bin is not 16384 bytes long,Abort Procedure"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        WriteText(layout.values.templateFile, Join({Rec("S2", 0x3A8000, 32), Rec("S9", 0, 0)}));
        c.spoil(layout);
        FirmwarePatcher patcher(layout.prompter);
        EXPECT_EQ(patcher.PatchBank(layout.values, 3, "out.sx", layout.values.templateFile), -1);
        EXPECT_EQ(layout.prompter.messages, std::vector<std::string>{c.message});
        EXPECT_FALSE(fs::exists(layout.dir / "P/out.sx"));
    }
}

TEST(PatchBank, ProgressRunsFromZeroToRecordsPlusLines) {
    Layout layout;
    WriteText(layout.values.templateFile,
              Join({Rec("S0", 0, 2), Rec("S2", 0x388000, 32), Rec("S2", 0x388020, 32), Rec("S9", 0, 0)}));
    std::vector<std::pair<int, int>> seen;
    FirmwarePatcher patcher(layout.prompter,
                            [&](int position, int maximum) { seen.emplace_back(position, maximum); });
    ASSERT_EQ(patcher.PatchBank(layout.values, 1, "out.sx", layout.values.templateFile), 1);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front().first, 0);
    EXPECT_EQ(seen.back(), std::make_pair(516, 516));
    for (std::size_t i = 2; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].second, 516);
        EXPECT_GE(seen[i].first, seen[i - 1].first);
    }
}

TEST(BuildFirmwareFile, GoldenTemplateWithBanksOneAndTwo) {
    const fs::path fixtures = fs::path(ZANTOR_FIXTURES) / "firmware";
    Layout layout;
    fs::copy_file(fixtures / "golden_template.sx", layout.dir / "MASTER/golden_template.sx");
    fs::copy_file(fixtures / "golden_bank1.bin", layout.dir / "P/bin/bank1.bin",
                  fs::copy_options::overwrite_existing);
    fs::copy_file(fixtures / "golden_bank2.bin", layout.dir / "P/bin/bank2.bin",
                  fs::copy_options::overwrite_existing);
    layout.values.templateFile = layout.dir / "MASTER/golden_template.sx";
    layout.values.newFirmwareName = "New_golden_template.sx";
    FirmwarePatcher patcher(layout.prompter);
    FirmwareOutcome outcome = patcher.BuildFirmwareFile(layout.values, BanksTakingPart(2));
    EXPECT_TRUE(outcome.Complete());
    EXPECT_EQ(outcome.placed, (std::vector<int>{1, 2}));
    EXPECT_TRUE(layout.prompter.all.empty());
    fs::path output = layout.dir / "P/New_golden_template.sx";
    EXPECT_EQ(ReadText(output), ReadText(fixtures / "golden_New_golden_template.sx"));
    EXPECT_EQ(layout.ProjectFiles(), (std::vector<std::string>{"New_golden_template.sx", "bin"}));

    // An independent reader: srec_info accepts the file and srec_cat cuts each bank out unchanged.
    if (std::system("command -v srec_cat >/dev/null 2>&1 && command -v srec_info >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "srecord tools are not installed";
    std::string quoted = "'" + output.string() + "'";
    EXPECT_EQ(std::system(("srec_info " + quoted + " >/dev/null 2>&1").c_str()), 0);
    for (int bank = 1; bank <= 2; ++bank) {
        BankRange range = BankRangeOf(bank);
        fs::path cut = layout.dir / ("cut" + std::to_string(bank) + ".bin");
        std::string command = "srec_cat " + quoted + " -crop " + std::to_string(range.first) + " " +
                              std::to_string(range.last + 1) + " -offset -" + std::to_string(range.first) +
                              " -o '" + cut.string() + "' -binary";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        EXPECT_EQ(ReadText(cut), ReadText(layout.dir / ("P/bin/bank" + std::to_string(bank) + ".bin")))
            << "bank " << bank;
    }
}

TEST(BuildFirmwareFile, ChainOutcomes) {
    const std::string s9 = Rec("S9", 0, 0);
    auto all = [](int n) {
        std::vector<std::string> lines{Rec("S0", 0, 3)};
        for (int bank = 1; bank <= n; ++bank)
            lines.push_back(Rec("S2", BankRangeOf(bank).first, 32));
        return lines;
    };
    auto withEnd = [&](std::vector<std::string> lines) {
        lines.push_back(s9);
        return lines;
    };
    struct Case {
        const char* name;
        std::vector<std::string> templateLines;
        std::array<bool, 5> takesPart;
        std::function<void(Layout&)> spoil;
        bool stopped;
        std::vector<int> placed, notPlaced;
        std::array<bool, 5> marked;
        std::vector<std::string> messages;
    } cases[] = {
        {"banks 1 and 2", withEnd(all(5)), BanksTakingPart(2), {}, false, {1, 2}, {}, {}, {}},
        {"bank 2 missing from the template",
         withEnd(all(1)),
         BanksTakingPart(2),
         {},
         false,
         {1},
         {2},
         {false, true, true, true, true},
         {}},
        {"all five banks", withEnd(all(5)), BanksTakingPart(1), {}, false, {1, 2, 3, 4, 5}, {}, {}, {}},
        {"bank 1 takes part whatever the boxes say",
         withEnd(all(2)),
         {false, false, false, false, false},
         {},
         false,
         {1},
         {},
         {},
         {}},
        {"no end record", all(5), BanksTakingPart(2), {}, true, {}, {}, {}, {kNoEnd}},
        {"bank file 2 missing",
         withEnd(all(5)),
         BanksTakingPart(2),
         [](Layout& l) { fs::remove(l.dir / "P/bin/bank2.bin"); },
         true,
         {1},
         {},
         {},
         {"File bank2.bin Not Found,Abort Procedure"}},
        {"bad line",
         withEnd({Rec("S2", 0x388000, 32), "S2XX"}),
         BanksTakingPart(2),
         {},
         true,
         {},
         {},
         {},
         {"File New Sx Not Create,Abort Procedure"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        WriteText(layout.values.templateFile, Join(c.templateLines));
        // A firmware file of an earlier run is replaced only by a complete chain.
        WriteText(layout.dir / "P/New_T.sx", "earlier\r\n");
        if (c.spoil) c.spoil(layout);
        FirmwarePatcher patcher(layout.prompter);
        FirmwareOutcome outcome = patcher.BuildFirmwareFile(layout.values, c.takesPart);
        EXPECT_EQ(outcome.stopped, c.stopped);
        EXPECT_EQ(outcome.placed, c.placed);
        EXPECT_EQ(outcome.notPlaced, c.notPlaced);
        EXPECT_EQ(outcome.marked, c.marked);
        std::vector<std::string> expectedMessages;
        for (std::string m : c.messages) {
            if (auto at = m.find("%s"); at != std::string::npos)
                m.replace(at, 2, layout.values.templateFile.string());
            expectedMessages.push_back(m);
        }
        EXPECT_EQ(layout.prompter.messages, expectedMessages);
        EXPECT_EQ(layout.ProjectFiles(), (std::vector<std::string>{"New_T.sx", "bin"}));
        std::string written = ReadText(layout.dir / "P/New_T.sx");
        if (c.stopped) {
            EXPECT_EQ(written, "earlier\r\n");
            continue;
        }
        std::string expected;
        bool placed[6] = {};
        for (int bank : c.placed)
            placed[bank] = true;
        for (const std::string& line : c.templateLines) {
            auto address = DataRecordAddress(line);
            int bank = address ? static_cast<int>((*address - 0x388000) / 0x10000) + 1 : 0;
            expected += bank >= 1 && bank <= 5 && placed[bank] ? layout.Records(bank) : line + "\r\n";
        }
        EXPECT_EQ(written, expected);
    }
}
