#pragma once

#include <QStyledItemDelegate>

// Draws a row of the pop-up as its picture, its caption, and under the
// caption its path in a smaller, quieter type, cut short in the middle when
// it is too long: the end of a path tells most.
class QuickFindDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
