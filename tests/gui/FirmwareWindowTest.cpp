#include "firmware/GenerateFirmwareWindow.h"
#include "workspace/Workspace.h"

#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace zantor;
using namespace zantor::gui;
using namespace zantor::test;
namespace fs = std::filesystem;

class FirmwareWindowTest : public QObject {
    Q_OBJECT

    struct Program {
        TempDir dir;
        Workspace workspace;
        RecordingPrompter prompter;
        RecordingChooser chooser;
        RecordingShell shell;
        Program() {
            WriteText(dir / "MASTER/KS40913RT.sx",
                      "S22438800000000000000000000000000000000000000000000000000000000000000000001B\r\n"
                      "S22439800000000000000000000000000000000000000000000000000000000000000000000B\r\n"
                      "S9030000FC\r\n");
            for (int bank = 1; bank <= 5; ++bank)
                WriteText(dir / ("PROJECTS/Demo/bin/bank" + std::to_string(bank) + ".bin"),
                          std::string(16384, 'A'));
            WriteText(dir / "FlashWrite.exe", "");
            workspace.state.executableFolder = dir.path();
            workspace.state.masterFolder = dir / "MASTER";
            workspace.SetProjectFolder((dir / "PROJECTS/Demo").string());
        }
    };

private slots:
    void controlsCarryTheirNames() {
        Program p;
        GenerateFirmwareWindow w(p.workspace, p.prompter, p.chooser, p.shell);
        QCOMPARE(w.windowTitle(), QString("Generate Firmware"));
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        auto* execute = w.findChild<QPushButton*>("LbButton2");
        QVERIFY(execute);
        QCOMPARE(execute->text(), QString("Execute update firmware"));
        auto* port = w.findChild<QComboBox*>("cbport");
        QVERIFY(port && !port->isEditable());
        QCOMPARE(port->count(), 8);
        QCOMPARE(port->itemText(7), QString("COM8"));
        QVERIFY(w.findChild<QProgressBar*>("Avanzamento"));
        QVERIFY(w.findChild<QPushButton*>("LbButton1"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const char* name : {"Options", "GbBank", "DirFileBin", "OpenFile", "Label3", "NewFileSx",
                                 "ExeModFileSx", "ExeUpdateFir"}) {
            QWidget* hidden = w.findChild<QWidget*>(name);
            QVERIFY2(hidden, name);
            QVERIFY2(!hidden->isVisible(), name);
        }
        QVERIFY(execute->isEnabled());
        QVERIFY(w.findChild<QCheckBox*>("Cbbank5"));
        QVERIFY(p.prompter.all.empty());
    }

    void executeBuildsAndStartsTheFlashWriter() {
        Program p;
        GenerateFirmwareWindow w(p.workspace, p.prompter, p.chooser, p.shell);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* port = w.findChild<QComboBox*>("cbport");
        port->setCurrentIndex(3);
        QTest::mouseClick(w.findChild<QPushButton*>("LbButton2"), Qt::LeftButton);
        QVERIFY2(p.prompter.all.empty(), p.prompter.all.empty() ? "" : p.prompter.all.front().c_str());
        QCOMPARE(p.shell.starts.size(), std::size_t(1));
        std::string expected = "\"" + (p.dir / "PROJECTS/Demo/New_KS40913RT.sx").string() +
                               "\"\xB6"
                               "3";
        QCOMPARE(p.shell.starts[0].argument, expected);
        auto* bar = w.findChild<QProgressBar*>("Avanzamento");
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(w.isVisible());

        // Shown again: port back to COM1, progress to 0.
        w.hide();
        w.show();
        QCOMPARE(port->currentIndex(), 0);
        QCOMPARE(bar->value(), 0);
    }

    void bankNotPlacedIsReportedAndMarked() {
        Program p;
        WriteText(p.dir / "MASTER/KS40913RT.sx", "S9030000FC\r\n");
        GenerateFirmwareWindow w(p.workspace, p.prompter, p.chooser, p.shell);
        w.show();
        QTest::mouseClick(w.findChild<QPushButton*>("LbButton2"), Qt::LeftButton);
        QCOMPARE(p.prompter.messages.size(), std::size_t(1));
        QVERIFY(p.shell.starts.empty());
        QVERIFY(w.findChild<QCheckBox*>("Cbbank2")->styleSheet().contains("255, 0, 0"));
    }

    void missingTemplateLeavesExecuteDisabled() {
        Program p;
        fs::remove(p.dir / "MASTER/KS40913RT.sx");
        GenerateFirmwareWindow w(p.workspace, p.prompter, p.chooser, p.shell);
        w.show();
        QVERIFY(!w.findChild<QPushButton*>("LbButton2")->isEnabled());
        QCOMPARE(p.prompter.errors, std::vector<std::string>{"Error file KS40913RT.sx not found"});
    }

    void closeButtonEndsTheShowing() {
        Program p;
        GenerateFirmwareWindow w(p.workspace, p.prompter, p.chooser, p.shell);
        w.show();
        QTest::mouseClick(w.findChild<QPushButton*>("LbButton1"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(FirmwareWindowTest)
#include "FirmwareWindowTest.moc"
