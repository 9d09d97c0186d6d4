#pragma once

#include <QAccessibleWidget>

class NodeTreeView;

// The tree widget as a screen reader sees it: a tree whose children are the
// top-level nodes, each over its own children, rather than the flat table of
// cells, with a header row, that item views offer by default.
class TreeAccessible : public QAccessibleWidget {
public:
    explicit TreeAccessible(NodeTreeView* view);

    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // Makes every NodeTreeView use this interface.
    static void install();

private:
    NodeTreeView* view() const;
};
