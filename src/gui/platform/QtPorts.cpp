#include "platform/QtPorts.h"

#include "platform/FolderBrowser.h"
#include "platform/Process.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace zantor::gui {

QString ToQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string ToStdString(const QString& text) {
    return text.toUtf8().toStdString();
}

namespace {

QWidget* Owner() {
    return QApplication::activeWindow();
}

} // namespace

void QtPrompter::Message(const std::string& text) {
    QMessageBox::information(Owner(), QApplication::applicationName(), ToQString(text));
}

void QtPrompter::Error(const std::string& text) {
    QMessageBox::critical(Owner(), QApplication::applicationName(), ToQString(text));
}

bool QtPrompter::Confirm(const std::string& text) {
    return QMessageBox::question(Owner(), QApplication::applicationName(), ToQString(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::filesystem::path> QtChooser::BrowseFolder(const std::filesystem::path& root,
                                                             const std::filesystem::path& selected,
                                                             const std::string& title) {
    FolderBrowser browser(ToQString(root.string()), ToQString(selected.string()), ToQString(title), Owner());
    if (browser.exec() != QDialog::Accepted) return std::nullopt;
    return std::filesystem::path(ToStdString(browser.selectedFolder()));
}

std::optional<std::filesystem::path> QtChooser::OpenFile(const std::string& filter,
                                                         const std::filesystem::path& startFolder,
                                                         const std::string& title) {
    QString file = QFileDialog::getOpenFileName(Owner(), ToQString(title), ToQString(startFolder.string()),
                                                ToQString(filter));
    if (file.isEmpty()) return std::nullopt;
    return std::filesystem::path(ToStdString(file));
}

void QtShell::OpenUrl(const std::string& url) {
    QDesktopServices::openUrl(QUrl(ToQString(url)));
}

std::string QtShell::StartProgram(const std::filesystem::path& program, const std::string& argument,
                                  const std::filesystem::path& workingFolder) {
    // Started without Qt's process class, which would re-encode the argument's raw bytes.
    return StartDetached(program, argument, workingFolder);
}

} // namespace zantor::gui
