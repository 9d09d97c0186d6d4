#include "TreeAccessibility.h"

#include "platform/qt/tree/NodeAccessible.h"
#include "platform/qt/tree/NodeTreeView.h"

#include <QAbstractItemModel>
#include <QItemSelection>

TreeAccessibility::TreeAccessibility(NodeTreeView& view) : QObject(&view), view_(view) {
    connect(&view, &QTreeView::expanded, this, &TreeAccessibility::expansionChanged);
    connect(&view, &QTreeView::collapsed, this, &TreeAccessibility::expansionChanged);
}

TreeAccessibility::~TreeAccessibility() {
    forgetAll();
}

QAccessibleInterface* TreeAccessibility::nodeInterface(const QModelIndex& index) {
    if (!index.isValid() || index.model() != model_)
        return nullptr;
    if (const auto it = ids_.constFind(index.internalId()); it != ids_.cend()) {
        if (QAccessibleInterface* known = QAccessible::accessibleInterface(*it))
            return known;
    }
    auto* node = new NodeAccessible(&view_, index);
    ids_.insert(index.internalId(), QAccessible::registerAccessibleInterface(node));
    return node;
}

QAccessibleInterface* TreeAccessibility::treeInterface() const {
    return QAccessible::queryAccessibleInterface(&view_);
}

QModelIndex TreeAccessibility::indexOf(const QAccessibleInterface* node) const {
    const auto* ours = dynamic_cast<const NodeAccessible*>(node);
    return ours && ours->isValid() ? QModelIndex(ours->index()) : QModelIndex();
}

void TreeAccessibility::follow(QAbstractItemModel* model) {
    if (model == model_)
        return;
    for (const QMetaObject::Connection& connection : std::as_const(modelConnections_))
        disconnect(connection);
    modelConnections_.clear();
    forgetAll();
    model_ = model;
    if (!model)
        return;
    modelConnections_ = {
        connect(model, &QAbstractItemModel::rowsInserted, this, &TreeAccessibility::rowsInserted),
        connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                &TreeAccessibility::rowsAboutToBeRemoved),
        connect(model, &QAbstractItemModel::rowsMoved, this,
                [this](const QModelIndex& from, int, int, const QModelIndex& to, int) {
                    rowsMoved(from, to);
                }),
        connect(model, &QAbstractItemModel::dataChanged, this, &TreeAccessibility::labelsChanged),
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
                &TreeAccessibility::forgetAll),
        connect(model, &QAbstractItemModel::modelReset, this, &TreeAccessibility::treeReread),
    };
}

void TreeAccessibility::tell(const QModelIndex& index, QAccessible::Event type) {
    if (QAccessibleInterface* node = nodeInterface(index)) {
        QAccessibleEvent event(node, type);
        QAccessible::updateAccessibility(&event);
    }
}

void TreeAccessibility::currentChanged(const QModelIndex& current) {
    if (QAccessible::isActive() && view_.hasFocus())
        tell(current, QAccessible::Focus);
}

void TreeAccessibility::selectionChanged(const QItemSelection& selected,
                                         const QItemSelection& deselected) {
    if (!QAccessible::isActive())
        return;
    for (const QModelIndex& index : deselected.indexes())
        tell(index, QAccessible::SelectionRemove);
    for (const QModelIndex& index : selected.indexes())
        tell(index, QAccessible::SelectionAdd);
}

void TreeAccessibility::focusCame() {
    if (QAccessible::isActive())
        QMetaObject::invokeMethod(this, &TreeAccessibility::tellFocus, Qt::QueuedConnection);
}

// Also after the label editor closed and gave the focus back: the node is
// then told of with its new label.
void TreeAccessibility::tellFocus() {
    if (QAccessible::isActive() && view_.hasFocus() && !view_.isEditingLabel())
        tell(view_.currentIndex(), QAccessible::Focus);
}

void TreeAccessibility::expansionChanged(const QModelIndex& index) {
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface* node = nodeInterface(index)) {
        QAccessible::State changed;
        changed.expanded = true;
        changed.collapsed = true;
        QAccessibleStateChangeEvent event(node, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void TreeAccessibility::rowsInserted(const QModelIndex& parent, int first, int last) {
    if (!QAccessible::isActive())
        return;
    for (int row = first; row <= last; ++row)
        tell(model_->index(row, 0, parent), QAccessible::ObjectCreated);
}

// Told while the nodes are still there to name their folder; the interfaces
// of the removed nodes and of all under them go.
void TreeAccessibility::rowsAboutToBeRemoved(const QModelIndex& parent, int first, int last) {
    const auto removed = [&](QModelIndex index) {
        for (; index.isValid(); index = index.parent()) {
            if (index.parent() == parent && index.row() >= first && index.row() <= last)
                return true;
        }
        return false;
    };
    const bool active = QAccessible::isActive();
    for (auto it = ids_.begin(); it != ids_.end();) {
        QAccessibleInterface* node = QAccessible::accessibleInterface(*it);
        const QModelIndex index = indexOf(node);
        if (node && index.isValid() && !removed(index)) {
            ++it;
            continue;
        }
        if (node && active && index.parent() == parent) {
            QAccessibleEvent event(node, QAccessible::ObjectDestroyed);
            QAccessible::updateAccessibility(&event);
        }
        if (node)
            QAccessible::deleteAccessibleInterface(*it);
        it = ids_.erase(it);
    }
}

// A moved node keeps its interface; both folders tell their children anew.
void TreeAccessibility::rowsMoved(const QModelIndex& from, const QModelIndex& to) {
    if (!QAccessible::isActive())
        return;
    tellChildrenChanged(from);
    if (to != from)
        tellChildrenChanged(to);
}

void TreeAccessibility::tellChildrenChanged(const QModelIndex& folder) {
    QAccessibleInterface* holder = folder.isValid() ? nodeInterface(folder) : treeInterface();
    if (holder) {
        QAccessibleEvent event(holder, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

// Only nodes a listener has asked for can have been read by it.
void TreeAccessibility::labelsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                      const QList<int>& roles) {
    if (!QAccessible::isActive() || (!roles.isEmpty() && !roles.contains(Qt::DisplayRole)))
        return;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        const QModelIndex index = topLeft.siblingAtRow(row);
        if (ids_.contains(index.internalId()))
            tell(index, QAccessible::NameChanged);
    }
}

void TreeAccessibility::forgetAll() {
    for (const QAccessible::Id id : std::as_const(ids_)) {
        if (QAccessible::accessibleInterface(id))
            QAccessible::deleteAccessibleInterface(id);
    }
    ids_.clear();
}

void TreeAccessibility::treeReread() {
    if (QAccessible::isActive())
        tellChildrenChanged({});
}
