#pragma once

#include "settings/CommunicationForm.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace zantor {
class Prompter;
}

namespace zantor::gui {

// "SET COMMUNICATION": baud rates, dip switches, network type and positive implementation.
class CommunicationWindow : public QDialog {
    Q_OBJECT
public:
    CommunicationWindow(CommunicationForm& form, Prompter& prompter, QWidget* parent = nullptr);
    CommunicationForm& form() { return form_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void render();
    void BitBtn1Click();

    CommunicationForm& form_;
    Prompter& prompter_;
    QComboBox* combo1_;
    QComboBox* combo2_;
    QCheckBox* dip0_;
    QCheckBox* dip1_;
    QCheckBox* positive_;
    QButtonGroup* type_;
    QGroupBox* device1_;
    QPushButton* ok_;
    bool rendering_ = false;
};

} // namespace zantor::gui
