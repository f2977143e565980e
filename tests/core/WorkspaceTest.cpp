#include "workspace/Workspace.h"
#include "TestSupport.h"
#include "app/MainForm.h"
#include "cobid/CobIdFile.h"
#include "image/DeviceImage.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace zantor;
using zantor::test::ReadText;
using zantor::test::TempDir;
using zantor::test::WriteText;

namespace {

TEST(Workspace, FirstStartInAnEmptyFolder) {
    TempDir exe;
    Workspace w;
    w.RestoreWorkspace(exe.path());

    EXPECT_TRUE(fs::is_directory(exe / "MASTER"));
    EXPECT_TRUE(fs::is_directory(exe / "PROJECTS"));
    EXPECT_EQ(w.state.projectName, "");
    EXPECT_EQ(w.caption, kBaseCaption);
    EXPECT_EQ(w.state.projectFolder, (exe / "PROJECTS").string());
    EXPECT_EQ(w.state.paths.pargen, exe / "PROJECTS" / "pargen.xml");
    EXPECT_EQ(w.state.paths.cobid, exe / "PROJECTS" / "CanCanCobID.xml");
    EXPECT_EQ(w.networkType, 0);
    EXPECT_TRUE(w.positive) << "no pargen.xml sets the flag";

    w.SaveLastProject();
    EXPECT_EQ(ReadText(exe / kSettingsFileName), "[lastproj]\nprojectname=\n");
}

TEST(Workspace, ReopensTheLastProject) {
    struct Case {
        const char* stored;
        bool folderExists;
        const char* name;
        bool reopened;
    } cases[] = {
        {"Plant1", true, "/Plant1", true},   // the separator is put in front
        {"/Plant1", true, "/Plant1", true},  //
        {"\\Plant1", true, "/Plant1", true}, // written on Windows
        {"\\Area\\Plant1", true, "/Area/Plant1", true},
        {"/Plant1", false, "/Plant1", false}, // deleted: no project, the name is kept
        {"", false, "", false},
    };
    for (const Case& c : cases) {
        TempDir exe;
        if (c.folderExists)
            fs::create_directories(exe.path() / "PROJECTS" / fs::path(c.name).relative_path());
        WriteText(exe / kSettingsFileName, std::string("[lastproj]\nprojectname=") + c.stored + "\n");
        Workspace w;
        w.RestoreWorkspace(exe.path());
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(w.state.projectName, c.name);
        std::string projects = (exe / "PROJECTS").string();
        EXPECT_EQ(w.state.projectFolder, c.reopened ? projects + c.name : projects);
        EXPECT_EQ(w.caption, std::string(kBaseCaption) + (c.reopened ? c.name : ""));
        EXPECT_EQ(w.spreadsheetFolder, w.state.projectFolder);
        w.SaveLastProject();
        EXPECT_EQ(ReadLastProjectName(w.SettingsFile()), c.name);
    }
}

TEST(Workspace, ReadsNetworkTypeAndFlagFromTheReopenedProject) {
    struct Case {
        std::string file;
        int networkType;
        bool positive;
    } cases[] = {
        {test::PargenText({"5", "5", "1", "1", "0", "0"}), 1, true},
        {test::PargenText({"5", "5", "0", "0", "0", "0"}), 0, false},
        {test::PargenText({"5", "5", "0", "2", "0", "0"}), 0, false},
        {test::PargenText({"5", "5", "0", "yes", "0", "0"}), 0, false},
        {test::PargenText({"5", "5", "0x1", " 1", "0", "0"}), 1, true},
        {test::PargenText({"5", "5", "abc", "1", "0", "0"}), 0, true}, // an invalid type reads as 0
        {test::PargenText({"5", "5", "1"}), 1, false},     // three elements: the flag keeps its value
        {"<ParametriGenerali><Boud0>5</Boud0>", 0, false}, // not well-formed: both keep theirs
        {"<ParametriGenerali>\n  <Boud0>5</Boud0>\n  <Boud1>5</Boud1>\n  <Type>1</Type>\n  "
         "<Positive>1</Positive>\n"
         "</ParametriGenerali>",
         1, true}, // indented by hand
    };
    for (const Case& c : cases) {
        TempDir exe;
        WriteText(exe / "PROJECTS/P/pargen.xml", c.file);
        WriteText(exe / kSettingsFileName, "[lastproj]\nprojectname=/P\n");
        Workspace w;
        w.RestoreWorkspace(exe.path());
        SCOPED_TRACE(c.file);
        EXPECT_EQ(w.networkType, c.networkType);
        EXPECT_EQ(w.positive, c.positive);
    }
}

TEST(Workspace, SettingsFileKeepsEverythingElse) {
    TempDir exe;
    WriteText(exe / kSettingsFileName,
              "; written by hand\n[window]\nleft=10\n\n; last one\n[lastproj]\nprojectname=/Old\nother=1\n");
    Workspace w;
    w.RestoreWorkspace(exe.path());
    w.state.projectName = "/New\\Odd%20name";
    w.SaveLastProject();
    std::string text = ReadText(exe / kSettingsFileName);
    EXPECT_NE(text.find("; written by hand"), std::string::npos);
    EXPECT_NE(text.find("left=10"), std::string::npos);
    EXPECT_NE(text.find("; last one"), std::string::npos);
    EXPECT_NE(text.find("other=1"), std::string::npos);
    EXPECT_NE(text.find("projectname=/New\\Odd%20name"), std::string::npos) << text;
}

TEST(Workspace, OpenProject) {
    struct Case {
        const char* chosen; // beneath PROJECTS; nullptr = cancelled
        const char* expectedName;
    } cases[] = {
        {"Area/Plant1", "/Area/Plant1"}, {"Plant1", "/Plant1"}, {"", ""}, // the PROJECTS folder itself
    };
    for (const Case& c : cases) {
        TempDir exe;
        fs::create_directories(exe / "PROJECTS/Area/Plant1");
        fs::create_directories(exe / "PROJECTS/Plant1");
        Workspace w;
        w.RestoreWorkspace(exe.path());
        test::RecordingChooser chooser;
        std::string projects = (exe / "PROJECTS").string();
        chooser.folderAnswer = fs::path(*c.chosen ? projects + "/" + c.chosen : projects);
        w.OpenProject(chooser);
        SCOPED_TRACE(c.chosen);
        ASSERT_EQ(chooser.browses.size(), 1u);
        EXPECT_EQ(chooser.browses[0].root, exe / "PROJECTS");
        EXPECT_EQ(chooser.browses[0].title, "Select directory of project");
        EXPECT_EQ(w.state.projectName, c.expectedName);
        EXPECT_EQ(w.caption, std::string(kBaseCaption) + c.expectedName);
        EXPECT_EQ(w.state.paths.pargen, fs::path(projects + c.expectedName + "/pargen.xml"));
        EXPECT_EQ(w.state.paths.sdopdo, fs::path(projects + c.expectedName + "/sdopdo.xml"));
    }
}

TEST(Workspace, OpenProjectCancelled) {
    TempDir exe;
    Workspace w;
    w.RestoreWorkspace(exe.path());
    test::RecordingChooser chooser; // answers cancel

    // A project created in this run keeps its folder and gains the separator.
    fs::create_directories(exe / "PROJECTS/Plant2");
    w.state.projectName = "Plant2";
    w.SetProjectFolder((exe / "PROJECTS/Plant2").string());
    w.OpenProject(chooser);
    EXPECT_EQ(chooser.browses.back().selected, exe / "PROJECTS/Plant2");
    EXPECT_EQ(w.state.projectFolder, (exe / "PROJECTS/Plant2").string());
    EXPECT_EQ(w.state.projectName, "/Plant2");

    // Its folder deleted meanwhile: no valid project is left, and the guard refuses.
    fs::remove_all(exe / "PROJECTS/Plant2");
    w.OpenProject(chooser);
    EXPECT_EQ(chooser.browses.back().selected, fs::path());
    EXPECT_EQ(w.state.projectFolder, "");
    EXPECT_EQ(w.state.projectName, "");
    EXPECT_EQ(w.caption, kBaseCaption);
    EXPECT_EQ(w.state.paths.pargen, fs::path("/pargen.xml"));
    EXPECT_FALSE(w.ProjectValid());

    test::RecordingPrompter prompter;
    test::RecordingShell shell;
    MainForm form(w, prompter, chooser, shell);
    EXPECT_FALSE(form.CheckProjectValid());
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"Project not valid"});
}

