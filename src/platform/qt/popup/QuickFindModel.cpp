#include "QuickFindModel.h"

#include "platform/qt/QtImageList.h"

QuickFindModel::QuickFindModel(const QtImageList& images, QObject* parent)
    : QAbstractListModel(parent), images_(images) {}

void QuickFindModel::setRows(const std::vector<QuickFindRow>& rows) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

int QuickFindModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant QuickFindModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const QuickFindRow& row = rows_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.caption;
    case Qt::ToolTipRole:
    case PathRole:
        return row.path.isEmpty() ? QVariant() : QVariant(row.path);
    case Qt::DecorationRole:
        return row.image.isEmpty() ? QVariant() : QVariant(images_.iconFor(row.image));
    default:
        return {};
    }
}

Qt::ItemFlags QuickFindModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= rowCount())
        return Qt::NoItemFlags;
    return rows_[static_cast<size_t>(index.row())].choosable
               ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
               : Qt::NoItemFlags;
}
