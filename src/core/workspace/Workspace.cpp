#include "workspace/Workspace.h"

#include "platform/AppError.h"
#include "platform/AtomicFile.h"
#include "platform/Ports.h"
#include "text/IntegerText.h"
#include "xmlfile/XmlFile.h"

// Values are kept as bytes, exactly as held; no character conversion.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <algorithm>

namespace fs = std::filesystem;

namespace zantor {

namespace {

constexpr const char* kSection = "lastproj";
constexpr const char* kKey = "projectname";

fs::path Join(const std::string& folder, const char* file) {
    return fs::path(folder + kSeparator + file);
}

void CreateOneLevel(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) fs::create_directory(folder, ec); // a failure leaves it missing
}

} // namespace

std::string ReadLastProjectName(const fs::path& settingsFile) {
    CSimpleIniA ini;
    std::error_code ec;
    if (!fs::is_regular_file(settingsFile, ec) || ini.LoadFile(settingsFile.c_str()) < 0) return {};
    const char* value = ini.GetValue(kSection, kKey, "");
    std::string name = value ? value : "";
    // A settings file written on Windows keeps backslashes.
    std::replace(name.begin(), name.end(), '\\', kSeparator);
    return name;
}

void WriteLastProjectName(const fs::path& settingsFile, const std::string& name) {
    CSimpleIniA ini;
    std::error_code ec;
    if (fs::exists(settingsFile, ec)) {
        if (!fs::is_regular_file(settingsFile, ec) || ini.LoadFile(settingsFile.c_str()) < 0)
            throw AppError("Cannot read the settings file \"" + settingsFile.string() + "\"");
    }
    ini.SetSpaces(false);
    ini.SetValue(kSection, kKey, name.c_str());
    std::string text;
    if (ini.Save(text) < 0)
        throw AppError("Cannot write the settings file \"" + settingsFile.string() + "\"");
    WriteFileAtomic(settingsFile, text);
}

fs::path Workspace::SettingsFile() const {
    return state.executableFolder / kSettingsFileName;
}

fs::path Workspace::BinFolder() const {
    return fs::path(state.projectFolder + kSeparator + "bin");
}

void Workspace::SetProjectFolder(const std::string& folder) {
    state.projectFolder = folder;
    BuildProjectPaths();
}

void Workspace::RestoreWorkspace(const fs::path& executableFolder) {
    std::string exe = executableFolder.string();
    while (exe.size() > 1 && exe.back() == kSeparator)
        exe.pop_back();
    state.executableFolder = exe;
    state.masterFolder = exe + kSeparator + "MASTER";
    CreateOneLevel(state.masterFolder);
    state.projectsFolder = exe + kSeparator + "PROJECTS";
    CreateOneLevel(state.projectsFolder);

    std::string name = ReadLastProjectName(SettingsFile());
    if (!name.empty() && name.front() != kSeparator) name.insert(name.begin(), kSeparator);
    state.projectName = name;

    std::error_code ec;
    std::string candidate = state.projectsFolder.string() + name;
    if (!name.empty() && fs::is_directory(candidate, ec)) {
        state.projectFolder = candidate;
        caption = std::string(kBaseCaption) + name;
    } else {
        state.projectFolder = state.projectsFolder.string();
    }
    spreadsheetFolder = state.projectFolder;
    BuildProjectPaths();
    ReadStartupSettings();
}

void Workspace::BuildProjectPaths() {
    const std::string& f = state.projectFolder;
    state.paths = {Join(f, "pargen.xml"),     Join(f, "sdo.xml"),     Join(f, "emcydef.xml"),
                   Join(f, "emcyword.xml"),   Join(f, "rpdodef.xml"), Join(f, "sdopdo.xml"),
                   Join(f, "CanCanCobID.xml")};
}

void Workspace::ReadStartupSettings() {
    std::error_code ec;
    if (!fs::exists(state.paths.pargen, ec)) {
        networkType = 0;
        positive = true;
        return;
    }
    // Failures are swallowed: a value taken before the failure stays, the other keeps its value.
    try {
        pugi::xml_document doc;
        xml::Load(doc, state.paths.pargen);
        pugi::xml_node root = xml::Root(doc);
        networkType = IntegerText::WithDefault(xml::Text(xml::ChildAt(root, 2)), 0);
        positive = IntegerText::Parse(xml::Text(xml::ChildAt(root, 3))) == 1;
    } catch (const std::exception&) {
    }
}

void Workspace::OpenProject(Chooser& chooser) {
    std::error_code ec;
    if (!fs::is_directory(state.projectFolder, ec)) state.projectFolder.clear();

    auto chosen =
        chooser.BrowseFolder(state.projectsFolder, state.projectFolder, "Select directory of project");
    if (chosen) {
        std::string folder = chosen->string();
        while (folder.size() > 1 && folder.back() == kSeparator)
            folder.pop_back();
        state.projectFolder = folder;
    }

    // Only the length of the PROJECTS path is used, as the name is whatever follows it.
    std::size_t n = state.projectsFolder.string().size();
    state.projectName = state.projectFolder.size() > n ? state.projectFolder.substr(n) : std::string();
    caption = std::string(kBaseCaption) + state.projectName;
    spreadsheetFolder = state.projectFolder;
    BuildProjectPaths();
}

void Workspace::SaveLastProject() const {
    WriteLastProjectName(SettingsFile(), state.projectName);
}

} // namespace zantor