TEST(MainForm, CloseReportsAnUnwritableSettingsFileAndStillCloses) {
    TempDir exe;
    Workspace w;
    w.RestoreWorkspace(exe.path());
    fs::create_directories(exe / kSettingsFileName); // a folder where the file should go
    test::RecordingPrompter prompter;
    test::RecordingChooser chooser;
    test::RecordingShell shell;
    MainForm form(w, prompter, chooser, shell);
    form.FormClose();
    ASSERT_EQ(prompter.errors.size(), 1u);
    EXPECT_NE(prompter.errors[0].find(kSettingsFileName), std::string::npos);
}

TEST(MainForm, CaptionAfterTheNewProjectDialogAndTheProductPage) {
    TempDir exe;
    Workspace w;
    w.RestoreWorkspace(exe.path());
    test::RecordingPrompter prompter;
    test::RecordingChooser chooser;
    test::RecordingShell shell;
    MainForm form(w, prompter, chooser, shell);
    w.state.projectName = "Plant2";
    form.NewProjectClosed(true);
    EXPECT_EQ(form.Caption(), std::string(kBaseCaption) + "Plant2");
    form.NewProjectClosed(false);
    EXPECT_EQ(form.Caption(), kBaseCaption);
    EXPECT_EQ(w.state.projectName, "Plant2") << "cancel leaves the project open";

    form.OpenProductPage();
    EXPECT_EQ(shell.urls,
              std::vector<std::string>{"https://www.quorvane.example/HOME/default.asp?frompg=KB40913RT"});
}

