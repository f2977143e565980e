#include "app/MainForm.h"

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
