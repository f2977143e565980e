#include "firmware/GenerateFirmwareForm.h"

#include "platform/Ports.h"
#include "workspace/Workspace.h"

#include <system_error>

namespace zantor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFirmwareNotFound = "File *.Sx Not Found,Abort Procedure";
constexpr const char* kFlashWriterNotFound = "FlashWrite.exe Not Found, Procedure Aborted";

} // namespace

std::string NotPlacedMessage(const std::vector<int>& banks) {
    std::string list;
    for (std::size_t i = 0; i < banks.size(); ++i) {
        if (i > 0) list += i + 1 == banks.size() ? " and " : ", ";
        list += std::to_string(banks[i]);
    }
    bool one = banks.size() == 1;
    return std::string(one ? "Bank " : "Banks ") + list + (one ? " was" : " were") +
           " not placed: the firmware template has no record in " + (one ? "its" : "their") +
           " address range. FlashWrite.exe was not started.";
}

GenerateFirmwareForm::GenerateFirmwareForm(Workspace& workspace, Prompter& prompter, Chooser& chooser,
                                           Shell& shell)
    : workspace_(workspace), prompter_(prompter), chooser_(chooser), shell_(shell) {}

void GenerateFirmwareForm::Show() {
    optionsCaption = "Options >>";
    optionsPanelVisible = false;
    if (ProductVariant == 2 || ProductVariant == 3) {
        for (std::size_t i = 0; i < banks.size(); ++i)
            banks[i] = BankBox{i < 2, i < 2 ? true : banks[i].checked, false};
    }
    portIndex = 0;
    progressPosition = 0;
    executeEnabled = false;

    std::error_code ec;
    fs::path bin = workspace_.BinFolder();
    if (fs::is_directory(bin, ec)) values.bankFolder = bin;

    fs::path master = workspace_.state.masterFolder;
    if (!fs::is_regular_file(master / kTemplateName, ec)) {
        prompter_.Error(std::string("Error file ") + kTemplateName + " not found");
        return;
    }
    // The template is resolved against the MASTER folder; the process's current folder stays.
    templateName = kTemplateName;
    values.templateFile = master / templateName;
    values.outputFolder = fs::path(workspace_.state.projectFolder);
    values.newFirmwareName = "New_" + templateName;
    executeEnabled = true;
}

std::array<bool, 5> GenerateFirmwareForm::BanksTakingPart() const {
    std::array<bool, 5> part{};
    for (std::size_t i = 0; i < banks.size(); ++i)
        part[i] = banks[i].visible && banks[i].checked;
    return part;
}

FirmwareOutcome GenerateFirmwareForm::BuildFirmwareFile() {
    for (BankBox& box : banks)
        box.red = false;
    FirmwarePatcher patcher(prompter_, [this](int position, int maximum) {
        progressPosition = position;
        progressMaximum = maximum;
        if (progressChanged) progressChanged();
    });
    FirmwareOutcome outcome = patcher.BuildFirmwareFile(values, BanksTakingPart());
    for (std::size_t i = 0; i < banks.size(); ++i)
        banks[i].red = outcome.marked[i];
    return outcome;
}

void GenerateFirmwareForm::ExecuteUpdateFirmware() {
    FirmwareOutcome outcome = BuildFirmwareFile();
    // A stopped chain leaves at most a firmware file of an earlier run, which must not reach the device.
    if (outcome.stopped) {
        prompter_.Message("The new firmware was not built, so FlashWrite.exe was not started.");
        return;
    }
    if (!outcome.notPlaced.empty()) {
        prompter_.Message(NotPlacedMessage(outcome.notPlaced));
        return;
    }
    LaunchFlashWriter();
}

std::string GenerateFirmwareForm::FlashWriterArgument(const fs::path& firmware, int portIndex) {
    // The flash writer reads the raw byte 0xB6 as the separator before the port index.
    std::string argument = "\"";
    argument += firmware.string();
    argument += '"';
    argument += '\xB6';
    argument += std::to_string(portIndex);
    return argument;
}

void GenerateFirmwareForm::LaunchFlashWriter() {
    std::error_code ec;
    fs::path firmware = values.outputFolder / values.newFirmwareName;
    if (values.newFirmwareName.empty() || !fs::is_regular_file(firmware, ec)) {
        prompter_.Message(kFirmwareNotFound);
        return;
    }
    fs::path program = workspace_.state.executableFolder / kFlashWriterName;
    if (!fs::is_regular_file(program, ec)) {
        prompter_.Message(kFlashWriterNotFound);
        return;
    }
    std::string reason = shell_.StartProgram(
        program, FlashWriterArgument(fs::absolute(firmware, ec), portIndex), workspace_.state.masterFolder);
    if (!reason.empty())
        prompter_.Error(std::string("FlashWrite.exe could not be started: ") + reason +
                        ". The device was not updated.");
}

void GenerateFirmwareForm::ToggleOptions() {
    optionsPanelVisible = !optionsPanelVisible;
    optionsCaption = optionsPanelVisible ? "<< Options" : "Options >>";
}

void GenerateFirmwareForm::ChooseBankFolder() {
    fs::path project(workspace_.state.projectFolder);
    std::optional<fs::path> chosen =
        chooser_.BrowseFolder(project, values.bankFolder, "Select Directory Bin");
    if (chosen) values.bankFolder = *chosen;
}

void GenerateFirmwareForm::OpenFirmware() {
    std::error_code ec;
    fs::path start = workspace_.state.masterFolder;
    if (!fs::is_directory(start, ec)) start = workspace_.state.executableFolder;
    std::optional<fs::path> chosen = chooser_.OpenFile("File Sx (*.Sx)", start, "Open Firmware");
    if (!chosen) return;
    templateName = chosen->filename().string();
    values.templateFile = *chosen;
    values.outputFolder = fs::path(workspace_.state.projectFolder);
    values.newFirmwareName = "New_" + templateName;
    executeEnabled = true;
}

void GenerateFirmwareForm::SetNewFirmwareName(const std::string& name) {
    values.newFirmwareName = name;
}

void GenerateFirmwareForm::ExecuteModifyFileSx() {
    modifyEnabled = false;
    struct Enable {
        bool& flag;
        ~Enable() { flag = true; }
    } enable{modifyEnabled};
    BuildFirmwareFile();
}

void GenerateFirmwareForm::ExecuteUpdateFir() {
    LaunchFlashWriter();
}

} // namespace zantor
