#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zantor {

// How forms talk to the user; the desktop program implements these with Qt,
// the tests with recording fakes.
class Prompter {
public:
    virtual ~Prompter() = default;
    // Plain message box with an OK button.
    virtual void Message(const std::string& text) = 0;
    // Message box with an error icon and an OK button.
    virtual void Error(const std::string& text) = 0;
    // Confirmation box with Yes and No; true for Yes.
    virtual bool Confirm(const std::string& text) = 0;
};

class Chooser {
public:
    virtual ~Chooser() = default;
    // Folder browser that cannot leave root; nullopt when cancelled.
    virtual std::optional<std::filesystem::path> BrowseFolder(const std::filesystem::path& root,
                                                              const std::filesystem::path& selected,
                                                              const std::string& title) = 0;
    // File-open dialog; filter in the "Description (*.ext)" form. nullopt when cancelled.
    virtual std::optional<std::filesystem::path> OpenFile(const std::string& filter,
                                                          const std::filesystem::path& startFolder,
                                                          const std::string& title) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    virtual void OpenUrl(const std::string& url) = 0;
    // Starts the program directly, with one argument (raw bytes, passed as is), and returns at once.
    // Returns an empty text when it started, else the reason it could not.
    virtual std::string StartProgram(const std::filesystem::path& program, const std::string& argument,
                                     const std::filesystem::path& workingFolder) = 0;
};

// The general error report: runs a command, and shows the text of any failure it
// does not handle itself. Returns false when the command was abandoned.
bool RunReported(Prompter& prompter, const std::function<void()>& command);

} // namespace zantor
