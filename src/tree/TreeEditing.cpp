#include "TreeEditing.h"

#include "EnsureVisible.h"
#include "PathDisplay.h"
#include "QuickListLink.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"
#include "platform/MessageBoxes.h"
#include "platform/TreeViewPort.h"
#include "settings/SettingsSchedule.h"
#include "settings/TokenCut.h"

TreeEditing::TreeEditing(const Platform& platform, NodeTree& tree, SettingsSchedule& settings,
                         QuickListLink& quickList,
                         std::function<std::optional<QString>()> highlightedDirectory)
    : platform_(platform),
      tree_(tree),
      settings_(settings),
      quickList_(quickList),
      highlightedDirectory_(std::move(highlightedDirectory)) {}

void TreeEditing::AddNewNode(Relationship relationship, bool item) {
    const QString image = item ? ImageKeys::leaf() : ImageKeys::closed();
    TreeNode* anchor = tree_.SelectedItem();
    // "At the begining" is the start of the top level, however deep the
    // selected node; "At the Last Position" stays among its siblings.
    if (relationship == tvwFirst && anchor)
        anchor = anchor->Root();
    TreeNode* const none = nullptr;
    TreeNode* node =
        anchor ? tree_.Add(anchor, relationship, QString(), QStringLiteral("New Node"), image)
               : tree_.Add(none, tvwLast, QString(), QStringLiteral("New Node"), image);
    if (!node)
        return;
    if (!item)
        node->SetExpandedImage(ImageKeys::open());
    if (anchor)
        EnsureVisible(node, platform_.treeView);
    if (TreeNode* parent = node->Parent())
        parent->SetExpandedImage(ImageKeys::open());
    ShowPathOf(platform_.pathLabel, node);
    tree_.SetSelectedItem(node);
    tree_.SetDropHighlight(node);
    startLabelEdit(node);
}

void TreeEditing::startLabelEdit(TreeNode* node) {
    if (!node)
        return;
    TreeView_BeforeLabelEdit();
    platform_.treeView.StartLabelEdit(node);
}

void TreeEditing::TreeView_BeforeLabelEdit() {
    labelEditPending_ = true;
}

void TreeEditing::ReopenLabelEdit() {
    startLabelEdit(tree_.SelectedItem());
    labelEditPending_ = false;
}

void TreeEditing::TreeView_AfterLabelEdit(const std::optional<QString>& newText) {
    TreeNode* node = tree_.SelectedItem();
    if (!newText || !node) {
        // Backed out of with Escape: the old label stays, and that is no
        // refusal to come back to.
        labelEditPending_ = false;
        return;
    }
    if (TrimBlanks(*newText).isEmpty()) {
        platform_.messages.show(QStringLiteral("Entry can not be blank."),
                                QStringLiteral("Entry Error"), MsgButtons::Ok,
                                MsgIcon::Exclamation);
        return;  // still pending: the next press opens the editor again
    }
    if (const int entry = quickList_.FindQuickEntry(node); entry != -1)
        quickList_.SetQuickCaption(entry, *newText);
    labelEditPending_ = false;
    settings_.ScheduleSave();
    node->SetText(*newText);  // as typed: blanks around it go at the next reading
}

void TreeEditing::tvRename_Click() {
    startLabelEdit(tree_.SelectedItem());
}

void TreeEditing::tvModify_Click() {
    TreeNode* target = tree_.DropHighlight();
    if (!target)
        return;
    const std::optional<QString> path = highlightedDirectory_();
    if (!path)
        return;
    const int entry = quickList_.FindQuickEntry(target);
    target->SetTag(*path);
    ShowPathOf(platform_.pathLabel, target);
    if (entry != -1)
        quickList_.SetQuickPath(entry, *path);
    settings_.ScheduleSave();
}

void TreeEditing::tvDelete_Click() {
    TreeNode* target = tree_.DropHighlight();
    if (!target)
        return;
    TreeNode* neighbour = target->Previous();
    if (!neighbour)
        neighbour = target->Next();
    if (!neighbour)
        neighbour = target->Parent();
    if (neighbour && neighbour->Children() == 0)
        neighbour->SetExpanded(false);
    ShowPathOf(platform_.pathLabel, neighbour);
    quickList_.RemoveQuickEntry(target);
    tree_.Remove(target);
    // The neighbour whose path the label shows becomes the current node, so
    // that the label and the selection agree and the keys go on from there.
    tree_.SetSelectedItem(neighbour);
    tree_.SetDropHighlight(neighbour);
    settings_.ScheduleSave();
}
