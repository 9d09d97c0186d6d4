#include "NodeAccessible.h"

#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/TreeAccessibility.h"

#include <QItemSelectionModel>
#include <QWidget>

NodeAccessible::NodeAccessible(NodeTreeView* view, const QModelIndex& index)
    : view_(view), index_(index) {}

NodeTreeView* NodeAccessible::view() const {
    NodeTreeView* view = view_.data();
    return view && index_.isValid() && index_.model() == view->model() ? view : nullptr;
}

bool NodeAccessible::isValid() const {
    return view() != nullptr;
}

QWindow* NodeAccessible::window() const {
    NodeTreeView* view = view_.data();
    return view ? view->window()->windowHandle() : nullptr;
}

QAccessibleInterface* NodeAccessible::parent() const {
    NodeTreeView* view = this->view();
    if (!view)
        return nullptr;
    const QModelIndex folder = index_.parent();
    TreeAccessibility& nodes = view->accessibility();
    return folder.isValid() ? nodes.nodeInterface(folder) : nodes.treeInterface();
}

QAccessibleInterface* NodeAccessible::child(int index) const {
    NodeTreeView* view = this->view();
    return view ? view->accessibility().nodeInterface(view->model()->index(index, 0, index_))
                : nullptr;
}

int NodeAccessible::childCount() const {
    NodeTreeView* view = this->view();
    return view ? view->model()->rowCount(index_) : 0;
}

int NodeAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* node = dynamic_cast<const NodeAccessible*>(child);
    if (!isValid() || !node || !node->isValid() || node->index_.parent() != index_)
        return -1;
    return node->index_.row();
}

QAccessibleInterface* NodeAccessible::childAt(int x, int y) const {
    for (int i = 0, n = childCount(); i < n; ++i) {
        QAccessibleInterface* node = child(i);
        if (node && node->rect().contains(x, y))
            return node;
    }
    return nullptr;
}

QString NodeAccessible::text(QAccessible::Text t) const {
    if (!isValid())
        return {};
    switch (t) {
    case QAccessible::Name:
        return index_.data(Qt::DisplayRole).toString();
    // "Not found: ..." for a node whose path is gone.
    case QAccessible::Description:
        return index_.data(Qt::ToolTipRole).toString();
    default:
        return {};
    }
}

// The picture and label only: a click elsewhere on the row hits no node, and
// a screen reader that routes the pointer to an item clicks its middle.
QRect NodeAccessible::rect() const {
    NodeTreeView* view = this->view();
    if (!view || !isShown(*view))
        return {};
    const QRect label = view->labelRect(index_);
    return QRect(view->viewport()->mapToGlobal(label.topLeft()), label.size());
}

bool NodeAccessible::isFolder(const NodeTreeView& view) const {
    return view.model()->hasChildren(index_);
}

bool NodeAccessible::isShown(const NodeTreeView& view) const {
    for (QModelIndex up = index_; up.isValid(); up = up.parent()) {
        if (view.isRowHidden(up.row(), up.parent()))
            return false;
        if (up != index_ && !view.isExpanded(up))
            return false;
    }
    return view.viewport()->rect().intersects(view.visualRect(index_));
}

QAccessible::State NodeAccessible::state() const {
    QAccessible::State st;
    NodeTreeView* view = this->view();
    if (!view) {
        st.invalid = true;
        return st;
    }
    st.focusable = true;
    st.selectable = true;
    if (isFolder(*view)) {
        st.expandable = true;
        st.expanded = view->isExpanded(index_);
        st.collapsed = !st.expanded;
    }
    if (const QItemSelectionModel* selection = view->selectionModel())
        st.selected = selection->isSelected(index_);
    st.focused = view->hasFocus() && view->currentIndex() == index_;
    if (!isShown(*view)) {
        st.invisible = true;
        st.offscreen = true;
    }
    return st;
}

void* NodeAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList NodeAccessible::actionNames() const {
    NodeTreeView* view = this->view();
    if (!view)
        return {};
    QStringList names;
    if (isFolder(*view))
        names << toggleAction();
    names << pressAction();
    return names;
}

// A folder opens and closes as with the expand mark; "press" selects the
// node and opens it as Return does.
void NodeAccessible::doAction(const QString& actionName) {
    NodeTreeView* view = this->view();
    if (!view)
        return;
    if (actionName == toggleAction() && isFolder(*view))
        view->setExpanded(index_, !view->isExpanded(index_));
    else if (actionName == pressAction())
        view->openByKey(index_);
}

QStringList NodeAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction())
        return {QStringLiteral("Return")};
    if (actionName == toggleAction())
        return {QStringLiteral("Right"), QStringLiteral("Left")};
    return {};
}
