#pragma once

#include "app/NewProjectForm.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace zantor::gui {

// "New project" (and "Edit XML" for the XML tool): one line of text, OK and Cancel.
class NewProjectDialog : public QDialog {
    Q_OBJECT
public:
    NewProjectDialog(NewProjectForm& form, QWidget* parent = nullptr);
    NewProjectForm& form() { return form_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BitBtn1Click();
    void BitBtn2Click();

    NewProjectForm& form_;
    QLabel* label_;
    QLineEdit* edit_;
};

} // namespace zantor::gui
