#pragma once

#include <memory>
#include <string>

namespace zantor {
struct BankSet;
class Workspace;
class NewProjectForm;
class CommunicationForm;
class Prompter;
class Chooser;
class Shell;
} // namespace zantor

namespace zantor::gui {

class MainWindow;
class AboutWindow;
class CobIdWindow;
class GenerateFirmwareWindow;
class NewProjectDialog;
class CommunicationWindow;

// Every window of the program, created once in the start-up order and kept until the end.
class Application {
public:
    Application(const std::string& executableFolder, Prompter& prompter, Chooser& chooser, Shell& shell);
    ~Application();

    Workspace& workspace() { return *workspace_; }
    MainWindow& mainWindow() { return *main_; }
    AboutWindow& aboutWindow() { return *about_; }
    CobIdWindow& cobIdWindow() { return *cobId_; }
    GenerateFirmwareWindow& generateFirmwareWindow() { return *firmware_; }
    NewProjectDialog& newProjectDialog() { return *newProject_; }
    CommunicationWindow& communicationWindow() { return *communication_; }

private:
    std::unique_ptr<Workspace> workspace_;
    Prompter& prompter_;
    Chooser& chooser_;
    Shell& shell_;
    // Forms first, so they outlive the windows that render them.
    std::unique_ptr<NewProjectForm> newProjectForm_;
    std::unique_ptr<CommunicationForm> communicationForm_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<NewProjectDialog> newProject_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<CobIdWindow> cobId_;
    std::unique_ptr<GenerateFirmwareWindow> firmware_;
    // The device image, kept for the whole run and rebuilt by every update.
    std::unique_ptr<BankSet> bankSet_;

    void UpdateDevice(int device);
    std::unique_ptr<CommunicationWindow> communication_;
};

} // namespace zantor::gui
