#pragma once

#include <functional>
#include <string>

namespace zantor {

struct BankSet;

class Workspace;
class Prompter;
class Chooser;
class Shell;

inline constexpr const char* kApplicationTitle = "Firmware Zantor";
inline constexpr const char* kMakerSite = "https://www.quorvane.example";
inline constexpr const char* kProductPage = "https://www.quorvane.example/HOME/default.asp?frompg=KB40913RT";
inline constexpr const char* kProjectNotValid = "Project not valid";

// What the main window does, apart from showing the other windows.
class MainForm {
public:
    MainForm(Workspace& workspace, Prompter& prompter, Chooser& chooser, Shell& shell);

    // Start-up (the window's creation): fills the workspace from the executable folder.
    void FormCreate(const std::string& executableFolder);

    // "Set Communication" and "Set CobID Access" need a project folder; false after telling the user.
    bool CheckProjectValid();

    // "Open project".
    void OpenaClick();

    // After the new-project dialog closed: the caption names the project only after OK.
    void NewProjectClosed(bool accepted);

    // The link label and the About window's logo and link.
    void OpenProductPage();

    // "Update Device 0" / "Update Device 1": builds the device's bank files and bankg.c.
    // Returns true when the "Generate Firmware" window is to be shown next. Refuses without a
    // project folder, since the files would otherwise land at the root of the file system.
    // repaint runs once after the status text changed, before the work starts.
    bool UpdateDevice(int device, BankSet& bankSet, const std::function<void()>& repaint);

    // Closing: saves the project name. A settings file that cannot be written is reported,
    // but never keeps the program from closing.
    void FormClose();

    const std::string& Caption() const;

    // Hidden status label.
    std::string status = "---";

private:
    Workspace& workspace_;
    Prompter& prompter_;
    Chooser& chooser_;
    Shell& shell_;
};

} // namespace zantor
