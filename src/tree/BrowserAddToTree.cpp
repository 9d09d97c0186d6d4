#include "BrowserAddToTree.h"

#include "HistoryTexts.h"
#include "MenuOptions.h"
#include "PathDisplay.h"
#include "ReadOnlyTree.h"
#include "TreeDropMenu.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "platform/TreeViewPort.h"
#include "settings/SettingsSchedule.h"

BrowserAddToTree::BrowserAddToTree(const Platform& platform, const Parts& parts)
    : platform_(platform),
      parts_(parts),
      commands_(platform, parts.tree, parts.history, drag_, parts.browser, parts.options,
                parts.icons, parts.checks) {}

bool BrowserAddToTree::TakesEntries() const {
    return !parts_.readOnly.ReadOnly();
}

void BrowserAddToTree::AddToTree(DragSource list) {
    if (!TakesEntries() || list == DragSource::TreeView)
        return;
    NodeTree& tree = parts_.tree;
    TreeHistory::Step step(parts_.history, HistoryTexts::copy());
    drag_.Set(list, nullptr);
    TreeNode* target = tree.SelectedItem();
    if (!target) {
        commands_.AddBrowserPath(std::nullopt);
        parts_.settings.ScheduleSave();
        return;
    }
    tree.SetDropHighlight(target);
    tree.SetSelectedItem(target);
    platform_.treeView.ScrollTo(target);  // the menu opens at its row
    commands_.SetExternalDropPending(false);
    const MenuChoice choice = platform_.menus.popupAtNode(
        BuildTreeDropMenu(list, target->IsFolder(), parts_.options.FullPath()), target);
    // Cancel leaves the target selected, as closing the menu does: there is
    // no dragged node of the tree to go back to.
    if (ChosenEntry<TreeDropMenuId>(choice) != TreeDropMenuId::tdCancel)
        RunTreeDropChoice(choice, commands_);
    SelectDropHighlight(tree, platform_.pathLabel);
    parts_.settings.ScheduleSave();
}
