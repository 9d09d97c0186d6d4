#include "TreeUndo.h"

#include "PathDisplay.h"
#include "icons/ItemIcons.h"
#include "model/ImageKeys.h"
#include "model/TreeHistory.h"
#include "platform/TreeViewPort.h"
#include "settings/SettingsSchedule.h"

TreeUndo::TreeUndo(const Platform& platform, const Parts& parts)
    : platform_(platform), parts_(parts) {}

void TreeUndo::tvUndo_Click() {
    const bool changed = parts_.history.CanUndo();
    TreeNode* selected = parts_.history.Undo([this](TreeNode* node) { restored(node); });
    shown(changed, selected);
}

void TreeUndo::tvRedo_Click() {
    const bool changed = parts_.history.CanRedo();
    TreeNode* selected = parts_.history.Redo([this](TreeNode* node) { restored(node); });
    shown(changed, selected);
}

// A node put back looks its icon up as a new one does; its path is looked
// at because the tree tells the path watcher of it.
void TreeUndo::restored(TreeNode* node) {
    if (ImageKeys::isWaiting(node->Image()))
        parts_.icons.RequestIcon(node);
}

// The node selected again is scrolled to and its path shown. Its folders
// are not opened for it: the tree comes back with the expansion it had.
void TreeUndo::shown(bool changed, TreeNode* selected) {
    if (!changed)
        return;
    if (selected)
        platform_.treeView.ScrollTo(selected);
    ShowPathOf(platform_.pathLabel, selected);
    parts_.settings.ScheduleSave();
}
