#include "TreeViewController.h"

#include "platform/TreeViewPort.h"
#include "platform/qt/MouseNumbers.h"
#include "platform/qt/TwipsScale.h"
#include "platform/qt/tree/NodeTreeModel.h"
#include "platform/qt/tree/NodeTreeView.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShortcut>
#include <utility>
#include <vector>

namespace {
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

TreeViewController::TreeViewController(NodeTreeView& view, NodeTreeModel& model,
                                       TreeViewEvents& events, QObject* parent)
    : QObject(parent),
      view_(view),
      viewAlive_(&view),
      viewObject_(&view),
      viewport_(view.viewport()),
      model_(model),
      events_(events) {
    viewport_->installEventFilter(this);
    view.installEventFilter(this);  // the focus comes to the view itself
    connect(&view, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { userExpanded(index, true); });
    connect(&view, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { userExpanded(index, false); });
    connect(&view, &NodeTreeView::currentMovedByKey, this, &TreeViewController::userMovedCurrent);
    connect(&view, &NodeTreeView::commandKey, this,
            [this](int key, int shift) { events_.TreeView_KeyDown(key, shift); });
    addHistoryKeys();
    // Moves without a button too: the status bar explains what is under the pointer.
    view.viewport()->setMouseTracking(true);
    // The view makes a selection model for every model it is given and leaves
    // it to whoever set the model.
    QItemSelectionModel* oldSelection = view.selectionModel();
    {
        FlagScope following(following_);
        view.setModel(&model_);
    }
    delete oldSelection;
    connect(&model_, &NodeTreeModel::nodeExpandedChanged, this, &TreeViewController::showExpansion);
    connect(&model_, &NodeTreeModel::selectedNodeChanged, this, &TreeViewController::showSelection);
    connect(&model_, &QAbstractItemModel::modelReset, this, &TreeViewController::showWholeTree);
    // The end of an edit is told as it happens, also when a press elsewhere
    // ends it: the press must find the edit decided. Escape ends it with no
    // text.
    connect(&model_, &NodeTreeModel::labelEdited, this,
            [this](const QString& text) { events_.TreeView_AfterLabelEdit(text); });
    connect(view.itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::RevertModelCache)
                    events_.TreeView_AfterLabelEdit(std::nullopt);
            });
    showWholeTree();
    if (const QModelIndex selected = model_.indexOf(model_.tree().SelectedItem());
        selected.isValid())
        view.scrollTo(selected);
}

// Undo and redo of the tree work wherever the focus is in the window. An
// open label editor keeps them for its own text: it takes Ctrl+Z and
// Ctrl+Shift+Z before any shortcut, and Ctrl+Y, which it may not know,
// does nothing to the tree meanwhile either.
void TreeViewController::addHistoryKeys() {
    const struct {
        QKeyCombination keys;
        int key;
        int shift;
    } historyKeys[] = {
        {Qt::CTRL | Qt::Key_Z, KeyZ, ShiftCtrl},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, KeyZ, ShiftCtrl | ShiftShift},
        {Qt::CTRL | Qt::Key_Y, KeyY, ShiftCtrl},
    };
    for (const auto& k : historyKeys) {
        auto* shortcut = new QShortcut(QKeySequence(k.keys), &view_);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, key = k.key, shift = k.shift] {
            if (!view_.isEditingLabel())
                events_.TreeView_KeyDown(key, shift);
        });
    }
}

TreeViewController::~TreeViewController() {
    if (!viewAlive_)
        return;
    viewport_->removeEventFilter(this);
    view_.removeEventFilter(this);
    QItemSelectionModel* selection = view_.selectionModel();
    FlagScope following(following_);
    view_.setModel(nullptr);
    delete selection;
}

TreeNode* TreeViewController::nodeAt(const QPoint& viewportPos) const {
    const QModelIndex index = view_.indexAt(viewportPos);
    if (!index.isValid() || !view_.labelRect(index).contains(viewportPos))
        return nullptr;
    return model_.nodeAt(index);
}

