#pragma once

#include <QDialog>

namespace zantor {
class MainForm;
}

namespace zantor::gui {

// "About...": the software and the device it configures, with a link to the product page.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(MainForm& mainForm, QWidget* parent = nullptr);
};

} // namespace zantor::gui
