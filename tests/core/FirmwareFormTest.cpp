#include "firmware/GenerateFirmwareForm.h"
#include "firmware/SRecord.h"
#include "platform/Process.h"
#include "workspace/Workspace.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace zantor;
using namespace zantor::test;
namespace fs = std::filesystem;

namespace {

const std::string kTemplate =
    "S00600004844521B\r\n"
    "S22438800000000000000000000000000000000000000000000000000000000000000000001B\r\n"
    "S22439800000000000000000000000000000000000000000000000000000000000000000000B\r\n"
    "S9030000FC\r\n";

// A program folder with MASTER/KS40913RT.sx and a project "Demo" whose bin folder holds the banks.
struct Program {
    TempDir dir;
    Workspace workspace;
    RecordingPrompter prompter;
    RecordingChooser chooser;
    RecordingShell shell;
    GenerateFirmwareForm form{workspace, prompter, chooser, shell};

    explicit Program(const std::string& templateText = kTemplate) {
        fs::create_directories(dir / "MASTER");
        fs::create_directories(dir / "PROJECTS/Demo/bin");
        if (!templateText.empty()) WriteText(dir / "MASTER/KS40913RT.sx", templateText);
        for (int bank = 1; bank <= 5; ++bank)
            WriteText(dir / ("PROJECTS/Demo/bin/bank" + std::to_string(bank) + ".bin"),
                      std::string(16384, '\x5A'));
        WriteText(dir / "FlashWrite.exe", "");
        workspace.state.executableFolder = dir.path();
        workspace.state.masterFolder = dir / "MASTER";
        workspace.state.projectsFolder = dir / "PROJECTS";
        workspace.SetProjectFolder((dir / "PROJECTS/Demo").string());
    }
    fs::path Firmware() const { return dir / "PROJECTS/Demo/New_KS40913RT.sx"; }
};

} // namespace

TEST(GenerateFirmwareForm, ShowPreparesTheWindowEachTime) {
    Program p;
    p.form.Show();
    EXPECT_TRUE(p.form.executeEnabled);
    EXPECT_EQ(p.form.values.templateFile, p.dir / "MASTER/KS40913RT.sx");
    EXPECT_EQ(p.form.values.bankFolder, p.dir / "PROJECTS/Demo/bin");
    EXPECT_EQ(p.form.values.outputFolder, p.dir / "PROJECTS/Demo");
    EXPECT_EQ(p.form.values.newFirmwareName, "New_KS40913RT.sx");
    EXPECT_EQ(p.form.optionsCaption, "Options >>");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(p.form.banks[i].visible, i < 2) << i;
        EXPECT_FALSE(p.form.banks[i].red) << i;
    }
    EXPECT_EQ(p.form.BanksTakingPart(), (std::array<bool, 5>{true, true, false, false, false}));

    // A second showing resets what the first run changed.
    p.form.portIndex = 6;
    p.form.progressPosition = 40;
    p.form.banks[1] = {true, false, true};
    p.form.ToggleOptions();
    EXPECT_EQ(p.form.optionsCaption, "<< Options");
    p.form.Show();
    EXPECT_EQ(p.form.portIndex, 0);
    EXPECT_EQ(p.form.progressPosition, 0);
    EXPECT_TRUE(p.form.banks[1].checked);
    EXPECT_FALSE(p.form.banks[1].red);
    EXPECT_FALSE(p.form.optionsPanelVisible);
    EXPECT_TRUE(p.prompter.all.empty());
}

TEST(GenerateFirmwareForm, ShowWithoutTemplateOrBinFolder) {
    Program p("");
    p.form.values.bankFolder = "/earlier/bin";
    fs::remove_all(p.dir / "PROJECTS/Demo/bin");
    p.form.Show();
    EXPECT_FALSE(p.form.executeEnabled);
    EXPECT_EQ(p.prompter.errors, std::vector<std::string>{"Error file KS40913RT.sx not found"});
    EXPECT_EQ(p.form.values.bankFolder, "/earlier/bin");
}

