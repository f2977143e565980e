#pragma once

#include <QTableView>

namespace zantor {
class CobIdForm;
}

namespace zantor::gui {

class CobIdTableModel;

// A COB-ID grid with what users of a long table expect: Delete clears the selection, Ctrl+C copies
// it and Ctrl+V pastes spreadsheet text at the current cell, Enter moves down.
class CobIdGridView : public QTableView {
    Q_OBJECT
public:
    CobIdGridView(CobIdForm& form, CobIdTableModel* model, QWidget* parent = nullptr);

    void copySelection();
    void pasteAtCurrent();
    void clearSelection();
    // Makes the row current, selected and visible, the cursor on the column.
    void showRow(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void moveDown();

    CobIdForm& form_;
    CobIdTableModel* model_;
};

} // namespace zantor::gui
