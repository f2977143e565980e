#include "cobid/CobIdWindow.h"
#include "TestSupport.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using namespace zantor;

namespace {

struct Setup {
    test::TempDir dir;
    Workspace workspace;
    test::RecordingPrompter prompter;
    gui::CobIdWindow window{workspace, prompter};

    explicit Setup(int networkType = 0, bool positive = true) {
        workspace.networkType = networkType;
        workspace.positive = positive;
        workspace.state.paths.cobid = dir / "CanCanCobID.xml";
    }
    QTableView* grid(const char* name) { return window.findChild<QTableView*>(name); }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    void edit(const char* grid, int row, int column, const QString& text) {
        QAbstractItemModel* model = this->grid(grid)->model();
        QVERIFY(model->setData(model->index(row, column), text));
    }
};

} // namespace

class CobIdWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsBothTabsWithTheirGridsAndButtons() {
        for (int type : {0, 1}) {
            Setup s(type, false);
            s.window.show();
            QCOMPARE(s.window.windowTitle(), QString("Set CobID Access"));
            auto* tabs = s.window.findChild<QTabWidget*>();
            QVERIFY(tabs);
            QCOMPARE(tabs->count(), 2);
            QCOMPARE(tabs->tabText(0), QString("Device 0 to Device 1"));
            QCOMPARE(tabs->tabText(1), QString("Device 1 to Device 0"));
            QCOMPARE(tabs->widget(0), s.grid("ASG_C0"));
            QCOMPARE(tabs->widget(1), s.grid("ASG_C1"));
            QCOMPARE(tabs->currentIndex(), 0);
            QAbstractItemModel* model = s.grid("ASG_C1")->model();
            QCOMPARE(model->rowCount(), type == 0 ? 2048 : 2000);
            QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("N°"));
            QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QString("Modify CobID"));
            QCOMPARE(model->index(1999, 0).data().toString(), QString("1999"));
            QVERIFY(!(model->flags(model->index(0, 2)) & Qt::ItemIsEditable));
            QVERIFY(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
            for (const char* name : {"LbButton1", "LbButton2", "LbButton3", "LbButton4"})
                QVERIFY2(s.button(name), name);
            QCOMPARE(s.button("LbButton3")->isVisible(), type == 0);
            QVERIFY(s.button("LbButton4")->isVisible());
            s.window.close();
        }
    }

    void aRefusedCheckKeepsTheWindowOpenOnTheBadRow() {
        Setup s(0);
        s.window.show();
        s.edit("ASG_C0", 0, 1, "0x800");
        s.edit("ASG_C1", 1500, 2, "zz");
        s.button("LbButton1")->click();
        QVERIFY(s.window.isVisible());
        QCOMPARE(s.prompter.errors,
                 std::vector<std::string>{
                     "Table Can0 to Can1. Error in row 2. The CobID must between 0x000 and 0x7FF"});
        QCOMPARE(s.grid("ASG_C0")->currentIndex().row(), 0);
        QVERIFY(!std::filesystem::exists(s.workspace.state.paths.cobid));

        s.edit("ASG_C0", 0, 1, "0x7FF");
        s.button("LbButton1")->click();
        QVERIFY(s.window.isVisible());
        auto* tabs = s.window.findChild<QTabWidget*>();
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(s.grid("ASG_C1")->currentIndex(), s.grid("ASG_C1")->model()->index(1500, 2));
        QVERIFY(s.grid("ASG_C1")->selectionModel()->isRowSelected(1500, {}));
    }

    void okSavesAndTheNextShowingReadsItBackWhileCancelWritesNothing() {
        Setup s(0);
        s.window.show();
        s.edit("ASG_C0", 3, 1, "0x123");
        s.edit("ASG_C0", 3, 3, "brake <left>");
        s.button("LbButton1")->click();
        QVERIFY(!s.window.isVisible());
        QCOMPARE(s.window.result(), int(QDialog::Accepted));
        QVERIFY(s.prompter.all.empty());

        s.window.show();
        s.edit("ASG_C0", 3, 1, "0x124");
        s.button("LbButton2")->click();
        QVERIFY(!s.window.isVisible());
        QCOMPARE(s.window.result(), int(QDialog::Rejected));

        s.window.show();
        QAbstractItemModel* model = s.grid("ASG_C0")->model();
        QCOMPARE(model->index(3, 1).data().toString(), QString("0x123"));
        QCOMPARE(model->index(3, 3).data().toString(), QString("brake <left>"));
    }

    void gridKeysClearCopyAndPaste() {
        Setup s(0, false);
        s.window.show();
        QTableView* grid = s.grid("ASG_C0");
        QAbstractItemModel* model = grid->model();
        s.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        grid->setFocus();

        QApplication::clipboard()->setText("0x10\tro\tfirst\n0x11\tro\tsecond\n");
        grid->setCurrentIndex(model->index(5, 1));
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(model->index(6, 1).data().toString(), QString("0x11"));
        QCOMPARE(model->index(6, 2).data().toString(), QString()); // read-only without positive
        QCOMPARE(model->index(6, 3).data().toString(), QString("second"));

        grid->selectionModel()->select(QItemSelection(model->index(5, 0), model->index(6, 3)),
                                       QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("5\t0x10\t\tfirst\n6\t0x11\t\tsecond\n"));

        grid->selectionModel()->select(QItemSelection(model->index(5, 1), model->index(5, 3)),
                                       QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(model->index(5, 1).data().toString(), QString());
        QCOMPARE(model->index(5, 3).data().toString(), QString());
        QCOMPARE(model->index(6, 1).data().toString(), QString("0x11"));

        // Typing edits the cell, Enter confirms it and moves down; Escape inside an edit only reverts it.
        grid->setCurrentIndex(model->index(9, 1));
        for (char c : std::string("0x5"))
            QTest::keyClick(QApplication::focusWidget(), c);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(model->index(9, 1).data().toString(), QString("0x5"));
        QCOMPARE(grid->currentIndex().row(), 10);
        QTest::keyClick(QApplication::focusWidget(), '7');
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(s.window.isVisible());
        QCOMPARE(model->index(10, 1).data().toString(), QString());

        // Escape outside an edit cancels the window.
        QTest::keyClick(grid, Qt::Key_Escape);
        QVERIFY(!s.window.isVisible());
        QCOMPARE(s.window.result(), int(QDialog::Rejected));
    }

    void compileAllThenOkWritesTheFrontTable() {
        Setup s(0);
        s.window.show();
        s.window.findChild<QTabWidget*>()->setCurrentIndex(1);
        s.button("LbButton3")->click();
        QCOMPARE(s.prompter.confirmations,
                 std::vector<std::string>{"Are you sure to cancel all the CobID just write?"});
        QCOMPARE(s.grid("ASG_C1")->model()->index(2047, 2).data().toString(), QString("2047"));
        s.button("LbButton1")->click();
        QVERIFY(!s.window.isVisible());
        DirectionTable c1 = ReadDirectionTable(s.workspace.state.paths.cobid, Direction::Can1_to_Can0);
        QCOMPARE(c1.size(), std::size_t(2048));
        QCOMPARE(c1[2047].original, std::string("2047"));
        QCOMPARE(c1[2047].modified, std::string("2047"));
        QCOMPARE(ReadDirectionTable(s.workspace.state.paths.cobid, Direction::Can0_to_Can1)[2047].original,
                 std::string());
        // The tab in front stays in front at the next showing.
        s.window.show();
        QCOMPARE(s.window.findChild<QTabWidget*>()->currentIndex(), 1);
    }

    void theMainWindowOpensItModally() {
        test::TempDir exe;
        test::RecordingPrompter prompter;
        test::RecordingChooser chooser;
        test::RecordingShell shell;
        gui::Application app(exe.path().string(), prompter, chooser, shell);
        gui::CobIdWindow& window = app.cobIdWindow();
        bool wasModal = false;
        int rows = 0;
        QTimer::singleShot(0, [&] {
            wasModal = window.isVisible() && window.isModal();
            rows = window.findChild<QTableView*>("ASG_C0")->model()->rowCount();
            window.findChild<QPushButton*>("LbButton2")->click();
        });
        app.mainWindow().findChild<QPushButton*>("SetCobIDAccess")->click();
        QVERIFY(wasModal);
        QCOMPARE(rows, app.workspace().networkType == 0 ? 2048 : 2000);
        QVERIFY(prompter.all.empty());
    }
};

QTEST_MAIN(CobIdWindowTest)
#include "CobIdWindowTest.moc"
