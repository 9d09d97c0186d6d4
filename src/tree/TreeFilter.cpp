#include "TreeFilter.h"

#include "TreeEditing.h"
#include "find/NodeMatch.h"
#include "model/NodeTree.h"
#include "settings/SettingsSchedule.h"

TreeFilter::TreeFilter(const Platform& platform, const Parts& parts)
    : platform_(platform), parts_(parts) {}

// Not while a label is being edited, or was refused and waits to be edited
// again: that edit ends on a node the filter might hide.
void TreeFilter::FilterKey_Press() {
    if (parts_.editing.LabelEditPending())
        return;
    lineShown_ = true;
    platform_.filterLine.showLine();
}

void TreeFilter::FilterLine_Change(const QString& text) {
    if (!lineShown_)
        return;
    if (text.trimmed().isEmpty())
        showWholeTree();
    else
        filter(text);
}

void TreeFilter::FilterLine_Escape() {
    if (!lineShown_)
        return;
    showWholeTree();
    lineShown_ = false;
    platform_.filterLine.hideLine();
}

void TreeFilter::TreeView_Escape() {
    FilterLine_Escape();
}

// The nodes found, and every folder above each of them. A folder already
// kept has its own folders kept too, which ends the climb.
void TreeFilter::filter(const QString& typed) {
    if (!filtering_)
        selectedBefore_ = parts_.tree.SelectedItem();
    filtering_ = true;
    const TextMatch match(typed);  // in any case, with or without accents
    kept_.clear();
    for (const TreeNode* node = parts_.tree.First(); node;
         node = NodeTree::NextInDocumentOrder(node)) {
        if (RankNode(match, *node) == MatchRank::None)
            continue;
        for (const TreeNode* up = node; up && !kept_.contains(up); up = up->Parent())
            kept_.insert(up);
    }
    platform_.treeView.ShowOnly(&kept_);
}

// The view comes back as it was. A node the user chose meanwhile stays the
// selected one, and its folders open so that it shows where it is: that is
// what the user was looking for. Opening them is a change of the tree, to be
// saved, as any hand's opening is.
void TreeFilter::showWholeTree() {
    if (!filtering_)
        return;
    filtering_ = false;
    kept_.clear();
    platform_.treeView.ShowOnly(nullptr);
    TreeNode* selected = parts_.tree.SelectedItem();
    if (!selected || selected == selectedBefore_)
        return;
    bool opened = false;
    for (TreeNode* folder = selected->Parent(); folder; folder = folder->Parent()) {
        if (!folder->Expanded()) {
            folder->SetExpanded(true);
            opened = true;
        }
    }
    platform_.treeView.ScrollTo(selected);
    if (opened)
        parts_.settings.ScheduleSave();
}
