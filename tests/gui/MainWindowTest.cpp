#include "app/MainWindow.h"
#include "TestSupport.h"
#include "app/AboutWindow.h"
#include "app/Application.h"
#include "app/Logo.h"
#include "workspace/Workspace.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace zantor;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUpInAnEmptyFolderAndCloseWithX() {
        test::TempDir exe;
        test::RecordingPrompter prompter;
        test::RecordingChooser chooser;
        test::RecordingShell shell;
        gui::Application app(exe.path().string(), prompter, chooser, shell);
        gui::MainWindow& main = app.mainWindow();
        main.show();

        QCOMPARE(main.windowTitle(), QString(kBaseCaption));
        QVERIFY(std::filesystem::is_directory(exe / "MASTER"));
        QVERIFY(std::filesystem::is_directory(exe / "PROJECTS"));
        for (const char* name : {"NewProject", "OpenProject", "SetCommunication", "SetCobIDAccess",
                                 "CreateBin", "CreateBin1", "About", "LbButton1"})
            QVERIFY2(main.findChild<QPushButton*>(name), name);
        auto* status = main.findChild<QLabel*>("Labelstate");
        QVERIFY(status && status->isHidden());
        QCOMPARE(status->text(), QString("---"));

        main.findChild<QPushButton*>("LbButton1")->click();
        QVERIFY(!main.isVisible());
        QCOMPARE(QString::fromStdString(test::ReadText(exe / kSettingsFileName)),
                 QString("[lastproj]\nprojectname=\n"));
        QVERIFY(prompter.all.empty());
    }

    void aboutOpensModallyAndLinksToTheProductPage() {
        test::TempDir exe;
        test::RecordingPrompter prompter;
        test::RecordingChooser chooser;
        test::RecordingShell shell;
        gui::Application app(exe.path().string(), prompter, chooser, shell);
        gui::AboutWindow& about = app.aboutWindow();

        bool wasModal = false;
        QTimer::singleShot(0, [&] {
            wasModal = about.isVisible() && about.isModal();
            emit about.findChild<gui::Logo*>("Image2")->clicked();
            emit about.findChild<QLabel*>("Label4")->linkActivated("");
            about.findChild<QPushButton*>("OK")->click();
        });
        app.mainWindow().findChild<QPushButton*>("About")->click();
        QVERIFY(wasModal);
        QCOMPARE(about.windowTitle(), QString("About..."));
        QCOMPARE(shell.urls.size(), std::size_t(2));
        QCOMPARE(shell.urls[0], shell.urls[1]);
        QCOMPARE(QString::fromStdString(shell.urls[0]),
                 QString("https://www.quorvane.example/HOME/default.asp?frompg=KB40913RT"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
