#include "cobid/CobIdGridView.h"

#include "cobid/CobIdTableModel.h"
#include "platform/QtPorts.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include <climits>

namespace zantor::gui {

namespace {

// The bounding rectangle of the selection; spreadsheets copy one rectangle too.
std::optional<CobIdForm::CellRange> SelectedRange(const QItemSelection& selection) {
    if (selection.isEmpty()) return std::nullopt;
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QItemSelectionRange& r : selection) {
        top = std::min(top, r.top());
        left = std::min(left, r.left());
        bottom = std::max(bottom, r.bottom());
        right = std::max(right, r.right());
    }
    return CobIdForm::CellRange{std::size_t(top), std::size_t(left), std::size_t(bottom), std::size_t(right)};
}

} // namespace

CobIdGridView::CobIdGridView(CobIdForm& form, CobIdTableModel* model, QWidget* parent)
    : QTableView(parent), form_(form), model_(model) {
    setModel(model);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setAlternatingRowColors(true);
    setWordWrap(false);
    // The "N°" column is the row title; fixed row heights keep scrolling thousands of rows cheap.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(int(CobIdForm::Column::Number), fontMetrics().horizontalAdvance("00000") + 16);
    setColumnWidth(int(CobIdForm::Column::Original), fontMetrics().horizontalAdvance("0x1FFFFFFF") + 60);
    setColumnWidth(int(CobIdForm::Column::Modified), fontMetrics().horizontalAdvance("0x1FFFFFFF") + 60);
}

void CobIdGridView::copySelection() {
    auto range = SelectedRange(selectionModel()->selection());
    if (!range) return;
    QApplication::clipboard()->setText(
        ToQString(form_.CopyRange(model_->table(), *range, CobIdForm::LineEnd::Lf)));
}

void CobIdGridView::pasteAtCurrent() {
    QModelIndex at = currentIndex();
    if (!at.isValid()) return;
    auto covered = form_.PasteAt(model_->table(), std::size_t(at.row()), CobIdForm::Column(at.column()),
                                 ToStdString(QApplication::clipboard()->text()));
    if (!covered) return;
    model_->cellsChanged(*covered);
    selectionModel()->select(QItemSelection(model_->index(int(covered->top), int(covered->left)),
                                            model_->index(int(covered->bottom), int(covered->right))),
                             QItemSelectionModel::ClearAndSelect);
}

void CobIdGridView::clearSelection() {
    for (const QItemSelectionRange& r : selectionModel()->selection()) {
        CobIdForm::CellRange range{std::size_t(r.top()), std::size_t(r.left()), std::size_t(r.bottom()),
                                   std::size_t(r.right())};
        form_.ClearRange(model_->table(), range);
        model_->cellsChanged(range);
    }
}

void CobIdGridView::showRow(int row, int column) {
    QModelIndex at = model_->index(row, column);
    setCurrentIndex(at);
    selectionModel()->select(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(at, QAbstractItemView::PositionAtCenter);
}

void CobIdGridView::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState) {
        if (event->matches(QKeySequence::Copy)) {
            copySelection();
            return;
        }
        if (event->matches(QKeySequence::Paste)) {
            pasteAtCurrent();
            return;
        }
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
            clearSelection();
            return;
        }
        // Escape belongs to the dialog unless it ends an edit.
        if (event->key() == Qt::Key_Escape) {
            event->ignore();
            return;
        }
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            moveDown();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void CobIdGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    // Enter confirms the cell and goes on to the next row, as in a spreadsheet.
    if (hint == QAbstractItemDelegate::SubmitModelCache) moveDown();
}

void CobIdGridView::moveDown() {
    QModelIndex at = currentIndex();
    if (!at.isValid()) return;
    setCurrentIndex(model_->index(std::min(at.row() + 1, model_->rowCount() - 1), at.column()));
}

} // namespace zantor::gui
