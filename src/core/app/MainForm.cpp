#include "app/MainForm.h"

#include "firmware/DeviceUpdate.h"
#include "platform/Ports.h"
#include "workspace/Workspace.h"

namespace zantor {

MainForm::MainForm(Workspace& workspace, Prompter& prompter, Chooser& chooser, Shell& shell)
    : workspace_(workspace), prompter_(prompter), chooser_(chooser), shell_(shell) {}

void MainForm::FormCreate(const std::string& executableFolder) {
    workspace_.RestoreWorkspace(executableFolder);
}

bool MainForm::CheckProjectValid() {
    if (workspace_.ProjectValid()) return true;
    prompter_.Message(kProjectNotValid);
    return false;
}

void MainForm::OpenaClick() {
    workspace_.OpenProject(chooser_);
}

void MainForm::NewProjectClosed(bool accepted) {
    workspace_.caption =
        std::string(kBaseCaption) + (accepted ? workspace_.state.projectName : std::string());
    if (accepted) workspace_.spreadsheetFolder = workspace_.state.projectFolder;
}

bool MainForm::UpdateDevice(int device, BankSet& bankSet, const std::function<void()>& repaint) {
    if (!CheckProjectValid()) return false;
    if (ProductVariant != 2) return true;
    status = "Wait..";
    if (repaint) repaint();
    const ProjectState& state = workspace_.state;
    bool built = RunReported(prompter_, [&] {
        BuildDeviceFiles(bankSet, state.paths.pargen, state.paths.cobid, workspace_.BinFolder(), device);
    });
    if (!built) return false;
    status = "--";
    return true;
}

void MainForm::OpenProductPage() {
    shell_.OpenUrl(kProductPage);
}

void MainForm::FormClose() {
    RunReported(prompter_, [&] { workspace_.SaveLastProject(); });
}

const std::string& MainForm::Caption() const {
    return workspace_.caption;
}

} // namespace zantor
