#include "app/Application.h"

#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "cobid/CobIdWindow.h"
#include "firmware/DeviceUpdate.h"
#include "firmware/GenerateFirmwareWindow.h"
#include "platform/Ports.h"
#include "workspace/Workspace.h"

#include <QApplication>

namespace zantor::gui {

Application::Application(const std::string& executableFolder, Prompter& prompter, Chooser& chooser,
                         Shell& shell)
    : workspace_(std::make_unique<Workspace>()), prompter_(prompter), chooser_(chooser), shell_(shell) {
    // The main window comes first: creating it restores the workspace every other window reads.
    main_ = std::make_unique<MainWindow>(*workspace_, prompter_, chooser_, shell_, executableFolder);
    // Then, in this order: new-project dialog, about, generate firmware, communication settings,
    // COB-ID editor. Each is created here once and handed to the main window's targets below.
    about_ = std::make_unique<AboutWindow>(main_->form(), main_.get());
    firmware_ =
        std::make_unique<GenerateFirmwareWindow>(*workspace_, prompter_, chooser_, shell_, main_.get());
    bankSet_ = std::make_unique<BankSet>();
    cobId_ = std::make_unique<CobIdWindow>(*workspace_, prompter_, main_.get());

    MainWindow::Targets targets;
    targets.about = about_.get();
    targets.cobId = cobId_.get();
    targets.updateDevice = [this](int device) { UpdateDevice(device); };
    main_->setTargets(std::move(targets));
}

Application::~Application() = default;

void Application::UpdateDevice(int device) {
    if (ProductVariant == 2) {
        bool built = RunReported(prompter_, [&] {
            main_->setStatus("Wait..");
            // Let the window repaint once before the work starts.
            QApplication::processEvents();
            const ProjectState& state = workspace_->state;
            BuildDeviceFiles(*bankSet_, state.paths.pargen, state.paths.cobid, workspace_->BinFolder(),
                             device);
            main_->setStatus("--");
        });
        if (!built) return;
    }
    firmware_->exec();
}

} // namespace zantor::gui
