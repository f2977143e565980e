#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zantor {

class Workspace;
class Prompter;

// The dialog that asks for a new project's name; the XML tool also uses it to edit one line of text.
class NewProjectForm {
public:
    enum Mode { NewProject = 0, EditXml = 1 };

    NewProjectForm(Workspace& workspace, Prompter& prompter);

    // Writers of a new project's default files, called in the order they were added.
    void AddDefaultFileWriter(std::function<void()> writer);

    int DialogMode = NewProject;
    std::string destinationFolder;
    std::string enteredName;
    bool closeAllowed = true;

    // What the dialog shows.
    std::string caption;
    std::string Edit1;
    bool labelVisible = true;

    void FormCreate();
    void FormShow();
    // OK: in mode 0 creates the project. Returns whether the dialog may close.
    bool BitBtn1Click();
    // Cancel: always allowed to close, nothing changes.
    bool BitBtn2Click();

private:
    void CreateProject();

    Workspace& workspace_;
    Prompter& prompter_;
    std::vector<std::function<void()>> defaultFileWriters_;
};

// True when the name stays beneath the destination: not absolute and without a ".." segment.
bool NameStaysInside(const std::string& name);

} // namespace zantor
