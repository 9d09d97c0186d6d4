#include "TreeViewController.h"

#include "NodeTreeModel.h"
#include "NodeTreeView.h"
#include "TwipsScale.h"
#include "platform/MainWindowEvents.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <utility>

namespace {
int buttonNumber(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return ButtonLeft;
    case Qt::RightButton:
        return ButtonRight;
    case Qt::MiddleButton:
        return ButtonMiddle;
    default:
        return 0;
    }
}

// The shift state as the handlers number it: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

// Sets a flag for the length of a scope and puts back what was there.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), saved_(std::exchange(flag, true)) {}
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};
}  // namespace

TreeViewController::TreeViewController(NodeTreeView& view, QObject* parent)
    : QObject(parent), view_(view), viewport_(view.viewport()) {
    viewport_->installEventFilter(this);
    connect(&view_, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { userExpanded(index, true); });
    connect(&view_, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { userExpanded(index, false); });
    connect(&view_, &NodeTreeView::currentMovedByKey, this, &TreeViewController::userMovedCurrent);
}

void TreeViewController::attach(NodeTreeModel* model, MainWindowEvents* events) {
    events_ = events;
    if (model == model_)
        return;
    if (model_)
        disconnect(model_, nullptr, this, nullptr);
    pressedNode_ = QPersistentModelIndex();
    model_ = model;
    // The view makes a selection model for every model it is given and leaves
    // the old one to whoever set the model.
    QItemSelectionModel* oldSelection = view_.selectionModel();
    {
        FlagScope following(following_);
        view_.setModel(model_);
    }
    if (oldSelection && oldSelection != view_.selectionModel())
        delete oldSelection;
    if (!model_)
        return;
    connect(model_, &NodeTreeModel::nodeExpandedChanged, this, &TreeViewController::showExpansion);
    connect(model_, &NodeTreeModel::selectedNodeChanged, this, &TreeViewController::showSelection);
    connect(model_, &QAbstractItemModel::modelReset, this, &TreeViewController::showWholeTree);
    showWholeTree();
}

TreeNode* TreeViewController::nodeAt(const QPoint& viewportPos) const {
    if (!model_)
        return nullptr;
    const QModelIndex index = view_.indexAt(viewportPos);
    if (!index.isValid() || !view_.labelRect(index).contains(viewportPos))
        return nullptr;
    return model_->nodeAt(index);
}

void TreeViewController::ensureVisible(TreeNode* node) {
    if (!model_ || !node)
        return;
    for (TreeNode* ancestor = node->Parent(); ancestor; ancestor = ancestor->Parent())
        ancestor->SetExpanded(true);
    view_.scrollTo(model_->indexOf(node));
}

int TreeViewController::visibleCount() const {
    const int rowHeight = view_.uniformRowHeight();
    return rowHeight > 0 ? view_.viewport()->height() / rowHeight : 0;
}

bool TreeViewController::eventFilter(QObject* watched, QEvent* event) {
    // Compared by address only: the view may be half destroyed by now.
    if (watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return mousePressed(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return mouseReleased(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (events_)
            events_->TreeView_DblClick();
        // On the expand mark the view keeps its own handling of a second click.
        pressPassedToView_ = view_.isOnBranchMark(mouse->position().toPoint());
        return !pressPassedToView_;
    }
    case QEvent::MouseMove:
        // Dragging across rows must not move the selection behind the
        // logic's back; hovering without a button is left to the view.
        return static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton && !pressPassedToView_;
    default:
        return false;
    }
}

bool TreeViewController::mousePressed(QMouseEvent* event) {
    const QPointF pos = event->position();
    const int button = buttonNumber(event->button());
    pressedNode_ = button == ButtonLeft && model_
                       ? QPersistentModelIndex(model_->indexOf(nodeAt(pos.toPoint())))
                       : QPersistentModelIndex();
    const bool onBranchMark = button == ButtonLeft && view_.isOnBranchMark(pos.toPoint());
    if (events_ && button != 0) {
        const TwipsScale scale = TwipsScale::of(&view_);
        events_->TreeView_MouseDown(button, shiftState(event->modifiers()), scale.toTwips(pos.x()),
                                    scale.toTwips(pos.y()));
    }
    // The expand mark is the view's; every other press belongs to the logic,
    // which has already selected whatever it meant to.
    pressPassedToView_ = onBranchMark;
    if (!onBranchMark)
        view_.setFocus(Qt::MouseFocusReason);
    return !onBranchMark;
}

bool TreeViewController::mouseReleased(QMouseEvent* event) {
    if (std::exchange(pressPassedToView_, false)) {
        // Should the view have taken the press for a click on the row after
        // all, the selection goes back to the tree's.
        showSelection();
        return false;
    }
    const QPersistentModelIndex pressed = std::exchange(pressedNode_, QPersistentModelIndex());
    if (event->button() == Qt::LeftButton && pressed.isValid() && events_ && model_) {
        TreeNode* node = model_->nodeAt(pressed);
        if (node && nodeAt(event->position().toPoint()) == node)
            events_->TreeView_NodeClick(node);
    }
    return true;
}

void TreeViewController::userExpanded(const QModelIndex& index, bool expanded) {
    if (following_ || !model_)
        return;
    TreeNode* node = model_->nodeAt(index);
    if (!node)
        return;
    {
        FlagScope following(following_);
        node->SetExpanded(expanded);
    }
    if (!events_)
        return;
    if (expanded)
        events_->TreeView_Expand(node);
    else
        events_->TreeView_Collapse(node);
}

void TreeViewController::userMovedCurrent(const QModelIndex& index) {
    if (!model_)
        return;
    TreeNode* node = model_->nodeAt(index);
    if (!node)
        return;
    model_->tree().SetSelectedItem(node);
    if (events_)
        events_->TreeView_NodeClick(node);
}

void TreeViewController::showExpansion(const QModelIndex& index, bool expanded) {
    if (following_)
        return;
    FlagScope following(following_);
    view_.setExpanded(index, expanded);
}

void TreeViewController::showSelection() {
    if (!model_ || !view_.selectionModel())
        return;
    FlagScope following(following_);
    const QModelIndex selected = model_->indexOf(model_->tree().SelectedItem());
    if (selected.isValid())
        view_.selectionModel()->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
    else
        view_.selectionModel()->clearSelection();
}

void TreeViewController::showWholeTree() {
    if (!model_)
        return;
    pressedNode_ = QPersistentModelIndex();
    {
        FlagScope following(following_);
        const NodeTree& tree = model_->tree();
        for (TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node)) {
            if (node->Expanded())
                view_.setExpanded(model_->indexOf(node), true);
        }
    }
    showSelection();
}
