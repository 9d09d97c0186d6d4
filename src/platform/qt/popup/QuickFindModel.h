#pragma once

#include "platform/QuickFindPort.h"

#include <QAbstractListModel>
#include <vector>

class QtImageList;

// The rows the logic gave the pop-up, for its list: the caption to show,
// the path under it (PathRole, and as the tool tip) and the picture from the
// tree's image list. The line of help is shown but cannot be selected.
class QuickFindModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int PathRole = Qt::UserRole + 1;

    explicit QuickFindModel(const QtImageList& images, QObject* parent = nullptr);

    void setRows(const std::vector<QuickFindRow>& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const QtImageList& images_;
    std::vector<QuickFindRow> rows_;
};
