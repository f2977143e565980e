#include "app/Application.h"

#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "app/NewProjectDialog.h"
#include "app/NewProjectForm.h"
#include "cobid/CobIdWindow.h"
#include "firmware/DeviceUpdate.h"
#include "firmware/GenerateFirmwareWindow.h"
#include "platform/Ports.h"
#include "settings/CommunicationForm.h"
#include "settings/CommunicationWindow.h"
#include "workspace/Workspace.h"

#include <QApplication>

namespace zantor::gui {

Application::Application(const std::string& executableFolder, Prompter& prompter, Chooser& chooser,
                         Shell& shell)
    : workspace_(std::make_unique<Workspace>()), prompter_(prompter), chooser_(chooser), shell_(shell) {
    // The main window comes first: creating it restores the workspace every other window reads.
    main_ = std::make_unique<MainWindow>(*workspace_, prompter_, chooser_, shell_, executableFolder);
    // Then the others, each once, in this order: new-project dialog, about, generate firmware,
    // communication settings, COB-ID editor. Each is handed to the main window's targets below.
    newProjectForm_ = std::make_unique<NewProjectForm>(*workspace_, prompter_);
    newProject_ = std::make_unique<NewProjectDialog>(*newProjectForm_, main_.get());
    about_ = std::make_unique<AboutWindow>(main_->form(), main_.get());
    firmware_ =
        std::make_unique<GenerateFirmwareWindow>(*workspace_, prompter_, chooser_, shell_, main_.get());
    bankSet_ = std::make_unique<BankSet>();
    communicationForm_ = std::make_unique<CommunicationForm>(*workspace_, prompter_);
    communication_ = std::make_unique<CommunicationWindow>(*communicationForm_, prompter_, main_.get());
    cobId_ = std::make_unique<CobIdWindow>(*workspace_, prompter_, main_.get());

    // A new project's default files, in the order they are written.
    newProjectForm_->AddDefaultFileWriter([this] { communicationForm_->BitBtn1Click(); });

    MainWindow::Targets targets;
    targets.about = about_.get();
    targets.communication = communication_.get();
    targets.cobId = cobId_.get();
    targets.newProject = [this] {
        newProjectForm_->DialogMode = NewProjectForm::NewProject;
        newProjectForm_->destinationFolder = workspace_->state.projectsFolder.string();
        return newProject_->exec() == QDialog::Accepted;
    };
    targets.updateDevice = [this](int device) { UpdateDevice(device); };
    main_->setTargets(std::move(targets));
}

Application::~Application() = default;

void Application::UpdateDevice(int device) {
    bool show = main_->form().UpdateDevice(device, *bankSet_, [this] {
        main_->setStatus(main_->form().status);
        // Let the window repaint once before the work starts.
        QApplication::processEvents();
    });
    main_->setStatus(main_->form().status);
    if (show) firmware_->exec();
}

} // namespace zantor::gui
