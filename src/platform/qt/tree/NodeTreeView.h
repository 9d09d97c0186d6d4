#pragma once

#include <QTreeView>

class TreeAccessibility;

// The tree widget of the main window. It tells apart the moves of the current
// row that the user makes with the keyboard from those the view makes by
// itself (when rows go away), and measures the parts of a row that count as
// the node: its picture and its label.
class NodeTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit NodeTreeView(QWidget* parent = nullptr);

    // The picture and label of the row's node, in viewport coordinates; the
    // rest of the row is blank space.
    QRect labelRect(const QModelIndex& index) const;
    // The height of one row, also when the tree is empty.
    int uniformRowHeight() const;
    // Whether the point lies on the expand/collapse mark of a row.
    bool isOnBranchMark(const QPoint& viewportPos) const;
    // Opens the label editor on a row.
    void editLabel(const QModelIndex& index) { edit(index); }
    bool isEditingLabel() const { return state() == EditingState; }
    // Lays the rows out at the next turn of the event loop, not at each
    // row expanded or hidden meanwhile.
    void layOutLater() { scheduleDelayedItemsLayout(); }
    // Opens a node as Return does, for a screen reader's "press": the node
    // becomes the current one first, as a key would make it.
    void openByKey(const QModelIndex& index);
    // What a screen reader is told of the nodes.
    TreeAccessibility& accessibility() const { return *accessibility_; }

    void setModel(QAbstractItemModel* model) override;

Q_SIGNALS:
    // The user moved the current row with the keyboard.
    void currentMovedByKey(const QModelIndex& current);
    // A key that is no move: F2, Delete, Return, Escape, the menu key,
    // Shift+F10.
    void commandKey(int key, int shift);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    TreeAccessibility* accessibility_;
};
