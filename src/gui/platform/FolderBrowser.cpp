#include "platform/FolderBrowser.h"

#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace zantor::gui {

namespace {

// Keeps the root, what lies beneath it, and the folders above it that lead to it.
class BeneathRoot : public QSortFilterProxyModel {
public:
    BeneathRoot(const QString& root, QObject* parent) : QSortFilterProxyModel(parent), root_(root) {}

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        auto* fs = static_cast<QFileSystemModel*>(sourceModel());
        QString path = fs->filePath(fs->index(row, 0, parent));
        return path == root_ || path.startsWith(root_ + '/') ||
               root_.startsWith(path.endsWith('/') ? path : path + '/');
    }

private:
    QString root_;
};

} // namespace

FolderBrowser::FolderBrowser(const QString& root, const QString& selected, const QString& title,
                             QWidget* parent)
    : QDialog(parent), model_(new QFileSystemModel(this)), tree_(new QTreeView(this)) {
    setWindowTitle(title);
    setObjectName("FolderBrowser");
    resize(420, 480);

    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    QString cleanRoot = QDir::cleanPath(root);
    model_->setRootPath(cleanRoot);
    proxy_ = new BeneathRoot(cleanRoot, this);
    proxy_->setSourceModel(model_);
    tree_->setObjectName("FolderTree");
    tree_->setAccessibleName(tr("Folders"));
    tree_->setModel(proxy_);
    // The root itself is offered as a choice, so it is shown as the single top item.
    QModelIndex rootIndex = proxy_->mapFromSource(model_->index(cleanRoot));
    tree_->setRootIndex(rootIndex.parent());
    for (int c = 1; c < proxy_->columnCount(); ++c)
        tree_->hideColumn(c);
    tree_->header()->hide();
    tree_->expand(rootIndex);

    QModelIndex start = selected.isEmpty() ? QModelIndex() : proxy_->mapFromSource(model_->index(selected));
    if (!start.isValid()) start = rootIndex;
    tree_->setCurrentIndex(start);
    tree_->scrollTo(start);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tree_, &QTreeView::doubleClicked, this, [this] { tree_->expand(tree_->currentIndex()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(buttons);
    tree_->setFocus();
}

QString FolderBrowser::selectedFolder() const {
    QModelIndex index = tree_->currentIndex();
    return index.isValid() ? model_->filePath(proxy_->mapToSource(index)) : QString();
}

} // namespace zantor::gui
