#include "platform/FolderBrowser.h"
#include "TestSupport.h"

#include <QTreeView>
#include <QtTest>

using namespace zantor;

class FolderBrowserTest : public QObject {
    Q_OBJECT

private slots:
    // The user can reach the root and what lies beneath it, nothing beside or above it.
    void showsOnlyTheRootAndPreselects() {
        test::TempDir top;
        std::filesystem::create_directories(top / "PROJECTS/Area/Plant1");
        std::filesystem::create_directories(top / "MASTER");
        QString root = QString::fromStdString((top / "PROJECTS").string());
        QString selected = QString::fromStdString((top / "PROJECTS/Area").string());
        gui::FolderBrowser browser(root, selected, "Select directory of project");
        QCOMPARE(browser.windowTitle(), QString("Select directory of project"));
        QCOMPARE(browser.selectedFolder(), selected);

        auto* tree = browser.findChild<QTreeView*>("FolderTree");
        QAbstractItemModel* model = tree->model();
        QTRY_COMPARE(model->rowCount(tree->rootIndex()), 1);
        QCOMPARE(model->index(0, 0, tree->rootIndex()).data().toString(), QString("PROJECTS"));

        browser.show();
        QTest::keyClick(tree, Qt::Key_Up);
        QCOMPARE(browser.selectedFolder(), root);
        QTest::keyClick(tree, Qt::Key_Up); // already at the top: stays inside
        QCOMPARE(browser.selectedFolder(), root);
    }

    void anUnknownSelectionStartsAtTheRoot() {
        test::TempDir top;
        std::filesystem::create_directories(top / "PROJECTS");
        QString root = QString::fromStdString((top / "PROJECTS").string());
        gui::FolderBrowser browser(root, "", "t");
        QCOMPARE(browser.selectedFolder(), root);
    }
};

QTEST_MAIN(FolderBrowserTest)
#include "FolderBrowserTest.moc"
