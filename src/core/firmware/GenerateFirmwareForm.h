#pragma once

#include "firmware/FirmwarePatcher.h"

#include <array>
#include <functional>
#include <string>

namespace zantor {

class Chooser;
class Prompter;
class Shell;
class Workspace;

// What the Generate Firmware window shows, and its commands.
class GenerateFirmwareForm {
public:
    static constexpr const char* kTemplateName = "KS40913RT.sx";
    static constexpr const char* kFlashWriterName = "FlashWrite.exe";
    static constexpr std::array<const char*, 8> kPorts = {"COM1", "COM2", "COM3", "COM4",
                                                          "COM5", "COM6", "COM7", "COM8"};

    struct BankBox {
        bool visible = true;
        bool checked = true;
        bool red = false;
    };

    GenerateFirmwareForm(Workspace& workspace, Prompter& prompter, Chooser& chooser, Shell& shell);

    // cbport
    int portIndex = 0;
    // Avanzamento
    int progressPosition = 0;
    int progressMaximum = 100;
    // LbButton2 and ExeModFileSx
    bool executeEnabled = false;
    bool modifyEnabled = true;
    // Cbbank1 to Cbbank5
    std::array<BankBox, 5> banks{};
    // GbBank and DirFileBin, shown together by Options
    bool optionsPanelVisible = false;
    std::string optionsCaption = "Options>>";
    std::string templateName;
    // TemplateName (resolved), BankFolder, OutputFolder, NewFirmwareName; NewFileSx shows the last.
    PatcherValues values;
    // Called whenever the progress moves, so the window can repaint during a build.
    std::function<void()> progressChanged;

    // Prepares the window each time it is shown.
    void Show();
    // LbButton2: builds the new firmware and starts the flash writer on it, but only when every
    // bank was placed in a firmware built by this run.
    void ExecuteUpdateFirmware();
    FirmwareOutcome BuildFirmwareFile();
    void LaunchFlashWriter();

    // The options panel, hidden in this product.
    void ToggleOptions();
    void ChooseBankFolder();
    void OpenFirmware();
    void SetNewFirmwareName(const std::string& name);
    void ExecuteModifyFileSx();
    void ExecuteUpdateFir();

    std::array<bool, 5> BanksTakingPart() const;
    // The argument text of the flash writer for a firmware file and port index.
    static std::string FlashWriterArgument(const std::filesystem::path& firmware, int portIndex);

private:
    Workspace& workspace_;
    Prompter& prompter_;
    Chooser& chooser_;
    Shell& shell_;
};

// The user's text for banks that were not placed, naming each of them.
std::string NotPlacedMessage(const std::vector<int>& banks);

} // namespace zantor
