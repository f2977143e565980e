#include "cobid/CobIdForm.h"
#include "workspace/Workspace.h"
#include "xmlfile/XmlFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace zantor {
namespace {

using Column = CobIdForm::Column;

struct Fixture {
    test::TempDir dir;
    Workspace workspace;
    test::RecordingPrompter prompter;
    CobIdForm form{workspace, prompter};

    explicit Fixture(int networkType = 0, bool positive = true) {
        workspace.networkType = networkType;
        workspace.positive = positive;
        workspace.state.paths.cobid = dir / "CanCanCobID.xml";
    }
    std::filesystem::path file() const { return workspace.state.paths.cobid; }
    DirectionTable Read(Direction d) const { return ReadDirectionTable(file(), d); }
};

DirectionTable Rows(std::size_t count) {
    return DirectionTable(count);
}

TEST(CobIdForm, ShowPreparesGridsAfterTheCommunicationValues) {
    struct Case {
        int networkType;
        bool positive;
        std::size_t rows;
        bool compileVisible;
        bool modifyEditable;
    } const cases[] = {
        {0, true, 2048, true, true},
        {0, false, 2048, true, false},
        {1, true, 2000, false, true},
        {1, false, 2000, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.networkType << " positive " << c.positive);
        Fixture f(c.networkType, c.positive);
        f.form.FormShow();
        EXPECT_EQ(f.form.RowCount(0), c.rows);
        EXPECT_EQ(f.form.RowCount(1), c.rows);
        EXPECT_EQ(f.form.Cell(1, c.rows - 1, Column::Number), std::to_string(c.rows - 1));
        EXPECT_EQ(f.form.compileVisible(), c.compileVisible);
        EXPECT_EQ(f.form.IsEditable(Column::Modified), c.modifyEditable);
        EXPECT_TRUE(f.form.IsEditable(Column::Original));
        EXPECT_FALSE(f.form.IsEditable(Column::Number));
        EXPECT_TRUE(f.prompter.all.empty()) << "a missing file is no error";
    }
}

TEST(CobIdForm, AnUnknownNetworkTypeKeepsTheGridsAndChecksNothing) {
    Fixture f(0);
    f.form.FormShow();
    f.form.SetCell(0, 5, Column::Original, "not a number");
    f.workspace.networkType = 2;
    f.form.FormShow();
    EXPECT_EQ(f.form.RowCount(0), 2048u);
    EXPECT_EQ(f.form.Cell(0, 5, Column::Original), "not a number");
    EXPECT_FALSE(f.form.compileVisible());
    EXPECT_FALSE(f.form.ValidateTables());
}

TEST(CobIdForm, LoadsFullFilesAndCutsThemToTheGrid) {
    DirectionTable c0 = Rows(2048), c1 = Rows(2048);
    c0[0] = {"0x10", "0x20", "first"};
    c0[1999] = {"1999", "", "last under 2.0B"};
    c0[2047] = {"2047", "1", "last under 2.0A"};
    c1[3] = {"", "5", "orphan modified"};

    for (int type : {0, 1}) {
        SCOPED_TRACE(type);
        Fixture f(type, false);
        WriteCobIdFile(f.file(), c0, c1);
        f.form.FormShow();
        const std::size_t rows = type == 0 ? 2048 : 2000;
        EXPECT_EQ(f.form.Grid(0), DirectionTable(c0.begin(), c0.begin() + rows));
        EXPECT_EQ(f.form.Grid(1), DirectionTable(c1.begin(), c1.begin() + rows));
        EXPECT_TRUE(f.prompter.all.empty());

        // Saved again as many rows as shown, read-only modified values unchanged.
        ASSERT_TRUE(f.form.Ok().accepted);
        EXPECT_EQ(f.Read(Direction::Can0_to_Can1), f.form.Grid(0));
        EXPECT_EQ(f.Read(Direction::Can1_to_Can0).size(), rows);
    }
}

TEST(CobIdForm, AShortFileLeavesTheOtherRowsEmpty) {
    Fixture f(0);
    WriteCobIdFile(f.file(), Rows(2048), Rows(2048));
    f.form.FormShow();
    f.form.SetCell(0, 100, Column::Description, "typed, not confirmed");
    WriteCobIdFile(f.file(), {{"1", "2", "3"}}, {});
    // Each showing starts from the file again.
    f.form.FormShow();
    EXPECT_EQ(f.form.Cell(0, 0, Column::Modified), "2");
    EXPECT_EQ(f.form.Cell(0, 100, Column::Description), "");
    EXPECT_EQ(f.form.Grid(1), Rows(2048));
}

TEST(CobIdForm, AFileThatFailsToReadIsReportedAndKeepsWhatWasRead) {
    const char* row = "<row Orig_CobID=\"1\" Mod_CobID=\"2\" Desc=\"d\"/>";
    struct Case {
        const char* name;
        std::string xml;
        CobIdPair lastRead; // row 1 of Can0_to_Can1 after the failure
        bool secondTableRead;
    } const cases[] = {
        {"row without Mod_CobID keeps its original",
         std::string("<CanCanCobID><Can0_to_Can1>") + row +
             "<row Orig_CobID=\"7\" Desc=\"x\"/></Can0_to_Can1><Can1_to_Can0>" + row +
             "</Can1_to_Can0></CanCanCobID>",
         {"7", "", ""},
         false},
        {"row without Orig_CobID",
         std::string("<CanCanCobID><Can0_to_Can1>") + row +
             "<row Mod_CobID=\"7\" Desc=\"x\"/></Can0_to_Can1>" + "<Can1_to_Can0>" + row +
             "</Can1_to_Can0></CanCanCobID>",
         {"", "", ""},
         false},
        {"second direction missing",
         std::string("<CanCanCobID><Can0_to_Can1>") + row + row + "</Can0_to_Can1></CanCanCobID>",
         {"1", "2", "d"},
         false},
        {"not well-formed", std::string("<CanCanCobID><Can0_to_Can1>") + row, {"", "", ""}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(0);
        test::WriteText(f.file(), c.xml);
        f.form.FormShow();
        EXPECT_EQ(f.prompter.messages, std::vector<std::string>{"Error in reading file XML"});
        EXPECT_EQ(f.form.Grid(0)[1], c.lastRead);
        EXPECT_EQ(f.form.Cell(0, 2, Column::Original), "");
        EXPECT_EQ(f.form.Cell(1, 0, Column::Original), c.secondTableRead ? "1" : "");
    }
}

struct Edit {
    std::size_t table, row;
    Column column;
    const char* text;
};

TEST(CobIdForm, CheckRefusesTheFirstBadCobIdOfTheFirstTable) {
    const char* rangeA = ". The CobID must between 0x000 and 0x7FF";
    const char* rangeB = ". The CobID must between 0x0000 0000 and 0x1FFF FFFF";
    struct Case {
        int networkType;
        std::vector<Edit> edits;
        std::optional<std::string> message;
        std::size_t table = 0, row = 0;
    } const cases[] = {
        {0, {{0, 0, Column::Original, "0x800"}}, std::string("Table Can0 to Can1. Error in row 2") + rangeA},
        {0, {{0, 0, Column::Original, "0x7FF"}, {0, 0, Column::Modified, "2047"}}, std::nullopt},
        {0, {{0, 9, Column::Original, "$7ff"}, {1, 9, Column::Original, "x0"}}, std::nullopt},
        {0,
         {{0, 4, Column::Original, "7FF"}},
         std::string("Table Can0 to Can1. Error in row 6") + rangeA,
         0,
         4},
        {0,
         {{0, 4, Column::Original, "-1"}},
         std::string("Table Can0 to Can1. Error in row 6") + rangeA,
         0,
         4},
        {0,
         {{0, 4, Column::Original, "12 "}},
         std::string("Table Can0 to Can1. Error in row 6") + rangeA,
         0,
         4},
        {0,
         {{0, 4, Column::Original, " "}},
         std::string("Table Can0 to Can1. Error in row 6") + rangeA,
         0,
         4},
        {0,
         {{1, 2047, Column::Modified, "abc"}},
         std::string("Table Can1 to Can0. Error in row 2049") + rangeA,
         1,
         2047},
        // Only the first error is reported, the first table before the second.
        {0,
         {{1, 0, Column::Original, "0x800"},
          {0, 30, Column::Modified, "0x800"},
          {0, 31, Column::Original, "-5"}},
         std::string("Table Can0 to Can1. Error in row 32") + rangeA,
         0,
         30},
        {1, {{0, 0, Column::Original, "0x1FFFFFFF"}, {1, 1999, Column::Modified, "536870911"}}, std::nullopt},
        {1,
         {{1, 3, Column::Original, "0x20000000"}},
         std::string("Table Can1 to Can0. Error in row 5") + rangeB,
         1,
         3},
        {1,
         {{0, 0, Column::Original, "0xFFFFFFFF"}},
         std::string("Table Can0 to Can1. Error in row 2") + rangeB},
        // Descriptions are never looked at.
        {1, {{0, 0, Column::Description, "0xFFFFFFFFFF"}}, std::nullopt},
    };
    for (const Case& c : cases) {
        Fixture f(c.networkType);
        f.form.FormShow();
        for (const Edit& e : c.edits)
            ASSERT_TRUE(f.form.SetCell(e.table, e.row, e.column, e.text));
        SCOPED_TRACE(c.edits.front().text);

        auto error = f.form.ValidateTables();
        ASSERT_EQ(error.has_value(), c.message.has_value());
        auto result = f.form.Ok();
        if (!c.message) {
            EXPECT_TRUE(result.accepted);
            EXPECT_TRUE(f.prompter.all.empty());
            continue;
        }
        EXPECT_EQ(error->message, *c.message);
        EXPECT_EQ(error->table, c.table);
        EXPECT_EQ(error->row, c.row);
        EXPECT_FALSE(result.accepted);
        EXPECT_EQ(f.prompter.errors, std::vector<std::string>{*c.message});
        EXPECT_FALSE(std::filesystem::exists(f.file())) << "a refused check writes nothing";
    }
}

TEST(CobIdForm, AnEmptyOriginalDoesNotExcuseABadModifiedValue) {
    Fixture f(0);
    WriteCobIdFile(f.file(), {{"", "", ""}, {"", "0x800", "stale"}}, {});
    f.form.FormShow();
    auto error = f.form.ValidateTables();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->row, 1u);
    EXPECT_EQ(error->column, Column::Modified);
}

TEST(CobIdForm, AFailingSaveIsReportedAndKeepsTheWindowOpen) {
    Fixture f(0);
    f.workspace.state.paths.cobid = f.dir / "gone" / "CanCanCobID.xml";
    f.form.FormShow();
    auto result = f.form.Ok();
    EXPECT_FALSE(result.accepted);
    EXPECT_FALSE(result.refused);
    ASSERT_EQ(f.prompter.errors.size(), 1u);
    EXPECT_EQ(f.prompter.errors[0].rfind("Cannot create file \"", 0), 0u) << f.prompter.errors[0];
}

TEST(CobIdForm, CompileAndCancelAllActOnTheTabInFrontAfterAYes) {
    struct Case {
        bool compile;
        std::size_t tab;
        bool yes;
    } const cases[] = {
        {true, 0, true}, {true, 1, true}, {true, 0, false}, {false, 1, true}, {false, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.compile ? "compile" : "cancel") << " tab " << c.tab << " " << c.yes);
        Fixture f(0, false);
        DirectionTable before = Rows(2048);
        before[7] = {"0x10", "0x11", "kept"};
        WriteCobIdFile(f.file(), before, before);
        f.form.FormShow();
        f.form.currentTab = c.tab;
        f.prompter.answers = {c.yes};
        c.compile ? f.form.CompileAll() : f.form.CancelAll();
        EXPECT_EQ(f.prompter.confirmations, std::vector<std::string>{c.compile ? CobIdForm::kCompileQuestion
                                                                               : CobIdForm::kCancelQuestion});
        ASSERT_TRUE(f.form.Ok().accepted);

        DirectionTable expected = before;
        if (c.yes) {
            for (std::size_t n = 0; n < expected.size(); ++n) {
                std::string text = c.compile ? std::to_string(n) : "";
                expected[n].original = expected[n].modified = text;
            }
        }
        EXPECT_EQ(f.Read(c.tab == 0 ? Direction::Can0_to_Can1 : Direction::Can1_to_Can0), expected);
        EXPECT_EQ(f.Read(c.tab == 0 ? Direction::Can1_to_Can0 : Direction::Can0_to_Can1), before);
    }
}

