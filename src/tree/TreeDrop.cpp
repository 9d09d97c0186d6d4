#include "TreeDrop.h"

#include "DragStates.h"
#include "DropCommands.h"
#include "EnsureVisible.h"
#include "HistoryTexts.h"
#include "MenuOptions.h"
#include "PathDisplay.h"
#include "ReadOnlyTree.h"
#include "TreeDropMenu.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "platform/BrowserListPorts.h"
#include "platform/Timer.h"
#include "platform/TreeViewPort.h"
#include "settings/SettingsSchedule.h"

#include <cmath>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int ProbeStepPixels = 16;
constexpr int ScrollInterval = 50;

// The row shown after the node's, with nothing collapsed skipped into.
TreeNode* nextVisibleRow(const TreeNode* node) {
    if (node->Expanded() && node->Children() > 0)
        return node->Child();
    for (const TreeNode* up = node; up; up = up->Parent()) {
        if (TreeNode* next = up->Next())
            return next;
    }
    return nullptr;
}

// The row shown before the node's: the deepest last shown node under the
// previous sibling, or the parent.
TreeNode* previousVisibleRow(const TreeNode* node) {
    TreeNode* row = node->Previous();
    if (!row)
        return node->Parent();
    while (row->Expanded() && row->Children() > 0) {
        TreeNode* last = row->Child();
        while (TreeNode* next = last->Next())
            last = next;
        row = last;
    }
    return row;
}
}  // namespace

TreeDrop::TreeDrop(const Platform& platform, const Parts& parts)
    : platform_(platform),
      parts_(parts),
      treeScrollEvent_(platform.timers.createTimer([this] { TreeScrollEvent_Timer(); })) {
    treeScrollEvent_->setInterval(ScrollInterval);
}

TreeDrop::~TreeDrop() = default;

TreeDrop::RowNode TreeDrop::FindRowNode(float x, float y) const {
    const TreeViewPort& view = platform_.treeView;
    const float step = ProbeStepPixels * view.TwipsPerPixelX();
    const float start = std::round(x);
    float probe = start;
    for (; probe >= 0; probe -= step) {
        if (TreeNode* node = view.HitTest(probe, y))
            return {node, probe};
    }
    const float width = static_cast<float>(view.Size().width);
    for (probe = start; probe <= width; probe += step) {
        if (TreeNode* node = view.HitTest(probe, y))
            return {node, probe};
    }
    return {nullptr, probe - step};
}

void TreeDrop::TreeView_DragOver(DragSource source, float x, float y, int state) {
    if (parts_.readOnly.ReadOnly()) {
        // A filtered tree takes no drop: the drag says so over it.
        if (state == 0)
            endOtherDrags(source);
        showDragPicture(source, false);
        return;
    }
    NodeTree& tree = parts_.tree;
    TreeNode* node = FindRowNode(x, y).node;
    tree.SetDropHighlight(node);
    if (node)
        tree.HideSelection();  // only the drop target shows highlighted
    armScrolling(y);
    if (state == 2)
        return;
    const bool entering = state == 0;
    if (entering)
        endOtherDrags(source);  // nor scroll for it
    showDragPicture(source, entering);
}

void TreeDrop::showDragPicture(DragSource source, bool canDrop) {
    switch (source) {
    case DragSource::TreeView:
        platform_.treeView.SetDragPicture(canDrop ? DragPicture::TempImage : DragPicture::NoDrop);
        break;
    case DragSource::DirList:
        platform_.dirList.setDragPicture(canDrop ? u"drop"_s : u"nodrop"_s);
        break;
    case DragSource::FileList:
        platform_.fileList.setDragPicture(canDrop ? u"drop"_s : u"nodrop"_s);
        break;
    }
}

