#include "settings/CommunicationForm.h"
#include "TestSupport.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace zantor;
using zantor::test::ReadText;
using zantor::test::TempDir;
using zantor::test::WriteText;

namespace {

const char* kDefaultFile =
    "<ParametriGenerali><Boud0>5</Boud0><Boud1>5</Boud1><Type>0</Type><Positive>0</Positive>"
    "<Baud_Dip_C0>0</Baud_Dip_C0><Baud_Dip_C1>0</Baud_Dip_C1></ParametriGenerali>";

struct Fixture {
    TempDir exe;
    Workspace workspace;
    test::RecordingPrompter prompter;
    CommunicationForm form{workspace, prompter};

    Fixture() {
        fs::create_directories(exe / "PROJECTS/P");
        workspace.RestoreWorkspace(exe.path());
        workspace.SetProjectFolder((exe / "PROJECTS/P").string());
        workspace.networkType = 0;
        workspace.positive = false;
    }
    fs::path pargen() const { return workspace.state.paths.pargen; }
};

TEST(CommunicationForm, DefaultsWriteTheFixedElementOrder) {
    Fixture f;
    f.form.BitBtn1Click();
    EXPECT_EQ(ReadText(f.pargen()), kDefaultFile);
}

TEST(CommunicationForm, LoadShowsTheFileButOnlyConfirmChangesTheProcessValues) {
    Fixture f;
    WriteText(f.pargen(), test::PargenText({"6", "2", "1", "1", "1", "0"}));
    f.form.FormShow();
    EXPECT_TRUE(f.prompter.all.empty());
    EXPECT_EQ(f.form.values, (CommunicationSettings{6, 2, 1, true, true, false}));
    EXPECT_FALSE(f.form.ComboBox1Enabled()) << "the dip switch greys out its list";
    EXPECT_TRUE(f.form.ComboBox2Enabled());
    EXPECT_EQ(f.workspace.networkType, 0);
    EXPECT_FALSE(f.workspace.positive);

    f.form.BitBtn1Click();
    EXPECT_EQ(f.workspace.networkType, 1);
    EXPECT_TRUE(f.workspace.positive);
    EXPECT_EQ(ReadText(f.pargen()), test::PargenText({"6", "2", "1", "1", "1", "0"}))
        << "the greyed list still writes its index";
}

TEST(CommunicationForm, LoadCases) {
    const CommunicationSettings before{3, 4, 1, true, true, true};
    struct Case {
        const char* what;
        std::string file; // empty: no file
        CommunicationSettings expected;
        std::vector<std::string> messages;
    } cases[] = {
        {"baud index out of the list",
         test::PargenText({"5", "12", "0", "0", "0", "0"}),
         {5, -1, 0, false, false, false},
         {}},
        {"negative type selects nothing",
         test::PargenText({"0", "8", "-1", "2", "yes", "1"}),
         {0, 8, -1, false, false, true},
         {}},
        {"type above one is CAN 2.0B",
         test::PargenText({"0", "0", "7", "1", "0", "0"}),
         {0, 0, 1, true, false, false},
         {}},
        {"invalid type reads as 0",
         test::PargenText({"0", "0", "B", "1", "0", "0"}),
         {0, 0, 0, true, false, false},
         {}},
        {"hexadecimal texts",
         test::PargenText({"$5", "0x6", "x1", "0x1", "1", "1"}),
         {5, 6, 1, true, true, true},
         {}},
        {"non-numeric Boud0 changes nothing",
         test::PargenText({"fast", "0", "0", "0", "0", "0"}),
         before,
         {"Error in reading file XML"}},
        {"fewer than six elements",
         test::PargenText({"1", "2", "0", "0"}),
         {1, 2, 0, false, true, true},
         {"Error in reading file XML"}},
        {"not well-formed", "<ParametriGenerali><Boud0>1</Boud0>", before, {"Error in reading file XML"}},
        {"missing file", "", before, {"File XML not found"}},
        {"indented by hand",
         "<ParametriGenerali>\n <Boud0>1</Boud0>\n <Boud1>2</Boud1>\n <Type>1</Type>\n"
         " <Positive>0</Positive>\n <Baud_Dip_C0>0</Baud_Dip_C0>\n <Baud_Dip_C1>1</Baud_Dip_C1>\n"
         "</ParametriGenerali>\n",
         {1, 2, 1, false, false, true},
         {}},
    };
    for (const Case& c : cases) {
        Fixture f;
        if (!c.file.empty()) WriteText(f.pargen(), c.file);
        f.form.values = before;
        f.form.FormShow();
        SCOPED_TRACE(c.what);
        EXPECT_EQ(f.form.values, c.expected);
        EXPECT_EQ(f.prompter.messages, c.messages);
        EXPECT_EQ(f.workspace.networkType, 0);
    }
}

TEST(CommunicationForm, NoSelectionIsWrittenAsMinusOne) {
    Fixture f;
    WriteText(f.pargen(), test::PargenText({"5", "12", "0", "0", "0", "0"}));
    f.form.FormShow();
    f.form.BitBtn1Click();
    EXPECT_EQ(ReadText(f.pargen()), test::PargenText({"5", "-1", "0", "0", "0", "0"}));
}

TEST(CommunicationForm, AFailedWriteIsReportedAfterTheProcessValuesWereSet) {
    Fixture f;
    fs::create_directories(f.pargen()); // something that cannot be replaced by a file
    f.form.values.type = 1;
    f.form.values.positive = true;
    try {
        f.form.BitBtn1Click();
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot create file \"" + f.pargen().string() + "\""),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(f.workspace.networkType, 1);
    EXPECT_TRUE(f.workspace.positive);
    EXPECT_TRUE(fs::is_directory(f.pargen()));
}

} // namespace
