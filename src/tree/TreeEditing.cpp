#include "TreeEditing.h"

#include "EnsureVisible.h"
#include "HistoryTexts.h"
#include "PathDisplay.h"
#include "QuickListLink.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "platform/MessageBoxes.h"
#include "platform/TreeViewPort.h"
#include "settings/GetToken.h"
#include "settings/SettingsSchedule.h"
#include "settings/ValueBlanks.h"

TreeEditing::TreeEditing(const Platform& platform, NodeTree& tree, TreeHistory& history,
                         SettingsSchedule& settings, QuickListLink& quickList,
                         std::function<std::optional<QString>()> highlightedDirectory)
    : platform_(platform),
      tree_(tree),
      history_(history),
      settings_(settings),
      quickList_(quickList),
      highlightedDirectory_(std::move(highlightedDirectory)) {}

void TreeEditing::AddNewNode(Relationship relationship, bool item) {
    TreeHistory::Step step(history_, item ? HistoryTexts::newItem() : HistoryTexts::newFolder());
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
    editedNode_ = node;
    TreeView_BeforeLabelEdit();
    platform_.treeView.StartLabelEdit(node);
}

// Null once the node is gone from the tree: its edit has nothing to end on.
TreeNode* TreeEditing::editedNode() const {
    return editedNode_ && tree_.Holds(editedNode_) ? editedNode_ : nullptr;
}

void TreeEditing::TreeView_BeforeLabelEdit() {
    labelEditPending_ = true;
}

// The refused label is the one edited again, should the selection have
// moved by the keys since.
void TreeEditing::ReopenLabelEdit() {
    TreeNode* refused = editedNode();
    startLabelEdit(refused ? refused : tree_.SelectedItem());
    labelEditPending_ = false;
}

void TreeEditing::TreeView_AfterLabelEdit(const std::optional<QString>& typed) {
    TreeNode* node = editedNode();
    if (!typed || !node) {
        // Backed out of with Escape: the old label stays, and that is no
        // refusal to come back to.
        labelEditPending_ = false;
        editedNode_ = nullptr;
        return;
    }
    // A pasted TAB or line break would draw the label on two lines, taller
    // than every other row, and the settings file reads it back as a blank
    // anyway: it is a blank from the start.
    const QString newText = WithBreaksAsBlanks(*typed);
    if (TrimBlanks(newText).isEmpty()) {
        platform_.messages.show(QStringLiteral("Entry can not be blank."),
                                QStringLiteral("Entry Error"), MsgButtons::Ok,
                                MsgIcon::Exclamation);
        return;  // still pending: the next press opens the editor again
    }
    TreeHistory::Step step(history_, HistoryTexts::rename());
    if (const int entry = quickList_.FindQuickEntry(node); entry != -1)
        quickList_.SetQuickCaption(entry, newText);
    labelEditPending_ = false;
    editedNode_ = nullptr;
    settings_.ScheduleSave();
    node->SetText(newText);  // as typed: blanks around it go at the next reading
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
    TreeHistory::Step step(history_, HistoryTexts::modify());
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
    TreeHistory::Step step(history_, HistoryTexts::deleteNode());
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
