#include "BrowserListModel.h"

#include "files/OneLine.h"

#include <algorithm>

BrowserListModel::BrowserListModel(QIcon open, QIcon closed, QObject* parent)
    : QAbstractListModel(parent), open_(std::move(open)), closed_(std::move(closed)) {}

void BrowserListModel::setRows(const QStringList& chain, const QStringList& names) {
    beginResetModel();
    chain_ = chain;
    names_ = names;
    endResetModel();
}

int BrowserListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(chain_.size() + names_.size());
}

// A chain entry shows its last name; the drive's root shows whole, as the
// drive list names it.
QString BrowserListModel::text(int row) const {
    if (row >= chainLength())
        return names_[row - chainLength()];
    const QString& path = chain_[row];
    if (row == 0)
        return path;
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QVariant BrowserListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        return OneLine(text(row));
    case Qt::ToolTipRole:
        return OneLine(row < chainLength() ? chain_[row] : text(row));
    case Qt::DecorationRole:
        if (open_.isNull())
            return {};
        return row < chainLength() ? open_ : closed_;
    case DepthRole:
        return std::min(row, chainLength());
    default:
        return {};
    }
}
