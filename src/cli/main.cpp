#include "firmware/DeviceUpdate.h"
#include "firmware/FirmwarePatcher.h"
#include "platform/AppError.h"
#include "platform/Ports.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace zantor;

namespace {

const char* kUsage = R"(Usage: zantor-cli COMMAND [OPTIONS]

Builds the configuration image of a CAN-to-CAN gateway device without a display.

Commands:
  build --project DIR --device 0|1
                Build the image of the device from DIR/pargen.xml and DIR/CanCanCobID.xml and
                write bank1.bin .. bank5.bin and bankg.c into DIR/bin.
  firmware --project DIR --template FILE [--banks 1,2]
                Patch the banks of DIR/bin into a copy of the S-record template FILE and write
                DIR/New_<template name>. By default banks 1 and 2; bank 1 is always patched.
                Prints "bank N placed" or "bank N not placed" for each bank.
  update --project DIR --device 0|1 --template FILE
                build, then firmware.
  --help        show this text
  --version     show the program's version

Exit codes: 0 done, every bank placed; 2 done, but a bank was not placed (the template has no
record in its range); 1 stopped or failed, with the reason on stderr.
)";

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kNotPlaced = 2;

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The program's messages go to stderr, one per line.
class StderrPrompter : public Prompter {
public:
    void Message(const std::string& text) override { std::cerr << text << "\n"; }
    void Error(const std::string& text) override { std::cerr << text << "\n"; }
    bool Confirm(const std::string& text) override {
        std::cerr << text << "\n";
        return false;
    }
};

struct Options {
    std::map<std::string, std::string> values;

    std::string Required(const std::string& name) const {
        auto it = values.find(name);
        if (it == values.end() || it->second.empty()) throw UsageError("missing --" + name);
        return it->second;
    }
    std::optional<std::string> Optional(const std::string& name) const {
        auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
};

Options ParseOptions(int argc, char** argv, int first, const std::vector<std::string>& allowed) {
    Options options;
    for (int i = first; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0 ||
            std::find(allowed.begin(), allowed.end(), arg.substr(2)) == allowed.end())
            throw UsageError("unknown option '" + arg + "'");
        if (i + 1 >= argc) throw UsageError("option '" + arg + "' needs a value");
        options.values[arg.substr(2)] = argv[++i];
    }
    return options;
}

int ParseDevice(const std::string& text) {
    if (text == "0") return 0;
    if (text == "1") return 1;
    throw UsageError("--device must be 0 or 1, not '" + text + "'");
}

std::array<bool, 5> ParseBanks(const std::string& text) {
    std::array<bool, 5> banks{};
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        std::string item = text.substr(start, end - start);
        if (item.size() != 1 || item[0] < '1' || item[0] > '5')
            throw UsageError("--banks takes bank numbers 1 to 5 separated by commas, not '" + text + "'");
        banks[item[0] - '1'] = true;
        start = end + 1;
    }
    return banks;
}

void Build(const fs::path& project, int device) {
    BankSet set;
    BuildDeviceFiles(set, project / "pargen.xml", project / "CanCanCobID.xml", project / "bin", device);
}

int Firmware(const fs::path& project, const fs::path& templateFile, const std::array<bool, 5>& banks) {
    StderrPrompter prompter;
    PatcherValues values{templateFile, project / "bin", project, "New_" + templateFile.filename().string()};
    FirmwarePatcher patcher(prompter);
    FirmwareOutcome outcome = patcher.BuildFirmwareFile(values, banks);
    std::vector<std::pair<int, bool>> lines;
    for (int bank : outcome.placed)
        lines.emplace_back(bank, true);
    for (int bank : outcome.notPlaced)
        lines.emplace_back(bank, false);
    std::sort(lines.begin(), lines.end());
    for (auto [bank, placed] : lines)
        std::cout << "bank " << bank << (placed ? " placed" : " not placed") << "\n";
    if (outcome.stopped) {
        std::cerr << "The new firmware file was not written.\n";
        return kFailed;
    }
    return outcome.notPlaced.empty() ? kDone : kNotPlaced;
}

int Run(int argc, char** argv) {
    std::string command = argv[1];
    if (command == "build") {
        Options o = ParseOptions(argc, argv, 2, {"project", "device"});
        Build(o.Required("project"), ParseDevice(o.Required("device")));
        return kDone;
    }
    if (command == "firmware") {
        Options o = ParseOptions(argc, argv, 2, {"project", "template", "banks"});
        std::optional<std::string> banks = o.Optional("banks");
        return Firmware(o.Required("project"), o.Required("template"),
                        banks ? ParseBanks(*banks) : BanksTakingPart(ProductVariant));
    }
    if (command == "update") {
        Options o = ParseOptions(argc, argv, 2, {"project", "device", "template"});
        fs::path project = o.Required("project");
        fs::path templateFile = o.Required("template");
        Build(project, ParseDevice(o.Required("device")));
        return Firmware(project, templateFile, BanksTakingPart(ProductVariant));
    }
    throw UsageError("unknown command '" + command + "'");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::cout << kUsage;
        return argc < 2 ? kFailed : kDone;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "zantor-cli " << ZANTOR_VERSION << "\n";
        return kDone;
    }
    try {
        return Run(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "zantor-cli: " << e.what() << "\n" << kUsage;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
    }
    return kFailed;
}