TEST(CobIdForm, CompileAllIsNotOfferedUnderCan20B) {
    Fixture f(1);
    f.form.FormShow();
    f.form.CompileAll();
    EXPECT_TRUE(f.prompter.confirmations.empty());
    EXPECT_EQ(f.form.Cell(0, 5, Column::Original), "");
}

TEST(CobIdForm, CopiesARangeAsTabSeparatedText) {
    Fixture f(0);
    f.form.FormShow();
    f.form.SetCell(0, 1, Column::Original, "0x1");
    f.form.SetCell(0, 1, Column::Description, "tab\there \"q\"");
    f.form.SetCell(0, 2, Column::Modified, "5");
    EXPECT_EQ(f.form.CopyRange(0, {1, 0, 2, 3}, CobIdForm::LineEnd::CrLf),
              "1\t0x1\t\t\"tab\there \"\"q\"\"\"\r\n2\t\t5\t\r\n");
    EXPECT_EQ(f.form.CopyRange(0, {2046, 2, 5000, 9}, CobIdForm::LineEnd::Lf), "\t\n\t\n");
}

TEST(CobIdForm, PastesTabSeparatedTextClippedAndAroundReadOnlyCells) {
    struct Case {
        const char* name;
        bool positive;
        std::size_t row;
        Column column;
        const char* text;
        std::vector<Edit> expected; // every non-empty cell afterwards
        std::optional<CobIdForm::CellRange> covered;
    } const cases[] = {
        {"block with CR LF",
         true,
         3,
         Column::Original,
         "1\t2\td\r\n3\t4\te\r\n",
         {{0, 3, Column::Original, "1"},
          {0, 3, Column::Modified, "2"},
          {0, 3, Column::Description, "d"},
          {0, 4, Column::Original, "3"},
          {0, 4, Column::Modified, "4"},
          {0, 4, Column::Description, "e"}},
         CobIdForm::CellRange{3, 1, 4, 3}},
        {"clipped at the right and the bottom",
         true,
         2047,
         Column::Modified,
         "a\tb\tc\nd\te",
         {{0, 2047, Column::Modified, "a"}, {0, 2047, Column::Description, "b"}},
         CobIdForm::CellRange{2047, 2, 2047, 3}},
        {"onto the number column",
         true,
         0,
         Column::Number,
         "7\t8",
         {{0, 0, Column::Original, "7"}, {0, 0, Column::Modified, "8"}},
         CobIdForm::CellRange{0, 1, 0, 2}},
        {"read-only modified skipped, not shifted",
         false,
         0,
         Column::Original,
         "7\t8\tdesc\n9",
         {{0, 0, Column::Original, "7"}, {0, 0, Column::Description, "desc"}, {0, 1, Column::Original, "9"}},
         CobIdForm::CellRange{0, 1, 1, 3}},
        {"quoted cell with a line break",
         true,
         0,
         Column::Description,
         "\"two\nlines\"\nnext",
         {{0, 0, Column::Description, "two\nlines"}, {0, 1, Column::Description, "next"}},
         CobIdForm::CellRange{0, 3, 1, 3}},
        {"only into read-only cells", false, 0, Column::Modified, "8", {}, std::nullopt},
        {"empty text", true, 0, Column::Original, "", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(0, c.positive);
        f.form.FormShow();
        auto covered = f.form.PasteAt(0, c.row, c.column, c.text);
        ASSERT_EQ(covered.has_value(), c.covered.has_value());
        if (covered) {
            EXPECT_EQ(covered->top, c.covered->top);
            EXPECT_EQ(covered->left, c.covered->left);
            EXPECT_EQ(covered->bottom, c.covered->bottom);
            EXPECT_EQ(covered->right, c.covered->right);
        }
        DirectionTable expected = Rows(2048);
        for (const Edit& e : c.expected) {
            CobIdPair& p = expected[e.row];
            (e.column == Column::Original   ? p.original
             : e.column == Column::Modified ? p.modified
                                            : p.description) = e.text;
        }
        EXPECT_EQ(f.form.Grid(0), expected);
        EXPECT_EQ(f.form.Grid(1), Rows(2048));
    }
}

TEST(CobIdForm, ClearingARangeSparesReadOnlyCells) {
    Fixture f(0, false);
    WriteCobIdFile(f.file(), {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}}, {});
    f.form.FormShow();
    f.form.ClearRange(0, {0, 0, 1, 3});
    EXPECT_EQ(f.form.Grid(0)[0], (CobIdPair{"", "2", ""}));
    EXPECT_EQ(f.form.Grid(0)[1], (CobIdPair{"", "5", ""}));
    EXPECT_EQ(f.form.Grid(0)[2], (CobIdPair{"7", "8", "9"}));
    EXPECT_FALSE(f.form.SetCell(0, 0, Column::Modified, "x"));
    EXPECT_FALSE(f.form.SetCell(0, 0, Column::Number, "x"));
}

} // namespace
} // namespace zantor
