#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

using namespace zantor::test;
namespace fs = std::filesystem;

namespace {

const fs::path kFixtures = ZANTOR_FIXTURES;

struct RunResult {
    int exitCode;
    std::string out, err;
};

RunResult RunCli(const TempDir& dir, const std::string& arguments) {
    std::string command =
        "cd '" + dir.path().string() + "' && '" ZANTOR_CLI "' " + arguments + " >stdout.txt 2>stderr.txt";
    int status = std::system(command.c_str());
    RunResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(dir / "stdout.txt"),
                     ReadText(dir / "stderr.txt")};
    fs::remove(dir / "stdout.txt");
    fs::remove(dir / "stderr.txt");
    return result;
}

// The golden CAN 2.0B project (its two XML files and an empty bin folder) and the golden template.
void MakeProject(const TempDir& dir) {
    fs::create_directories(dir / "P/bin");
    for (const char* name : {"pargen.xml", "CanCanCobID.xml"})
        fs::copy_file(kFixtures / "image/can20b" / name, dir / "P" / name);
    fs::create_directories(dir / "MASTER");
    fs::copy_file(kFixtures / "firmware/golden_template.sx", dir / "MASTER/T.sx");
}

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(Cli, UpdateWritesTheGoldenFiles) {
    TempDir dir;
    MakeProject(dir);
    RunResult r = RunCli(dir, "update --project P --device 0 --template MASTER/T.sx");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "bank 1 placed\nbank 2 placed\n");
    EXPECT_EQ(r.err, "");
    for (const char* name : {"bank1.bin", "bank2.bin", "bank3.bin", "bank4.bin", "bank5.bin", "bankg.c"})
        EXPECT_EQ(ReadText(dir / "P/bin" / name), ReadText(kFixtures / "image/can20b" / name)) << name;
    EXPECT_EQ(ReadText(dir / "P/New_T.sx"), ReadText(kFixtures / "firmware/golden_New_can20b.sx"));
    // No stage file, no Bin.sx, nothing else left behind.
    EXPECT_EQ(Listing(dir / "P"),
              (std::vector<std::string>{"CanCanCobID.xml", "New_T.sx", "bin", "pargen.xml"}));
    EXPECT_EQ(Listing(dir / "P/bin"), (std::vector<std::string>{"bank1.bin", "bank2.bin", "bank3.bin",
                                                                "bank4.bin", "bank5.bin", "bankg.c"}));
}

TEST(Cli, SubcommandsAndTheirExitCodes) {
    const std::string noBank2Template = "S0030000FC\r\nS20838800001020304DD\r\nS9030000FC\r\n";
    struct Case {
        const char* name;
        std::function<void(TempDir&)> prepare;
        std::string arguments;
        int exitCode;
        std::string out;
        std::string errStart; // empty: nothing on stderr
    } cases[] = {
        {"build", {}, "build --project P --device 1", 0, "", ""},
        {"build without CanCanCobID.xml", [](TempDir& d) { fs::remove(d / "P/CanCanCobID.xml"); },
         "build --project P --device 0", 1, "", "Cannot open file \"P/CanCanCobID.xml\"."},
        {"build without bin folder", [](TempDir& d) { fs::remove_all(d / "P/bin"); },
         "build --project P --device 0", 1, "", "Cannot create file \"P/bin/bank1.bin\"."},
        {"firmware without bank file",
         [](TempDir& d) {
             WriteText(d / "P/bin/bank1.bin", std::string(16384, '\xFF'));
             WriteText(d / "P/New_T.sx", "earlier");
         },
         "firmware --project P --template MASTER/T.sx", 1, "bank 1 placed\n",
         "File bank2.bin Not Found,Abort Procedure\nThe new firmware file was not written.\n"},
        {"firmware without bin folder", [](TempDir& d) { fs::remove_all(d / "P/bin"); },
         "firmware --project P --template MASTER/T.sx", 1, "",
         "Directory Bin Not Found,Abort Procedure\nThe new firmware file was not written.\n"},
        {"template without bank 2 range",
         [&](TempDir& d) {
             WriteText(d / "MASTER/T.sx", noBank2Template);
             for (int bank : {1, 2})
                 WriteText(d / ("P/bin/bank" + std::to_string(bank) + ".bin"), std::string(16384, '\xFF'));
         },
         "firmware --project P --template MASTER/T.sx", 2, "bank 1 placed\nbank 2 not placed\n", ""},
        {"template without end record", [](TempDir& d) { WriteText(d / "MASTER/T.sx", "S0030000FC\r\n"); },
         "update --project P --device 0 --template MASTER/T.sx", 1, "",
         "The file \"MASTER/T.sx\" has no S9 end record, so no new firmware was written.\n"},
        {"banks option",
         {},
         "update --project P --device 0 --template MASTER/T.sx --banks 1",
         1,
         "",
         "zantor-cli: unknown option '--banks'"},
        {"device out of range",
         {},
         "build --project P --device 2",
         1,
         "",
         "zantor-cli: --device must be 0 or 1"},
        {"unknown command", {}, "flash --project P", 1, "", "zantor-cli: unknown command 'flash'"},
        {"missing option", {}, "firmware --project P", 1, "", "zantor-cli: missing --template"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        MakeProject(dir);
        if (c.prepare) c.prepare(dir);
        RunResult r = RunCli(dir, c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.out, c.out);
        if (c.errStart.empty()) {
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_EQ(r.err.substr(0, c.errStart.size()), c.errStart) << r.err;
        }
        if (fs::exists(dir / "P")) {
            for (const std::string& name : Listing(dir / "P")) {
                EXPECT_TRUE(name == "bin" || name.find(".xml") != std::string::npos || name == "New_T.sx")
                    << name;
            }
        }
        if (c.exitCode == 1 && fs::exists(dir / "P/New_T.sx")) {
            EXPECT_EQ(ReadText(dir / "P/New_T.sx"), "earlier");
        }
    }
}

TEST(Cli, FirmwareWithChosenBanks) {
    TempDir dir;
    MakeProject(dir);
    ASSERT_EQ(RunCli(dir, "build --project P --device 0").exitCode, 0);
    RunResult r = RunCli(dir, "firmware --project P --template MASTER/T.sx --banks 2,3");
    // Bank 1 is always patched; bank 3 has a record in the golden template.
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "bank 1 placed\nbank 2 placed\nbank 3 placed\n");
    EXPECT_EQ(RunCli(dir, "firmware --project P --template MASTER/T.sx --banks 1,6").exitCode, 1);
}

TEST(Cli, HelpAndVersion) {
    TempDir dir;
    RunResult help = RunCli(dir, "--help");
    EXPECT_EQ(help.exitCode, 0);
    for (const char* word : {"build", "firmware", "update", "--version"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    EXPECT_EQ(RunCli(dir, "--version").out.rfind("zantor-cli ", 0), 0u);
}

TEST(Cli, SampleProjectUpdatesBothDevices) {
    const fs::path samples = ZANTOR_SAMPLES;
    for (const char* device : {"0", "1"}) {
        SCOPED_TRACE(device);
        TempDir dir;
        fs::copy(samples / "PROJECTS/Demo", dir / "Demo", fs::copy_options::recursive);
        RunResult r = RunCli(dir, std::string("update --project Demo --device ") + device + " --template '" +
                                      (samples / "MASTER/KS40913RT.sx").string() + "'");
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "bank 1 placed\nbank 2 placed\n");
        EXPECT_EQ(fs::file_size(dir / "Demo/New_KS40913RT.sx"),
                  fs::file_size(samples / "MASTER/KS40913RT.sx"));
    }
}
