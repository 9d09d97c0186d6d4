#include "BookmarkImport.h"

#include "BookmarkPlan.h"
#include "BookmarkTexts.h"
#include "EnsureVisible.h"
#include "PathDisplay.h"
#include "ReadOnlyTree.h"
#include "icons/ItemIcons.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "platform/MessageBoxes.h"
#include "settings/SettingsSchedule.h"

#include <optional>

namespace {
// Beyond this many new nodes the view takes them in as one new tree.
constexpr std::size_t OneResetFrom = 2;
}  // namespace

BookmarkImport::BookmarkImport(const Platform& platform, const Parts& parts,
                               const BookmarkSources& sources)
    : platform_(platform), parts_(parts), sources_(sources) {}

qsizetype BookmarkImport::Importable() const {
    const ImportPlan plan = PlanImport(sources_, parts_.tree);
    return plan.failure.isEmpty() ? qsizetype(plan.items.size()) : 0;
}

// Either all of the bookmarks come, or, when a file cannot be read, none.
void BookmarkImport::tvImportBookmarks_Click() {
    if (parts_.readOnly.ReadOnly())
        return;
    const ImportPlan plan = PlanImport(sources_, parts_.tree);
    if (plan.failure.isEmpty() && !plan.items.empty())
        add(plan);
    platform_.messages.show(ImportReport(plan, sources_), BookmarkTexts::title(), MsgButtons::Ok,
                            plan.failure.isEmpty() ? MsgIcon::None : MsgIcon::Exclamation);
}

void BookmarkImport::add(const ImportPlan& plan) {
    NodeTree& tree = parts_.tree;
    TreeNode* folder = nullptr;
    {
        TreeHistory::Step step(parts_.history, BookmarkTexts::importStep());
        TreeBusyScope busy(tree);
        std::optional<BulkTreeChange> oneReset;
        if (plan.items.size() >= OneResetFrom)
            oneReset.emplace(tree);
        TreeNode* const endOfTopLevel = nullptr;
        folder = tree.Add(endOfTopLevel, tvwLast, QString(), BookmarkTexts::folderLabel(),
                          ImageKeys::closed());
        if (!folder)
            return;
        folder->SetExpandedImage(ImageKeys::open());
        for (const ImportPlan::Item& item : plan.items) {
            TreeNode* node =
                tree.Add(folder, tvwChild, QString(), item.label, ItemIcons::NewItemImage());
            if (!node)
                continue;
            node->SetTag(item.path);
            parts_.icons.RequestIcon(node);
        }
        folder->SetExpanded(true);
        tree.SetSelectedItem(folder);
    }
    EnsureVisible(folder, platform_.treeView);
    ShowPathOf(platform_.pathLabel, folder);
    parts_.settings.ScheduleSave();
}
