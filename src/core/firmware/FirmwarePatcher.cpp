#include "firmware/FirmwarePatcher.h"

#include "firmware/SRecord.h"
#include "platform/AppError.h"
#include "platform/AtomicFile.h"
#include "platform/Ports.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace zantor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kInputNotFound = "File *.Sx Not Found,Abort Procedure";
constexpr const char* kNoNewName = "File New *.Sx Not Found,Abort Procedure";
constexpr const char* kNoBankFolder = "Directory Bin Not Found,Abort Procedure";
constexpr const char* kNotCreated = "File New Sx Not Create,Abort Procedure";

// Lines end at LF; a final line without an end counts too.
int CountLines(std::string_view text) {
    int count = 0;
    for (const char* p = text.data(); const void* found = std::memchr(p, '\n', text.data() + text.size() - p);
         p = static_cast<const char*>(found) + 1)
        ++count;
    if (!text.empty() && text.back() != '\n') ++count;
    return count;
}

[[noreturn]] void ThrowCannotCreate(const fs::path& path, int err) {
    throw AppError(FormatMessage("Cannot create file \"%s\". %s", {path.string(), std::strerror(err)}));
}

// Stage files live only while the chain runs, so they are written without waiting for the disk;
// the one that becomes the new firmware is flushed before it takes that name.
void WriteStageFile(const fs::path& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) ThrowCannotCreate(path, errno);
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            ThrowCannotCreate(path, err);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::close(fd) != 0) ThrowCannotCreate(path, errno);
}

void FlushToDisk(const fs::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        int err = errno;
        if (fd >= 0) ::close(fd);
        ThrowCannotCreate(path, err);
    }
    ::close(fd);
}

// Removes the stage files when the chain ends, also when it ends with an error.
class StageFileCleanup {
public:
    explicit StageFileCleanup(fs::path folder) : folder_(std::move(folder)) {}
    ~StageFileCleanup() {
        std::error_code ec;
        for (int stage = 1; stage <= kFirmwareBankCount; ++stage)
            fs::remove(folder_ / StageFileName(stage), ec);
    }

private:
    fs::path folder_;
};

} // namespace

std::array<bool, 5> BanksTakingPart(int productVariant) {
    if (productVariant == 2 || productVariant == 3) return {true, true, false, false, false};
    return {true, true, true, true, true};
}

std::string StageFileName(int stage) {
    return "\xC2\xB0"
           "B" +
           std::to_string(stage) + "\xC2\xB0.sx";
}

FirmwarePatcher::FirmwarePatcher(Prompter& prompter, ProgressReport progress)
    : prompter_(prompter), progress_(std::move(progress)) {}

void FirmwarePatcher::Report(int position) {
    if (progress_) progress_(position, maximum_);
}

