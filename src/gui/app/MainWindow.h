#pragma once

#include "app/MainForm.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QDialog;

namespace zantor {
class Workspace;
class Prompter;
class Chooser;
class Shell;
} // namespace zantor

namespace zantor::gui {

// The main window: the four steps, "About" and "X". Every other window is opened from here.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // What the commands open; a command whose target is missing is disabled.
    struct Targets {
        QDialog* about = nullptr;
        QDialog* communication = nullptr; // "Set Communication"
        QDialog* cobId = nullptr;         // "Set CobID Access"
        // "New project": runs the new-project dialog modally, true when it closed with OK.
        std::function<bool()> newProject;
        // "Update Device 0" / "Update Device 1": builds the device's image and opens "Generate Firmware".
        std::function<void(int device)> updateDevice;
    };

    // Creating the window restores the workspace, before any other window exists.
    MainWindow(Workspace& workspace, Prompter& prompter, Chooser& chooser, Shell& shell,
               const std::string& executableFolder, QWidget* parent = nullptr);

    void setTargets(Targets targets);
    MainForm& form() { return form_; }
    void refreshCaption();
    // The hidden status label, which the update commands write to.
    void setStatus(const std::string& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showModal(QDialog* dialog);
    void btn_str_lng1aClick(QPushButton* sender);

    Prompter& prompter_;
    MainForm form_;
    Targets targets_;
    QPushButton* newProject_;
    QPushButton* openProject_;
    QPushButton* setCommunication_;
    QPushButton* setCobId_;
    QPushButton* update0_;
    QPushButton* update1_;
    QPushButton* about_;
    QLabel* status_;
};

} // namespace zantor::gui
