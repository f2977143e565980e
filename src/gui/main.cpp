#include "app/Application.h"
#include "app/MainForm.h"
#include "app/MainWindow.h"
#include "platform/QtPorts.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application's title; not the display name, which Qt would append to every caption.
    QApplication::setApplicationName(zantor::kApplicationTitle);

    zantor::gui::QtPrompter prompter;
    zantor::gui::QtChooser chooser;
    zantor::gui::QtShell shell;
    zantor::gui::Application windows(zantor::gui::ToStdString(QApplication::applicationDirPath()), prompter,
                                     chooser, shell);
    windows.mainWindow().show();
    return app.exec();
}