int FirmwarePatcher::PatchBank(const PatcherValues& values, int bank, const std::string& outputName,
                               const fs::path& input) {
    Report(0);
    int result = kStageStopped;

    std::error_code ec;
    if (!fs::is_regular_file(input, ec)) {
        prompter_.Message(kInputNotFound);
        return result;
    }
    if (values.newFirmwareName.empty()) {
        prompter_.Message(kNoNewName);
        return result;
    }
    if (!fs::is_directory(values.bankFolder, ec)) {
        prompter_.Message(kNoBankFolder);
        return result;
    }
    std::string bankName = "bank" + std::to_string(bank) + ".bin";
    fs::path bankFile = values.bankFolder / bankName;
    if (!fs::is_regular_file(bankFile, ec)) {
        prompter_.Message("File " + bankName + " Not Found,Abort Procedure");
        return result;
    }
    std::string bankBytes = ReadFileBytes(bankFile);
    // A short or long bank file would shift or cut the bank in the device.
    if (bankBytes.size() != kBankRangeSize) {
        prompter_.Message("File " + bankName + " is not " + std::to_string(kBankRangeSize) +
                          " bytes long,Abort Procedure");
        return result;
    }

    BankRange range = BankRangeOf(bank);
    std::string records = RenderBankRecords(bankBytes, range.first);
    std::string inputText = ReadFileBytes(input);
    std::string_view text = inputText;

    maximum_ = kBankRecordCount + CountLines(text);
    Report(0);
    std::string output;
    output.reserve(text.size() + records.size() + text.size() / 32);
    // Lines that already end in CR LF go out as they are, so they are copied in runs.
    std::size_t runStart = 0;
    auto flushRun = [&](std::size_t end) { output.append(text.substr(runStart, end - runStart)); };
    bool placed = false;
    bool failed = false;
    int position = 0;
    for (std::size_t start = 0; start < text.size();) {
        const void* found = std::memchr(text.data() + start, '\n', text.size() - start);
        std::size_t end =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : text.size();
        std::size_t next = found ? end + 1 : end;
        std::string_view line = text.substr(start, end - start);
        bool endsInCrLf = found && !line.empty() && line.back() == '\r';
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        Report(++position);
        std::string_view kind = line.substr(0, 2);
        bool copied = true;
        if (kind == "S1" || kind == "S2") {
            std::optional<std::uint32_t> address = DataRecordAddress(line);
            if (!address) {
                failed = true;
                break;
            }
            if (range.Contains(*address)) {
                flushRun(start);
                runStart = next;
                copied = false;
                if (!placed) {
                    output += records;
                    position += kBankRecordCount;
                    Report(position);
                    placed = true;
                }
            }
        } else if (kind == "S9") {
            result = placed ? kBankPlaced : kBankNotPlaced;
        }
        if (copied && !endsInCrLf) {
            flushRun(start);
            output.append(line);
            output += "\r\n";
            runStart = next;
        }
        start = next;
    }
    if (!failed) flushRun(text.size());

    if (failed) {
        prompter_.Message(kNotCreated);
        // Whatever the end records said, a cut-off copy must never go on as firmware.
        result = kStageStopped;
    } else if (result == kStageStopped) {
        prompter_.Message("The file \"" + input.string() +
                          "\" has no S9 end record, so no new firmware was written.");
    } else {
        if (outputName == values.newFirmwareName)
            WriteFileAtomic(values.outputFolder / outputName, output);
        else
            WriteStageFile(values.outputFolder / outputName, output);
    }
    Report(maximum_);
    return result;
}

FirmwareOutcome FirmwarePatcher::BuildFirmwareFile(const PatcherValues& values,
                                                   const std::array<bool, 5>& takesPart) {
    StageFileCleanup cleanup(values.outputFolder);
    FirmwareOutcome outcome;
    int current = kBankNotPlaced;
    fs::path input = values.templateFile;
    for (int stage = 1; stage <= kFirmwareBankCount; ++stage) {
        std::string outputName = stage < kFirmwareBankCount ? StageFileName(stage) : values.newFirmwareName;
        fs::path output = values.outputFolder / outputName;
        bool runs = stage == 1 || takesPart[stage - 1];
        if (runs) {
            current = PatchBank(values, stage, outputName, input);
        } else {
            // rename replaces the target in one step, so an earlier firmware file is never lost
            // without the new one taking its place.
            if (stage == kFirmwareBankCount) FlushToDisk(input);
            std::error_code ec;
            fs::rename(input, output, ec);
            if (ec)
                throw AppError(FormatMessage("Cannot rename file \"%s\" to \"%s\". %s",
                                             {input.string(), output.string(), ec.message()}));
        }
        if (current == kStageStopped) {
            outcome.stopped = true;
            break;
        }
        if (current == kBankNotPlaced) outcome.marked[stage - 1] = true;
        if (runs) (current == kBankPlaced ? outcome.placed : outcome.notPlaced).push_back(stage);
        input = output;
    }
    return outcome;
}

} // namespace zantor
