#pragma once

#include "platform/Ports.h"

#include <QString>

class QWidget;

namespace zantor::gui {

// Message boxes owned by the active window, with the program's exact texts.
class QtPrompter : public Prompter {
public:
    void Message(const std::string& text) override;
    void Error(const std::string& text) override;
    bool Confirm(const std::string& text) override;
};

class QtChooser : public Chooser {
public:
    std::optional<std::filesystem::path> BrowseFolder(const std::filesystem::path& root,
                                                      const std::filesystem::path& selected,
                                                      const std::string& title) override;
    std::optional<std::filesystem::path> OpenFile(const std::string& filter,
                                                  const std::filesystem::path& startFolder,
                                                  const std::string& title) override;
};

class QtShell : public Shell {
public:
    void OpenUrl(const std::string& url) override;
    std::string StartProgram(const std::filesystem::path& program, const std::string& argument,
                             const std::filesystem::path& workingFolder) override;
};

QString ToQString(const std::string& utf8);
std::string ToStdString(const QString& text);

} // namespace zantor::gui
