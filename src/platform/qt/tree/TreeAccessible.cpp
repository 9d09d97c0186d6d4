#include "TreeAccessible.h"

#include "platform/qt/AccessibleFactory.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/TreeAccessibility.h"

TreeAccessible::TreeAccessible(NodeTreeView* view) : QAccessibleWidget(view, QAccessible::Tree) {}

void TreeAccessible::install() {
    InstallAccessibleFactory<NodeTreeView, TreeAccessible>();
}

NodeTreeView* TreeAccessible::view() const {
    return static_cast<NodeTreeView*>(widget());
}

QAccessibleInterface* TreeAccessible::child(int index) const {
    const QAbstractItemModel* model = view()->model();
    return model ? view()->accessibility().nodeInterface(model->index(index, 0)) : nullptr;
}

int TreeAccessible::childCount() const {
    const QAbstractItemModel* model = view()->model();
    return model ? model->rowCount() : 0;
}

int TreeAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const QModelIndex index = view()->accessibility().indexOf(child);
    return index.isValid() && !index.parent().isValid() ? index.row() : -1;
}

QAccessibleInterface* TreeAccessible::childAt(int x, int y) const {
    const QPoint local = view()->viewport()->mapFromGlobal(QPoint(x, y));
    QModelIndex index = view()->indexAt(local);
    if (!index.isValid())
        return nullptr;
    while (index.parent().isValid())
        index = index.parent();
    return view()->accessibility().nodeInterface(index);
}

QAccessibleInterface* TreeAccessible::focusChild() const {
    if (!view()->hasFocus())
        return nullptr;
    return view()->accessibility().nodeInterface(view()->currentIndex());
}
