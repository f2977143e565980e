#pragma once

#include <filesystem>
#include <string>

namespace zantor {

class Chooser;

// The product this build configures; choices that depend on it are functions of it.
inline constexpr int ProductVariant = 2;

inline constexpr const char* kBaseCaption = "Quorvane Zantor KB40913RT CAN2CAN FO CobID :";
inline constexpr const char* kSettingsFileName = "Zantor_V2ODARIR.ini";
inline constexpr char kSeparator = '/';

struct ProjectPaths {
    std::filesystem::path pargen;
    std::filesystem::path sdo;
    std::filesystem::path emcydef;
    std::filesystem::path emcyword;
    std::filesystem::path rpdodef;
    std::filesystem::path sdopdo;
    std::filesystem::path cobid;
};

struct ProjectState {
    std::filesystem::path executableFolder;
    std::filesystem::path masterFolder;
    std::filesystem::path projectsFolder;
    // As shown in the caption: empty, "/" + name (reopened or opened) or the bare name (created).
    std::string projectName;
    // Empty only after "Open project" found its folder gone and was cancelled.
    std::string projectFolder;
    ProjectPaths paths;
};

// The process-wide project state and the two communication values every window reads.
class Workspace {
public:
    ProjectState state;
    int networkType = 0;
    bool positive = false;
    std::string caption = kBaseCaption;
    // Start folder of the spreadsheet open dialog.
    std::string spreadsheetFolder;

    // Start-up: folders, last project, paths, and the communication values of its pargen.xml.
    void RestoreWorkspace(const std::filesystem::path& executableFolder);
    void BuildProjectPaths();
    void ReadStartupSettings();
    // "Open project": browse beneath the PROJECTS folder.
    void OpenProject(Chooser& chooser);
    // Writes the project name into the settings file; throws AppError when it cannot.
    void SaveLastProject() const;

    std::filesystem::path SettingsFile() const;
    bool ProjectValid() const { return !state.projectFolder.empty(); }
    std::filesystem::path BinFolder() const;
    void SetProjectFolder(const std::string& folder);
};

// Reads key projectname of section lastproj; empty when the file, section or key is missing.
std::string ReadLastProjectName(const std::filesystem::path& settingsFile);
// Sets that key, keeping every other section, key and comment of the file.
void WriteLastProjectName(const std::filesystem::path& settingsFile, const std::string& name);

} // namespace zantor
