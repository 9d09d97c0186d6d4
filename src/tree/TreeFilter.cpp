#include "TreeFilter.h"

#include "TreeEditing.h"
#include "find/NodeMatch.h"
#include "model/NodeTree.h"
#include "platform/Timer.h"
#include "settings/SettingsSchedule.h"

namespace {
// A pass over 100 000 nodes, until they are drawn, takes 30 to 60 ms: a
// pass for every letter of a word would hold each following letter back
// and make the typing stutter. From this size on the tree is filtered once
// the typing pauses; a smaller one (10 000 nodes take about 5 ms) at each
// keystroke, without waiting.
constexpr int LargeTree = 10000;
constexpr int TypingPause = 150;  // ms
}  // namespace

TreeFilter::TreeFilter(const Platform& platform, const Parts& parts)
    : platform_(platform),
      parts_(parts),
      filterTimer_(platform.timers.createTimer([this] { FilterTimer_Timer(); })) {
    filterTimer_->setInterval(TypingPause);
}

TreeFilter::~TreeFilter() = default;

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
    typed_ = text;
    if (text.trimmed().isEmpty()) {
        filterTimer_->stop();
        showWholeTree();
    } else if (parts_.tree.Count() >= LargeTree) {
        filterTimer_->start();  // again from the start at each keystroke
    } else {
        filter(text);
    }
}

void TreeFilter::FilterTimer_Timer() {
    filterTimer_->stop();
    if (lineShown_ && !typed_.trimmed().isEmpty())
        filter(typed_);
}

void TreeFilter::FilterLine_Escape() {
    End();
}

void TreeFilter::TreeView_Escape() {
    End();
}

void TreeFilter::End() {
    if (!lineShown_)
        return;
    filterTimer_->stop();
    showWholeTree();
    lineShown_ = false;
    platform_.filterLine.hideLine();
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
