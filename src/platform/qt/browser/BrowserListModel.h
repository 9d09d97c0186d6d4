#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QStringList>

// The rows of a browser list: for the directory list the chain of full paths
// from the drive's root down to the open directory, then the subdirectories'
// names; for the file list the files' names alone. Rows come in one go and
// cost a string each, so a directory of a hundred thousand entries is shown
// as cheaply as a small one.
class BrowserListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // How far a row is indented, in steps: the chain shows as a path going down.
    static constexpr int DepthRole = Qt::UserRole + 1;

    // Folder pictures, open for the chain and closed below it; none for files.
    BrowserListModel(QIcon open, QIcon closed, QObject* parent = nullptr);

    void setRows(const QStringList& chain, const QStringList& names);
    int chainLength() const { return static_cast<int>(chain_.size()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QString text(int row) const;

    QIcon open_;
    QIcon closed_;
    QStringList chain_;
    QStringList names_;
};
