#pragma once

#include "firmware/GenerateFirmwareForm.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zantor::gui {

// "Generate Firmware": builds the new firmware and starts the flash writer on it.
class GenerateFirmwareWindow : public QDialog {
    Q_OBJECT
public:
    GenerateFirmwareWindow(Workspace& workspace, Prompter& prompter, Chooser& chooser, Shell& shell,
                           QWidget* parent = nullptr);

    GenerateFirmwareForm& form() { return form_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Render();
    void RenderProgress();
    void Run(const std::function<void()>& command);

    Prompter& prompter_;
    GenerateFirmwareForm form_;
    QPushButton* execute_;
    QComboBox* port_;
    QProgressBar* progress_;
    QPushButton* options_;
    QGroupBox* bankGroup_;
    std::array<QCheckBox*, 5> bankBoxes_{};
    QPushButton* dirFileBin_;
    QPushButton* openFile_;
    QLabel* newNameLabel_;
    QLineEdit* newName_;
    QPushButton* modify_;
    QPushButton* updateOnly_;
};

} // namespace zantor::gui
