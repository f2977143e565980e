#include "TestSupport.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/NewProjectDialog.h"
#include "settings/CommunicationWindow.h"
#include "workspace/Workspace.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace zantor;

namespace {

struct Fixture {
    test::TempDir exe;
    test::RecordingPrompter prompter;
    test::RecordingChooser chooser;
    test::RecordingShell shell;
    gui::Application app{exe.path().string(), prompter, chooser, shell};

    QPushButton* mainButton(const char* name) { return app.mainWindow().findChild<QPushButton*>(name); }
};

// Runs what the dialog should do once it is on screen, then presses the main window's button.
void WhileShown(QDialog& dialog, QPushButton* opener, const std::function<void()>& act) {
    QTimer::singleShot(0, [&dialog, act] {
        QVERIFY(dialog.isVisible() && dialog.isModal());
        act();
    });
    opener->click();
}

} // namespace

class ProjectAndCommunicationWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void newProjectCreatesTheProjectAndNamesItInTheCaption() {
        Fixture f;
        gui::NewProjectDialog& dialog = f.app.newProjectDialog();
        WhileShown(dialog, f.mainButton("NewProject"), [&] {
            QCOMPARE(dialog.windowTitle(), QString("New project"));
            auto* edit = dialog.findChild<QLineEdit*>("Edit1");
            QCOMPARE(dialog.focusWidget(), edit);
            QTest::keyClicks(edit, "Plant2");
            QTest::keyClick(edit, Qt::Key_Return); // Enter confirms
        });
        QVERIFY(!dialog.isVisible());
        QCOMPARE(f.app.mainWindow().windowTitle(), QString(kBaseCaption) + "Plant2");
        std::filesystem::path folder = f.exe / "PROJECTS/Plant2";
        QVERIFY(std::filesystem::is_directory(folder / "bin"));
        QCOMPARE(
            QString::fromStdString(test::ReadText(folder / "pargen.xml")),
            QString("<ParametriGenerali><Boud0>5</Boud0><Boud1>5</Boud1><Type>0</Type><Positive>0</Positive>"
                    "<Baud_Dip_C0>0</Baud_Dip_C0><Baud_Dip_C1>0</Baud_Dip_C1></ParametriGenerali>"));

        // The same name again is refused and the dialog stays; Escape then cancels.
        WhileShown(dialog, f.mainButton("NewProject"), [&] {
            auto* edit = dialog.findChild<QLineEdit*>("Edit1");
            QCOMPARE(edit->text(), QString());
            QTest::keyClicks(edit, "Plant2");
            dialog.findChild<QPushButton*>("BitBtn1")->click();
            QVERIFY(dialog.isVisible());
            QCOMPARE(edit->text(), QString("Plant2"));
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QVERIFY(!dialog.isVisible());
        QCOMPARE(f.prompter.messages,
                 std::vector<std::string>{"Name project not valid because directory already exists"});
        QCOMPARE(f.app.mainWindow().windowTitle(), QString(kBaseCaption));
        QCOMPARE(QString::fromStdString(f.app.workspace().state.projectName), QString("Plant2"));
    }

    void communicationWindowShowsTheFileAndOkWritesIt() {
        Fixture f;
        test::WriteText(
            f.exe / "PROJECTS/pargen.xml",
            "<ParametriGenerali><Boud0>6</Boud0><Boud1>12</Boud1><Type>1</Type><Positive>1</Positive>"
            "<Baud_Dip_C0>1</Baud_Dip_C0><Baud_Dip_C1>0</Baud_Dip_C1></ParametriGenerali>");
        gui::CommunicationWindow& window = f.app.communicationWindow();
        QCOMPARE(window.windowTitle(), QString("SET COMMUNICATION"));
        WhileShown(window, f.mainButton("SetCommunication"), [&] {
            auto* combo1 = window.findChild<QComboBox*>("ComboBox1");
            auto* combo2 = window.findChild<QComboBox*>("ComboBox2");
            QCOMPARE(combo1->currentText(), QString("500"));
            QVERIFY2(!combo1->isEnabled(), "set with the dip switch");
            QCOMPARE(combo2->currentIndex(), -1);
            QVERIFY(window.findChild<QRadioButton*>("RadioGroup1_1")->isChecked());
            QVERIFY(window.findChild<QCheckBox*>("EwCheckBox2")->isChecked());
            QVERIFY(window.findChild<QCheckBox*>("ECB_Baud_Dip_C0")->isChecked());
            QVERIFY(!window.findChild<QCheckBox*>("ECB_Baud_Dip_C1")->isChecked());
            QCOMPARE(window.focusWidget(), window.findChild<QPushButton*>("BitBtn1"));
            QCOMPARE(f.app.workspace().networkType, 0);

            combo2->setCurrentIndex(2);
            window.findChild<QCheckBox*>("ECB_Baud_Dip_C0")->setChecked(false);
            QVERIFY(combo1->isEnabled());
            window.findChild<QPushButton*>("BitBtn1")->click();
        });
        QVERIFY(!window.isVisible());
        QCOMPARE(f.app.workspace().networkType, 1);
        QVERIFY(f.app.workspace().positive);
        QCOMPARE(
            QString::fromStdString(test::ReadText(f.exe / "PROJECTS/pargen.xml")),
            QString("<ParametriGenerali><Boud0>6</Boud0><Boud1>2</Boud1><Type>1</Type><Positive>1</Positive>"
                    "<Baud_Dip_C0>0</Baud_Dip_C0><Baud_Dip_C1>0</Baud_Dip_C1></ParametriGenerali>"));
    }

    void cancelWritesNothingAndKeepsTheEdits() {
        Fixture f;
        gui::CommunicationWindow& window = f.app.communicationWindow();
        WhileShown(window, f.mainButton("SetCommunication"), [&] {
            window.findChild<QRadioButton*>("RadioGroup1_1")->setChecked(true);
            window.findChild<QPushButton*>("BitBtn2")->click();
        });
        QCOMPARE(f.prompter.messages, std::vector<std::string>{"File XML not found"});
        QVERIFY(!std::filesystem::exists(f.exe / "PROJECTS/pargen.xml"));
        QCOMPARE(f.app.workspace().networkType, 0);
        QCOMPARE(window.form().values.type, 1);
    }
};

QTEST_MAIN(ProjectAndCommunicationWindowsTest)
#include "ProjectAndCommunicationWindowsTest.moc"
