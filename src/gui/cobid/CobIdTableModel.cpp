#include "cobid/CobIdTableModel.h"

#include "platform/QtPorts.h"

#include <QApplication>
#include <QPalette>

namespace zantor::gui {

using Column = CobIdForm::Column;

CobIdTableModel::CobIdTableModel(CobIdForm& form, std::size_t table, QObject* parent)
    : QAbstractTableModel(parent), form_(form), table_(table) {}

int CobIdTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(form_.RowCount(table_));
}

int CobIdTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(CobIdForm::kColumnCount);
}

QVariant CobIdTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto column = Column(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return ToQString(form_.Cell(table_, std::size_t(index.row()), column));
    case Qt::TextAlignmentRole:
        if (column == Column::Number) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::BackgroundRole:
        // The number column stands fixed like a title column; read-only cells look it too.
        if (!form_.IsEditable(column)) return QApplication::palette().brush(QPalette::Button);
        return {};
    case Qt::ForegroundRole:
        if (!form_.IsEditable(column)) return QApplication::palette().brush(QPalette::ButtonText);
        return {};
    default:
        return {};
    }
}

QVariant CobIdTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal && section >= 0 && section < int(CobIdForm::kColumnCount))
        return QString::fromUtf8(CobIdForm::kColumnTitles[std::size_t(section)]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CobIdTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (form_.IsEditable(Column(index.column()))) f |= Qt::ItemIsEditable;
    return f;
}

bool CobIdTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    if (!form_.SetCell(table_, std::size_t(index.row()), Column(index.column()),
                       ToStdString(value.toString())))
        return false;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void CobIdTableModel::reload() {
    beginResetModel();
    endResetModel();
}

void CobIdTableModel::cellsChanged(const CobIdForm::CellRange& range) {
    emit dataChanged(index(int(range.top), int(range.left)), index(int(range.bottom), int(range.right)),
                     {Qt::DisplayRole, Qt::EditRole});
}

} // namespace zantor::gui
