#include "app/NewProjectForm.h"
#include "TestSupport.h"
#include "settings/CommunicationForm.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace zantor;
using zantor::test::ReadText;
using zantor::test::TempDir;

namespace {

struct Fixture {
    TempDir exe;
    Workspace workspace;
    test::RecordingPrompter prompter;
    CommunicationForm communication{workspace, prompter};
    NewProjectForm form{workspace, prompter};

    Fixture() {
        workspace.RestoreWorkspace(exe.path());
        form.AddDefaultFileWriter([this] { communication.BitBtn1Click(); });
    }
    // What the main window does for "New project", then OK with the typed name.
    bool CreateWith(const std::string& name) {
        form.DialogMode = NewProjectForm::NewProject;
        form.destinationFolder = workspace.state.projectsFolder.string();
        form.FormShow();
        form.Edit1 = name;
        return form.BitBtn1Click();
    }
    fs::path projects() const { return exe / "PROJECTS"; }
};

TEST(NewProjectForm, Names) {
    struct Case {
        const char* name;
        const char* existing; // folder made beneath PROJECTS before
        bool closes;
        std::vector<std::string> messages;
        const char* createdFolder; // beneath PROJECTS; nullptr: nothing created
    } cases[] = {
        {"Plant2", nullptr, true, {}, "Plant2"},
        {"Plant2", "Plant2", false, {"Name project not valid because directory already exists"}, nullptr},
        {"", nullptr, false, {"Name project not valid"}, nullptr},
        {"Area/Plant3", "Area", true, {}, "Area/Plant3"},
        {"Area\\Plant3", "Area", true, {}, "Area/Plant3"}, // typed with Windows separators
        {"Area/Plant3", nullptr, false, {}, nullptr},      // the parent is not created
        {"../Outside", nullptr, false, {"Name project not valid"}, nullptr},
        {"A/../../Outside", "A", false, {"Name project not valid"}, nullptr},
        {"/tmp/Outside", nullptr, false, {"Name project not valid"}, nullptr},
        {" Plant 4 ", nullptr, true, {}, " Plant 4 "}, // taken as typed
    };
    for (const Case& c : cases) {
        Fixture f;
        if (c.existing) fs::create_directories(f.projects() / c.existing);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(f.CreateWith(c.name), c.closes);
        EXPECT_EQ(f.prompter.messages, c.messages);
        EXPECT_FALSE(fs::exists(f.exe.path().parent_path() / "Outside"));
        if (c.createdFolder) {
            fs::path folder = f.projects() / c.createdFolder;
            EXPECT_TRUE(fs::is_directory(folder / "bin"));
            EXPECT_EQ(f.workspace.state.projectFolder, folder.string());
            EXPECT_EQ(f.workspace.state.projectName, c.createdFolder) << "no leading separator";
            EXPECT_EQ(f.workspace.state.paths.pargen, folder / "pargen.xml");
            EXPECT_TRUE(fs::exists(folder / "pargen.xml"));
            EXPECT_FALSE(fs::exists(folder / "CanCanCobID.xml"));
        } else {
            EXPECT_EQ(f.workspace.state.projectFolder, f.projects().string())
                << "the open project is unchanged";
        }
    }
}

TEST(NewProjectForm, BothEmptyShowsBothMessagesInOrder) {
    Fixture f;
    f.form.DialogMode = NewProjectForm::NewProject;
    f.form.destinationFolder = "";
    f.form.FormShow();
    EXPECT_FALSE(f.form.BitBtn1Click());
    EXPECT_EQ(f.prompter.messages,
              (std::vector<std::string>{"directory destination not valid", "Name project not valid"}));
}

TEST(NewProjectForm, WritesTheUnconfirmedCommunicationValues) {
    Fixture f;
    // Changed in the communication window, then "Cancel": the values stay in its controls.
    f.communication.values.type = 1;
    f.communication.values.boud0 = 2;
    ASSERT_TRUE(f.CreateWith("Plant5"));
    EXPECT_EQ(ReadText(f.projects() / "Plant5/pargen.xml"),
              "<ParametriGenerali><Boud0>2</Boud0><Boud1>5</Boud1><Type>1</Type><Positive>0</Positive>"
              "<Baud_Dip_C0>0</Baud_Dip_C0><Baud_Dip_C1>0</Baud_Dip_C1></ParametriGenerali>");
    EXPECT_EQ(f.workspace.networkType, 1) << "creation confirms the communication values";
}

TEST(NewProjectForm, AFailingDefaultFileIsReportedAndKeepsTheDialogOpen) {
    Fixture f;
    f.form.AddDefaultFileWriter(
        [] { throw std::runtime_error("Cannot create file \"x/sdo.xml\". Disk full"); });
    bool laterWriterRan = false;
    f.form.AddDefaultFileWriter([&] { laterWriterRan = true; });
    EXPECT_FALSE(f.CreateWith("Plant6"));
    EXPECT_EQ(f.prompter.errors, std::vector<std::string>{"Cannot create file \"x/sdo.xml\". Disk full"});
    EXPECT_FALSE(laterWriterRan);
    EXPECT_TRUE(fs::exists(f.projects() / "Plant6/pargen.xml"));
    EXPECT_EQ(f.workspace.state.projectName, "Plant6") << "the project is open and usable";

    f.prompter.messages.clear();
    EXPECT_FALSE(f.form.BitBtn1Click());
    EXPECT_EQ(f.prompter.messages,
              std::vector<std::string>{"Name project not valid because directory already exists"});
}

TEST(NewProjectForm, ModesAndCancel) {
    Fixture f;
    f.form.DialogMode = NewProjectForm::EditXml;
    f.form.Edit1 = "<node>";
    f.form.FormShow();
    EXPECT_EQ(f.form.caption, "Edit XML");
    EXPECT_FALSE(f.form.labelVisible);
    EXPECT_EQ(f.form.Edit1, "<node>") << "the caller's text stays";
    EXPECT_TRUE(f.form.BitBtn1Click());
    EXPECT_TRUE(fs::is_empty(f.projects()));

    f.form.DialogMode = NewProjectForm::NewProject;
    f.form.FormShow();
    EXPECT_EQ(f.form.caption, "New project");
    EXPECT_TRUE(f.form.labelVisible);
    EXPECT_EQ(f.form.Edit1, "");
    f.form.Edit1 = "Plant7";
    EXPECT_TRUE(f.form.BitBtn2Click());
    EXPECT_TRUE(fs::is_empty(f.projects())) << "Cancel creates nothing";
}

} // namespace
