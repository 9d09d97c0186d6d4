#include "NodeTreeView.h"

#include "platform/TreeViewPort.h"
#include "platform/qt/FocusVisibleStyle.h"
#include "platform/qt/tree/TreeAccessibility.h"
#include "platform/qt/tree/TreeAccessible.h"

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

// Paints a row's node over its picture and label only, so that the selection
// and the drop highlight cover exactly what a click or a drop hits; the rest
// of the row stays blank, as it is to the pointer.
class LabelOnlyDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem narrowed = option;
        narrowed.rect.setWidth(std::min(sizeHint(option, index).width(), option.rect.width()));
        QStyledItemDelegate::paint(painter, narrowed, index);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor)
            editor->setAccessibleName(QStringLiteral("Label"));
        return editor;
    }
};

// Keeps the selection off the expand mark and the indentation, which are no
// part of the node either.
class UndecoratedSelectionStyle : public FocusVisibleStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ItemView_ShowDecorationSelected)
            return 0;
        return FocusVisibleStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

NodeTreeView::NodeTreeView(QWidget* parent)
    : QTreeView(parent), accessibility_(new TreeAccessibility(*this)) {
    TreeAccessible::install();
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));  // the item icons' size, whatever the theme offers
    // Opening a node is the double click's job; the view must not toggle it.
    setExpandsOnDoubleClick(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The tree's menu opens on the right press, from the logic.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setItemDelegate(new LabelOnlyDelegate(this));
    auto* style = new UndecoratedSelectionStyle;
    style->setParent(this);
    setStyle(style);
}

QRect NodeTreeView::labelRect(const QModelIndex& index) const {
    const QRect row = visualRect(index);
    if (!row.isValid())
        return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = row;
    const QSize hint = itemDelegateForIndex(index)->sizeHint(option, index);
    return {row.left(), row.top(), std::min(hint.width(), row.width()), row.height()};
}

int NodeTreeView::uniformRowHeight() const {
    if (model() && model()->rowCount() > 0)
        return rowHeight(model()->index(0, 0));
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, this) + 1;
    return std::max(iconSize().height(), fontMetrics().height()) + 2 * margin;
}

bool NodeTreeView::isOnBranchMark(const QPoint& viewportPos) const {
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid() || !model()->hasChildren(index))
        return false;
    // The mark fills the indentation step just left of the row's picture.
    const QRect row = visualRect(index);
    return viewportPos.x() < row.left() && viewportPos.x() >= row.left() - indentation();
}

void NodeTreeView::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrlOnly = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    int command = 0;
    switch (event->key()) {
    case Qt::Key_X:
        command = ctrlOnly ? KeyX : 0;
        break;
    case Qt::Key_V:
        command = ctrlOnly ? KeyV : 0;
        break;
    case Qt::Key_F2:
        command = KeyF2;
        break;
    case Qt::Key_Delete:
        command = KeyDelete;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        command = KeyReturn;
        break;
    case Qt::Key_Escape:
        command = KeyEscape;
        break;
    case Qt::Key_Menu:
        command = KeyContextMenu;
        break;
    case Qt::Key_F10:
        command = shift ? KeyF10 : 0;
        break;
    default:
        break;
    }
    if (command != 0 && state() != EditingState) {
        Q_EMIT commandKey(command, ctrlOnly ? ShiftCtrl : shift ? ShiftShift : 0);
        return;
    }
    const QModelIndex before = currentIndex();
    QTreeView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (after.isValid() && after != before)
        Q_EMIT currentMovedByKey(after);
}

void NodeTreeView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Tab and Backtab end the edit as Return does. The view would go on to
    // the next node and edit it, a node the logic has not selected, and the
    // label typed there would be given to the node it has.
    if (hint == QAbstractItemDelegate::EditNextItem ||
        hint == QAbstractItemDelegate::EditPreviousItem)
        hint = QAbstractItemDelegate::NoHint;
    QTreeView::closeEditor(editor, hint);
}

void NodeTreeView::openByKey(const QModelIndex& index) {
    if (!index.isValid() || isEditingLabel())
        return;
    if (index != currentIndex())
        Q_EMIT currentMovedByKey(index);
    Q_EMIT commandKey(KeyReturn, 0);
}

void NodeTreeView::setModel(QAbstractItemModel* model) {
    QTreeView::setModel(model);
    accessibility_->follow(model);
}

// The tree tells a screen reader of its own nodes: the item views' telling
// counts the rows shown as one flat table, which names other nodes here.
void NodeTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    accessibility_->currentChanged(current);
}

void NodeTreeView::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
    QAbstractItemView::selectionChanged(selected, deselected);
    accessibility_->selectionChanged(selected, deselected);
}

void NodeTreeView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    accessibility_->focusCame();
}