void TreeViewController::scrollTo(TreeNode* node) {
    if (const QModelIndex index = model_.indexOf(node); index.isValid())
        view_.scrollTo(index);
}

void TreeViewController::editLabel(TreeNode* node) {
    const QModelIndex index = model_.indexOf(node);
    if (!index.isValid())
        return;
    view_.scrollTo(index);
    view_.setCurrentIndex(index);
    view_.editLabel(index);
}

QPoint TreeViewController::globalPosOf(TreeNode* node) const {
    const QRect label = view_.labelRect(model_.indexOf(node));
    return view_.viewport()->mapToGlobal(label.isValid() ? label.bottomLeft() : QPoint());
}

int TreeViewController::visibleCount() const {
    const int rowHeight = view_.uniformRowHeight();
    return rowHeight > 0 ? view_.viewport()->height() / rowHeight : 0;
}

bool TreeViewController::eventFilter(QObject* watched, QEvent* event) {
    // Compared by address only: the view may be half destroyed by now, and
    // even a cast to its own type would then read what is no longer there.
    if (watched == viewObject_ && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
        events_.TreeView_GotFocus();
    if (watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return mousePressed(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return mouseReleased(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        events_.TreeView_DblClick();
        // On the expand mark the view keeps its own handling of a second click.
        pressPassedToView_ = view_.isOnBranchMark(mouse->position().toPoint());
        return !pressPassedToView_;
    }
    case QEvent::MouseMove:
        return mouseMoved(static_cast<QMouseEvent*>(event));
    default:
        return false;
    }
}

bool TreeViewController::mousePressed(QMouseEvent* event) {
    const QPointF pos = event->position();
    const int button = MouseNumbers::button(event->button());
    pressedNode_ = button == ButtonLeft
                       ? QPersistentModelIndex(model_.indexOf(nodeAt(pos.toPoint())))
                       : QPersistentModelIndex();
    const bool onBranchMark = button == ButtonLeft && view_.isOnBranchMark(pos.toPoint());
    // Focus first: what the press opens (a label editor) keeps it.
    if (!onBranchMark)
        view_.setFocus(Qt::MouseFocusReason);
    if (button != 0) {
        const TwipsScale scale = TwipsScale::of(&view_);
        events_.TreeView_MouseDown(button, MouseNumbers::shift(event->modifiers()),
                                   scale.toTwips(pos.x()), scale.toTwips(pos.y()));
    }
    // A press that left an editor open reopened a refused label and did
    // nothing else: its release is no click, which would select the node
    // under it and end that edit.
    if (view_.isEditingLabel())
        pressedNode_ = QPersistentModelIndex();
    // The expand mark is the view's; every other press belongs to the logic,
    // which has already selected whatever it meant to.
    pressPassedToView_ = onBranchMark;
    return !onBranchMark;
}

bool TreeViewController::mouseMoved(QMouseEvent* event) {
    const QPointF pos = event->position();
    const int buttons = MouseNumbers::held(event->buttons());
    const TwipsScale scale = TwipsScale::of(&view_);
    events_.TreeView_MouseMove(buttons, MouseNumbers::shift(event->modifiers()),
                               scale.toTwips(pos.x()), scale.toTwips(pos.y()));
    // Dragging across rows must not move the selection behind the logic's
    // back; hovering without a button is left to the view.
    return buttons != 0 && !pressPassedToView_;
}

bool TreeViewController::mouseReleased(QMouseEvent* event) {
    const QPointF pos = event->position();
    const TwipsScale scale = TwipsScale::of(&view_);
    events_.TreeView_MouseUp(MouseNumbers::button(event->button()),
                             MouseNumbers::shift(event->modifiers()), scale.toTwips(pos.x()),
                             scale.toTwips(pos.y()));
    if (std::exchange(pressPassedToView_, false)) {
        // Should the view have taken the press for a click on the row after
        // all, the selection goes back to the tree's.
        showSelection();
        return false;
    }
    const QPersistentModelIndex pressed = std::exchange(pressedNode_, QPersistentModelIndex());
    if (event->button() == Qt::LeftButton && pressed.isValid()) {
        TreeNode* node = model_.nodeAt(pressed);
        if (node && nodeAt(pos.toPoint()) == node)
            events_.TreeView_NodeClick(node);
    }
    return true;
}

void TreeViewController::userExpanded(const QModelIndex& index, bool expanded) {
    if (following_ || filtered_)
        return;
    TreeNode* node = model_.nodeAt(index);
    if (!node)
        return;
    if (expanded)
        events_.TreeView_Expand(node);
    else
        events_.TreeView_Collapse(node);
    // Whatever the logic made of it, the view shows the tree.
    showExpansion(model_.indexOf(node), node->Expanded());
}

void TreeViewController::userMovedCurrent(const QModelIndex& index) {
    if (TreeNode* node = model_.nodeAt(index))
        events_.TreeView_NodeClick(node);
    showSelection();
}

void TreeViewController::showExpansion(const QModelIndex& index, bool expanded) {
    if (following_ || view_.isExpanded(index) == expanded)
        return;
    FlagScope following(following_);
    view_.setExpanded(index, expanded);
}

void TreeViewController::showSelection() {
    if (!view_.selectionModel())
        return;
    FlagScope following(following_);
    const NodeTree& tree = model_.tree();
    const QModelIndex selected = model_.indexOf(tree.SelectedItem());
    if (selected.isValid() && !tree.SelectionHidden())
        view_.selectionModel()->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
    else
        view_.selectionModel()->clearSelection();
}

void TreeViewController::showWholeTree() {
    filtered_ = false;  // a tree read anew shows whole
    pressedNode_ = QPersistentModelIndex();
    {
        FlagScope following(following_);
        const NodeTree& tree = model_.tree();
        for (TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node)) {
            if (node->Expanded())
                view_.setExpanded(model_.indexOf(node), true);
        }
    }
    showSelection();
}

void TreeViewController::showOnly(const KeptNodes* kept) {
    if (kept) {
        if (!filtered_)
            scrollBeforeFilter_ = {view_.horizontalScrollBar()->value(),
                                   view_.verticalScrollBar()->value()};
        hideAllBut(*kept);
        filtered_ = true;
    } else if (filtered_) {
        showAllAgain();
    }
}

// From a view with nothing hidden and nothing open: each kept folder that
// leads to more kept nodes opens, and the rows beside those are hidden.
// Only the top level and such folders are looked into; what lies under a
// hidden row or a closed folder shows anyway no more. A folder found
// itself, with nothing found inside, stays closed, for the user to open.
void TreeViewController::hideAllBut(const KeptNodes& kept) {
    const NodeTree& tree = model_.tree();
    {
        FlagScope following(following_);
        view_.reset();
        view_.layOutLater();
        std::vector<TreeNode*> folders{nullptr};  // null: the top level
        while (!folders.empty()) {
            TreeNode* folder = folders.back();
            folders.pop_back();
            TreeNode* const first = folder ? folder->Child() : tree.First();
            bool leads = folder == nullptr;
            for (TreeNode* child = first; child && !leads; child = child->Next())
                leads = kept.contains(child);
            if (!leads)
                continue;
            const QModelIndex parent = model_.indexOf(folder);
            int row = 0;
            for (TreeNode* child = first; child; child = child->Next(), ++row) {
                if (kept.contains(child))
                    folders.push_back(child);
                else
                    view_.setRowHidden(row, parent, true);
            }
            if (folder)
                view_.setExpanded(parent, true);
        }
    }
    showSelection();
    TreeNode* selected = tree.SelectedItem();
    if (selected && kept.contains(selected))
        view_.scrollTo(model_.indexOf(selected));
    else
        view_.scrollToTop();
}

// The whole tree as its nodes' Expanded say, scrolled back to where it was.
void TreeViewController::showAllAgain() {
    {
        FlagScope following(following_);
        view_.reset();
        view_.layOutLater();
    }
    showWholeTree();
    view_.doItemsLayout();  // the scroll bars' ranges, before their values
    view_.horizontalScrollBar()->setValue(scrollBeforeFilter_.x());
    view_.verticalScrollBar()->setValue(scrollBeforeFilter_.y());
}
