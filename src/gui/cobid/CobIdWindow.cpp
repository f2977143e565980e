#include "cobid/CobIdWindow.h"

#include "cobid/CobIdGridView.h"
#include "cobid/CobIdTableModel.h"
#include "platform/Widgets.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zantor::gui {

CobIdWindow::CobIdWindow(Workspace& workspace, Prompter& prompter, QWidget* parent)
    : QDialog(parent), form_(workspace, prompter) {
    setObjectName("TFCanCobID");
    setWindowTitle(CobIdForm::kCaption);
    setSizeGripEnabled(true);

    tabs_ = new QTabWidget(this);
    tabs_->setDocumentMode(true);
    const std::array<const char*, CobIdForm::kTableCount> gridNames = {"ASG_C0", "ASG_C1"};
    for (std::size_t t = 0; t < CobIdForm::kTableCount; ++t) {
        models_[t] = new CobIdTableModel(form_, t, this);
        grids_[t] = new CobIdGridView(form_, models_[t], tabs_);
        grids_[t]->setObjectName(gridNames[t]);
        tabs_->addTab(grids_[t], CobIdForm::kTabCaptions[t]);
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0) form_.currentTab = std::size_t(index);
    });

    auto* ok = NamedButton("OK", "LbButton1", this, QStyle::SP_DialogOkButton);
    auto* cancel = NamedButton("Cancel", "LbButton2", this, QStyle::SP_DialogCancelButton);
    compileAll_ = NamedButton("Compile All CobID", "LbButton3", this, QStyle::SP_FileDialogListView);
    auto* cancelAll = NamedButton("Cancel All CobID", "LbButton4", this, QStyle::SP_DialogResetButton);
    // Enter belongs to the grid, never to a button.
    connect(ok, &QPushButton::clicked, this, &CobIdWindow::LbButton1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(compileAll_, &QPushButton::clicked, this, &CobIdWindow::LbButton3Click);
    connect(cancelAll, &QPushButton::clicked, this, &CobIdWindow::LbButton4Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    buttons->addWidget(compileAll_);
    buttons->addWidget(cancelAll);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    const int width = grids_[0]->horizontalHeader()->length() + 260;
    resize(std::max(width, 640), 600);
}

void CobIdWindow::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        form_.FormShow();
        compileAll_->setVisible(form_.compileVisible());
        tabs_->setCurrentIndex(int(form_.currentTab));
        reloadGrids();
        for (CobIdGridView* grid : grids_)
            grid->setCurrentIndex(grid->model()->index(0, int(CobIdForm::Column::Original)));
        if (QScreen* screen = QApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

void CobIdWindow::reloadGrids() {
    for (CobIdTableModel* model : models_)
        model->reload();
}

void CobIdWindow::LbButton1Click() {
    CobIdForm::OkResult result = form_.Ok();
    if (result.accepted) {
        accept();
        return;
    }
    if (result.refused) {
        tabs_->setCurrentIndex(int(result.refused->table));
        CobIdGridView* grid = grids_[result.refused->table];
        grid->showRow(int(result.refused->row), int(result.refused->column));
        grid->setFocus();
    }
}

void CobIdWindow::LbButton3Click() {
    form_.CompileAll();
    refreshCobIdColumns(form_.currentTab);
}

void CobIdWindow::LbButton4Click() {
    form_.CancelAll();
    refreshCobIdColumns(form_.currentTab);
}

void CobIdWindow::refreshCobIdColumns(std::size_t table) {
    // Repaints in place, so the user keeps the position and the selection.
    if (std::size_t rows = form_.RowCount(table); rows != 0)
        models_[table]->cellsChanged({0, std::size_t(CobIdForm::Column::Original), rows - 1,
                                      std::size_t(CobIdForm::Column::Modified)});
}

} // namespace zantor::gui
