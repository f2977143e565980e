#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zantor {

class Prompter;

// The four values that drive the patcher; the Generate Firmware window sets them when shown.
struct PatcherValues {
    // TemplateName, already resolved against the MASTER folder.
    std::filesystem::path templateFile;
    std::filesystem::path bankFolder;
    std::filesystem::path outputFolder;
    std::string newFirmwareName;
};

// Results of one stage.
inline constexpr int kStageStopped = -1;
inline constexpr int kBankNotPlaced = 0;
inline constexpr int kBankPlaced = 1;

// Receives the progress bar's position and maximum.
using ProgressReport = std::function<void(int position, int maximum)>;

// Which of banks 1 to 5 the chain patches for a product variant.
std::array<bool, 5> BanksTakingPart(int productVariant);

// The stage file names in the output folder; the degree sign is written in UTF-8.
std::string StageFileName(int stage);

struct FirmwareOutcome {
    // The chain ended early: no new firmware file was written in this run.
    bool stopped = false;
    // Per stage: the current result was 0 after it (the window paints that bank's box red).
    std::array<bool, 5> marked{};
    // Banks that took part, in order, by whether they were placed.
    std::vector<int> placed;
    std::vector<int> notPlaced;
    bool Complete() const { return !stopped && notPlaced.empty(); }
};

// Patches bank files into a copy of an S-record firmware template, through stage files.
// Messages for the user go through the prompter; a file that cannot be read or written
// raises AppError.
class FirmwarePatcher {
public:
    FirmwarePatcher(Prompter& prompter, ProgressReport progress = {});

    // Writes outputFolder/outputName: the input with the range of bank (1 to 5) replaced by the
    // records of bankFolder/bank<n>.bin. Returns kStageStopped, kBankNotPlaced or kBankPlaced;
    // when stopped, the output file is not written.
    int PatchBank(const PatcherValues& values, int bank, const std::string& outputName,
                  const std::filesystem::path& input);

    // Runs the five stages from the template to outputFolder/newFirmwareName and removes the
    // stage files, whatever happened.
    FirmwareOutcome BuildFirmwareFile(const PatcherValues& values, const std::array<bool, 5>& takesPart);

private:
    void Report(int position);

    Prompter& prompter_;
    ProgressReport progress_;
    int maximum_ = 0;
};

} // namespace zantor