// Within one row of the bottom edge the tree scrolls down, within one row of
// the top edge up. A tree too low for one whole row has no bands.
void TreeDrop::armScrolling(float y) {
    const int rows = platform_.treeView.GetVisibleCount();
    if (rows <= 0) {
        scrollDirection_ = 0;
        return;
    }
    const float height = static_cast<float>(platform_.treeView.Size().height);
    const float rowHeight = height / static_cast<float>(rows);
    if (y > height - rowHeight)
        scrollDirection_ = 1;
    else if (y < rowHeight)
        scrollDirection_ = 2;
    else
        scrollDirection_ = 0;
    // Enabling a running timer leaves its tick where it is; the timer stops
    // itself at the next tick once the pointer left the bands.
    if (scrollDirection_ != 0 && !treeScrollEvent_->isActive())
        treeScrollEvent_->start();
}

void TreeDrop::stopScrolling() {
    scrollDirection_ = 0;
    treeScrollEvent_->stop();
}

void TreeDrop::TreeScrollEvent_Timer() {
    NodeTree& tree = parts_.tree;
    TreeNode* highlighted = tree.DropHighlight();
    if (parts_.drags.TreeDragState() != 2 || !highlighted)
        scrollDirection_ = 0;
    if (scrollDirection_ == 0) {
        treeScrollEvent_->stop();
        return;
    }
    TreeNode* row =
        scrollDirection_ == 1 ? nextVisibleRow(highlighted) : previousVisibleRow(highlighted);
    if (!row) {
        scrollDirection_ = 0;
        return;
    }
    tree.SetDropHighlight(row);
    tree.SetSelectedItem(row);
    EnsureVisible(row, platform_.treeView);
}

// One drag at a time: a drag let go outside the window never reached a drop
// and left its state behind, which must not make this drop act for it.
void TreeDrop::endOtherDrags(DragSource source) {
    for (const DragSource other :
         {DragSource::TreeView, DragSource::DirList, DragSource::FileList}) {
        if (other != source)
            parts_.drags.EndDrag(other);
    }
}

// The drop is made where the drag was let go. The scrolling stops right
// there: a tick after it would walk the highlight, and with it the target
// of the drop menu's command, on under the menu.
void TreeDrop::TreeView_DragRelease(DragSource source, float x, float y) {
    stopScrolling();
    release_ = Release{source, FindRowNode(x, y).node};
}

// The node the drag was let go over, when that is known and still in the
// tree; otherwise the node under the point now.
TreeNode* TreeDrop::dropTarget(DragSource source, float x, float y) {
    const std::optional<Release> release = std::exchange(release_, std::nullopt);
    if (release && release->source == source &&
        (!release->target || parts_.tree.Holds(release->target)))
        return release->target;
    return FindRowNode(x, y).node;
}

void TreeDrop::TreeView_DragDrop(DragSource source, float x, float y) {
    if (parts_.readOnly.ReadOnly()) {
        stopScrolling();
        release_.reset();
        parts_.drags.EndDrag(source);
        return;
    }
    NodeTree& tree = parts_.tree;
    // A node of the tree moves; an entry of the browser is copied in.
    TreeHistory::Step step(parts_.history, source == DragSource::TreeView ? HistoryTexts::move()
                                                                          : HistoryTexts::copy());
    stopScrolling();
    endOtherDrags(source);
    TreeNode* target = dropTarget(source, x, y);
    if (!target) {
        if (source != DragSource::TreeView) {
            parts_.commands.AddBrowserPath(std::nullopt);
            parts_.settings.ScheduleSave();
            return;
        }
        // Nothing moves: the selection the drag took away comes back.
        TreeNode* selected = tree.SelectedItem();
        tree.SetDropHighlight(selected);
        if (selected)
            tree.SetSelectedItem(selected);
        return;
    }
    tree.SetDropHighlight(target);
    tree.SetSelectedItem(target);
    if (source != DragSource::TreeView || target != parts_.drags.DragNode()) {
        runDropMenu(source, target);
        parts_.drags.EndDrag(source);
    }
    parts_.settings.ScheduleSave();
}

void TreeDrop::runDropMenu(DragSource source, TreeNode* target) {
    parts_.commands.SetExternalDropPending(false);
    const MenuChoice choice = platform_.menus.popup(
        BuildTreeDropMenu(source, target->IsFolder(), parts_.options.FullPath()));
    RunTreeDropChoice(choice, parts_.commands);
    SelectDropHighlight(parts_.tree, platform_.pathLabel);
}
