#pragma once

#include <QDialog>

class QFileSystemModel;
class QSortFilterProxyModel;
class QTreeView;

namespace zantor::gui {

// A folder browser that shows only the folders beneath its root, so the user cannot leave it.
class FolderBrowser : public QDialog {
    Q_OBJECT
public:
    FolderBrowser(const QString& root, const QString& selected, const QString& title,
                  QWidget* parent = nullptr);
    QString selectedFolder() const;

private:
    QFileSystemModel* model_;
    QSortFilterProxyModel* proxy_ = nullptr;
    QTreeView* tree_;
};

} // namespace zantor::gui
