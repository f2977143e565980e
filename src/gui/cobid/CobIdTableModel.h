#pragma once

#include "cobid/CobIdForm.h"

#include <QAbstractTableModel>

namespace zantor::gui {

// One grid of the COB-ID editor seen through its form: the form holds the text, this only shows it.
class CobIdTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CobIdTableModel(CobIdForm& form, std::size_t table, QObject* parent = nullptr);

    std::size_t table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // After the form changed its grid wholesale (show, load) or in part (commands, paste, clear).
    void reload();
    void cellsChanged(const CobIdForm::CellRange& range);

private:
    CobIdForm& form_;
    std::size_t table_;
};

} // namespace zantor::gui
