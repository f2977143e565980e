#pragma once

// Recording fakes of the ports and a temporary folder, shared by the core, command-line and window tests.

#include "platform/Ports.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace zantor::test {

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("zantor-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A pargen.xml holding the given texts, in the file's element order (fewer than six leaves the rest out).
inline std::string PargenText(const std::vector<std::string>& values) {
    const char* names[] = {"Boud0", "Boud1", "Type", "Positive", "Baud_Dip_C0", "Baud_Dip_C1"};
    std::string s = "<ParametriGenerali>";
    for (std::size_t i = 0; i < values.size() && i < 6; ++i)
        s += std::string("<") + names[i] + ">" + values[i] + "</" + names[i] + ">";
    return s + "</ParametriGenerali>";
}

// Records every message; answers confirmations from a queue (Yes when empty).
class RecordingPrompter : public Prompter {
public:
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    // Every text shown, messages and errors in the order they came.
    std::vector<std::string> all;
    std::vector<std::string> confirmations;
    std::deque<bool> answers;

    void Message(const std::string& text) override {
        messages.push_back(text);
        all.push_back(text);
    }
    void Error(const std::string& text) override {
        errors.push_back(text);
        all.push_back(text);
    }
    bool Confirm(const std::string& text) override {
        confirmations.push_back(text);
        if (answers.empty()) return true;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

class RecordingChooser : public Chooser {
public:
    struct Browse {
        std::filesystem::path root, selected;
        std::string title;
    };
    std::vector<Browse> browses;
    std::optional<std::filesystem::path> folderAnswer;
    std::optional<std::filesystem::path> fileAnswer;

    std::optional<std::filesystem::path> BrowseFolder(const std::filesystem::path& root,
                                                      const std::filesystem::path& selected,
                                                      const std::string& title) override {
        browses.push_back({root, selected, title});
        return folderAnswer;
    }
    std::optional<std::filesystem::path> OpenFile(const std::string&, const std::filesystem::path&,
                                                  const std::string&) override {
        return fileAnswer;
    }
};

class RecordingShell : public Shell {
public:
    std::vector<std::string> urls;
    struct Start {
        std::filesystem::path program;
        std::string argument;
        std::filesystem::path workingFolder;
    };
    std::vector<Start> starts;
    std::string startError; // empty: the start succeeds

    void OpenUrl(const std::string& url) override { urls.push_back(url); }
    std::string StartProgram(const std::filesystem::path& program, const std::string& argument,
                             const std::filesystem::path& workingFolder) override {
        starts.push_back({program, argument, workingFolder});
        return startError;
    }
};

} // namespace zantor::test