TEST(GenerateFirmwareForm, ExecuteUpdateFirmware) {
    const std::string stopped = "The new firmware was not built, so FlashWrite.exe was not started.";
    struct Case {
        const char* name;
        std::function<void(Program&)> prepare;
        bool started;
        std::vector<std::string> messages;
        std::vector<std::string> errors;
    } cases[] = {
        {"builds and starts the flash writer", {}, true, {}, {}},
        {"bank file missing, earlier firmware present",
         [](Program& p) {
             fs::remove(p.dir / "PROJECTS/Demo/bin/bank1.bin");
             WriteText(p.Firmware(), "earlier");
         },
         false,
         {"File bank1.bin Not Found,Abort Procedure", stopped},
         {}},
        {"template without end record",
         [](Program& p) { WriteText(p.dir / "MASTER/KS40913RT.sx", "S00600004844521B\r\n"); },
         false,
         {"The file \"@\" has no S9 end record, so no new firmware was written.", stopped},
         {}},
        {"bank 2 not placed",
         [](Program& p) {
             WriteText(p.dir / "MASTER/KS40913RT.sx", kTemplate.substr(18, 78) + "S9030000FC\r\n");
         },
         false,
         {"Bank 2 was not placed: the firmware template has no record in its address range. FlashWrite.exe "
          "was "
          "not started."},
         {}},
        {"no bank placed",
         [](Program& p) { WriteText(p.dir / "MASTER/KS40913RT.sx", "S9030000FC\r\n"); },
         false,
         {NotPlacedMessage({1, 2})},
         {}},
        {"flash writer missing",
         [](Program& p) { fs::remove(p.dir / "FlashWrite.exe"); },
         false,
         {"FlashWrite.exe Not Found, Procedure Aborted"},
         {}},
        {"flash writer cannot start",
         [](Program& p) { p.shell.startError = "Permission denied"; },
         true,
         {},
         {"FlashWrite.exe could not be started: Permission denied. The device was not updated."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        p.form.Show();
        p.form.portIndex = 7;
        if (c.prepare) c.prepare(p);
        p.form.ExecuteUpdateFirmware();
        std::vector<std::string> expected;
        for (std::string m : c.messages) {
            if (auto at = m.find("@"); at != std::string::npos)
                m.replace(at, 1, (p.dir / "MASTER/KS40913RT.sx").string());
            expected.push_back(m);
        }
        EXPECT_EQ(p.prompter.messages, expected);
        EXPECT_EQ(p.prompter.errors, c.errors);
        ASSERT_EQ(p.shell.starts.size(), c.started ? 1u : 0u);
        if (!c.started) continue;
        EXPECT_EQ(p.shell.starts[0].program, p.dir / "FlashWrite.exe");
        EXPECT_EQ(p.shell.starts[0].workingFolder, p.dir / "MASTER");
        EXPECT_EQ(p.shell.starts[0].argument, "\"" + p.Firmware().string() +
                                                  "\"\xB6"
                                                  "7");
        EXPECT_EQ(p.form.progressPosition, p.form.progressMaximum);
    }
}

TEST(GenerateFirmwareForm, NotPlacedMessageNamesEachBank) {
    EXPECT_EQ(NotPlacedMessage({1, 2}),
              "Banks 1 and 2 were not placed: the firmware template has no record in "
              "their address range. FlashWrite.exe was not started.");
    EXPECT_EQ(NotPlacedMessage({1, 3, 5}).substr(0, 28), "Banks 1, 3 and 5 were not pl");
}

TEST(GenerateFirmwareForm, LaunchWithoutFirmwareFile) {
    Program p;
    p.form.Show();
    p.form.LaunchFlashWriter();
    EXPECT_EQ(p.prompter.messages, std::vector<std::string>{"File *.Sx Not Found,Abort Procedure"});
    EXPECT_TRUE(p.shell.starts.empty());
}

TEST(GenerateFirmwareForm, BankNotPlacedIsMarkedRed) {
    Program p(kTemplate.substr(0, 96) + "S9030000FC\r\n");
    p.form.Show();
    p.form.ExecuteUpdateFirmware();
    EXPECT_FALSE(p.form.banks[0].red);
    EXPECT_TRUE(p.form.banks[1].red);
    // The next build starts with no red mark left from this one.
    WriteText(p.dir / "MASTER/KS40913RT.sx", kTemplate);
    p.form.BuildFirmwareFile();
    EXPECT_FALSE(p.form.banks[1].red);
}

// The real process start, with a flash writer that records the bytes it received.
class ProcessShell : public RecordingShell {
public:
    std::string StartProgram(const fs::path& program, const std::string& argument,
                             const fs::path& workingFolder) override {
        RecordingShell::StartProgram(program, argument, workingFolder);
        return StartDetached(program, argument, workingFolder);
    }
};

TEST(GenerateFirmwareForm, FlashWriterReceivesTheArgumentByteForByte) {
    Program p;
    ProcessShell shell;
    GenerateFirmwareForm form(p.workspace, p.prompter, p.chooser, shell);
    fs::copy_file(ZANTOR_FAKE_FLASH_WRITE, p.dir / "FlashWrite.exe", fs::copy_options::overwrite_existing);
    form.Show();
    form.portIndex = 7;
    form.ExecuteUpdateFirmware();
    ASSERT_TRUE(p.prompter.all.empty()) << p.prompter.all.front();
    fs::path received = p.dir / "MASTER/received.bin";
    // The writer runs on its own; wait until it has recorded its argument.
    for (int i = 0; i < 1000 && !fs::exists(received); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(received));
    std::string expected = "\"" + p.Firmware().string() + "\"";
    expected.push_back('\xB6');
    expected.push_back('7');
    EXPECT_EQ(ReadText(received), expected);
    EXPECT_TRUE(fs::exists(p.Firmware()));
}
