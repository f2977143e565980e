#include "app/NewProjectForm.h"

#include "platform/Ports.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace zantor {

bool NameStaysInside(const std::string& name) {
    if (!name.empty() && name.front() == kSeparator) return false;
    std::istringstream segments(name);
    std::string segment;
    while (std::getline(segments, segment, kSeparator))
        if (segment == "..") return false;
    return true;
}

NewProjectForm::NewProjectForm(Workspace& workspace, Prompter& prompter)
    : workspace_(workspace), prompter_(prompter) {
    FormCreate();
}

void NewProjectForm::AddDefaultFileWriter(std::function<void()> writer) {
    defaultFileWriters_.push_back(std::move(writer));
}

void NewProjectForm::FormCreate() {
    enteredName.clear();
    destinationFolder.clear();
}

void NewProjectForm::FormShow() {
    if (DialogMode == NewProject) {
        caption = "New project";
        Edit1.clear();
        enteredName.clear();
        labelVisible = true;
    } else {
        caption = "Edit XML";
        labelVisible = false;
    }
}

bool NewProjectForm::BitBtn1Click() {
    if (DialogMode == NewProject) {
        CreateProject();
    } else {
        closeAllowed = true;
    }
    return closeAllowed;
}

bool NewProjectForm::BitBtn2Click() {
    closeAllowed = true;
    return closeAllowed;
}

void NewProjectForm::CreateProject() {
    closeAllowed = true;
    enteredName = Edit1;
    // A name typed with Windows separators names the same nested folder here.
    std::replace(enteredName.begin(), enteredName.end(), '\\', kSeparator);

    if (destinationFolder.empty()) {
        prompter_.Message("directory destination not valid");
        closeAllowed = false;
    }
    if (enteredName.empty() || !NameStaysInside(enteredName)) {
        prompter_.Message("Name project not valid");
        closeAllowed = false;
    }
    if (!closeAllowed) return;

    std::string folder = destinationFolder + kSeparator + enteredName;
    std::error_code ec;
    if (fs::exists(folder, ec)) {
        prompter_.Message("Name project not valid because directory already exists");
        closeAllowed = false;
        return;
    }
    // One level only: a name whose parent folder is missing is not created.
    if (!fs::create_directory(folder, ec) || ec) {
        closeAllowed = false;
        return;
    }
    fs::create_directories(folder + kSeparator + "bin", ec);

    workspace_.state.projectName = enteredName;
    workspace_.SetProjectFolder(folder);

    if (ProductVariant == 2) {
        for (const auto& write : defaultFileWriters_) {
            if (!RunReported(prompter_, write)) {
                closeAllowed = false;
                return;
            }
        }
    }
    closeAllowed = true;
}

} // namespace zantor
