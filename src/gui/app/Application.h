#pragma once

#include <memory>
#include <string>

namespace zantor {
struct BankSet;
class Workspace;
class Prompter;
class Chooser;
class Shell;
} // namespace zantor

namespace zantor::gui {

class MainWindow;
class AboutWindow;
class CobIdWindow;
class GenerateFirmwareWindow;

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

private:
    std::unique_ptr<Workspace> workspace_;
    Prompter& prompter_;
    Chooser& chooser_;
    Shell& shell_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<CobIdWindow> cobId_;
    std::unique_ptr<GenerateFirmwareWindow> firmware_;
    // The device image, kept for the whole run and rebuilt by every update.
    std::unique_ptr<BankSet> bankSet_;

    void UpdateDevice(int device);
};

} // namespace zantor::gui