TEST(MainForm, UpdateDevice) {
    struct Case {
        const char* what;
        bool projectFolder;
        bool cobIdFile;
        bool showsWindow;
        const char* status;
    } cases[] = {
        {"builds and goes on to the window", true, true, true, "--"},
        {"no valid project: refused before any file work", false, true, false, "---"},
        {"a failing build is reported and stops", true, false, false, "Wait.."},
    };
    for (const Case& c : cases) {
        TempDir exe;
        fs::create_directories(exe / "PROJECTS/P/bin");
        WriteText(exe / "PROJECTS/P/pargen.xml", test::PargenText({"5", "5", "0", "0", "0", "0"}));
        if (c.cobIdFile) WriteCobIdFile(exe / "PROJECTS/P/CanCanCobID.xml", {{"0x100", "", "a"}}, {});
        WriteText(exe / kSettingsFileName, "[lastproj]\nprojectname=/P\n");
        Workspace w;
        w.RestoreWorkspace(exe.path());
        test::RecordingPrompter prompter;
        test::RecordingChooser chooser;
        test::RecordingShell shell;
        MainForm form(w, prompter, chooser, shell);
        if (!c.projectFolder) {
            fs::remove_all(exe / "PROJECTS/P");
            w.OpenProject(chooser); // cancelled: no valid project
        }
        BankSet banks;
        int repaints = 0;
        SCOPED_TRACE(c.what);
        EXPECT_EQ(form.UpdateDevice(1, banks, [&] { ++repaints; }), c.showsWindow);
        EXPECT_EQ(form.status, c.status);
        EXPECT_EQ(fs::exists(exe / "PROJECTS/P/bin/bank1.bin"), c.showsWindow);
        EXPECT_EQ(fs::exists(exe / "PROJECTS/P/bin/bankg.c"), c.showsWindow);
        if (!c.projectFolder) {
            EXPECT_EQ(prompter.messages, std::vector<std::string>{"Project not valid"});
            EXPECT_EQ(repaints, 0);
        }
        if (!c.cobIdFile) {
            ASSERT_EQ(prompter.errors.size(), 1u);
            EXPECT_NE(prompter.errors[0].find("CanCanCobID.xml"), std::string::npos) << prompter.errors[0];
        }
    }
}

} // namespace
