#include "ExternalDrop.h"

#include "EnsureVisible.h"
#include "HistoryTexts.h"
#include "PathDisplay.h"
#include "ReadOnlyTree.h"
#include "TreeDrop.h"
#include "TreeDropCommands.h"
#include "TreeDropMenu.h"
#include "files/KeptPaths.h"
#include "files/PathChecks.h"
#include "files/WebAddress.h"
#include "icons/ItemIcons.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "settings/SettingsSchedule.h"

#include <QFileInfo>
#include <memory>
#include <optional>

namespace {
const QChar Separator = QLatin1Char('/');

// The target's key while the dropped paths are placed by it.
QString targetMarker() {
    return QStringLiteral("tdDrop");
}

// The text after the last "/". Separators at the end are not taken for an
// empty name (a directory may come as "/home/ann/Music/"), and the root
// keeps "/": a blank label is accepted nowhere else in the tree.
QString DroppedName(const QString& path) {
    qsizetype end = path.size();
    while (end > 1 && path[end - 1] == Separator)
        --end;
    const QStringView kept = QStringView(path).left(end);
    if (kept.size() == 1 && kept[0] == Separator)
        return kept.toString();
    return kept.mid(kept.lastIndexOf(Separator) + 1).toString();
}

// A file is labelled by its name without what follows the first ".", unless
// the name has none or begins with one (".profile").
QString FileLabel(const QString& name) {
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

// Puts the marker key on the drop target for as long as the paths are added
// and gives the target its own key back however the drop ends. Another node
// may wear the marker already; the target then stands for itself, so that
// no path lands beside that other node.
class TargetMark {
public:
    TargetMark(NodeTree& tree, TreeNode* target)
        : tree_(tree), target_(target), ownKey_(target ? target->Key() : QString()) {
        marked_ = target_ && target_->SetKey(targetMarker());
    }
    ~TargetMark() {
        if (marked_)
            target_->SetKey(ownKey_);
    }
    TargetMark(const TargetMark&) = delete;
    TargetMark& operator=(const TargetMark&) = delete;

    TreeNode* add(Relationship relationship, const QString& label, const QString& image) {
        if (!target_) {
            TreeNode* const endOfTopLevel = nullptr;
            return tree_.Add(endOfTopLevel, tvwLast, QString(), label, image);
        }
        if (marked_)
            return tree_.Add(targetMarker(), relationship, QString(), label, image);
        return tree_.Add(target_, relationship, QString(), label, image);
    }

private:
    NodeTree& tree_;
    TreeNode* target_;
    QString ownKey_;
    bool marked_ = false;
};

Relationship PlacementOf(int choice) {
    switch (choice) {
    case TreeDropCommands::DropInside:
        return tvwChild;
    case TreeDropCommands::DropBefore:
        return tvwPrevious;
    default:
        return tvwNext;
    }
}

// A directory becomes a folder; a file an item whose icon is looked up in
// the background; a web address an item labelled by its page. Each points
// at what was dropped. None for an empty path: it names nothing.
TreeNode* AddDroppedPath(const QString& path, const QString& title, bool directory,
                         TargetMark& mark, Relationship placement, ItemIcons& icons) {
    if (path.isEmpty())
        return nullptr;
    const QString name = DroppedName(path);
    TreeNode* node = nullptr;
    if (IsWebAddress(path)) {
        node = mark.add(placement, WebAddressLabel(path, title), ItemIcons::NewItemImage());
    } else if (directory) {
        node = mark.add(placement, name, ImageKeys::closed());
        if (node)
            node->SetExpandedImage(ImageKeys::open());
    } else {
        node = mark.add(placement, FileLabel(name), ItemIcons::NewItemImage());
    }
    if (!node)
        return nullptr;
    node->SetTag(path);
    icons.RequestIcon(node);
    return node;
}
}  // namespace

ExternalDrop::ExternalDrop(const Platform& platform, const Parts& parts)
    : platform_(platform), parts_(parts) {}

bool ExternalDrop::Acceptable(const ShellDropData& data) {
    return data.copyAllowed && !data.paths.isEmpty();
}

// The selection follows the pointer; the path label stays as it was.
// A filtered tree takes no drop: the dropped paths would go among rows the
// user cannot see.
bool ExternalDrop::TreeView_OLEDragOver(const ShellDropData& data, float x, float y) {
    if (!Acceptable(data) || parts_.readOnly.ReadOnly())
        return false;
    NodeTree& tree = parts_.tree;
    TreeNode* node = parts_.rows.FindRowNode(x, y).node;
    tree.SetDropHighlight(node);
    if (node)
        tree.SetSelectedItem(node);
    return true;
}

void ExternalDrop::TreeView_OLEDragDrop(const ShellDropData& data, float x, float y) {
    if (!Acceptable(data) || parts_.readOnly.ReadOnly())
        return;
    NodeTree& tree = parts_.tree;
    TreeNode* target = parts_.rows.FindRowNode(x, y).node;
    tree.SetDropHighlight(target);
    // A path that cannot be kept as it is is never stored as another one;
    // the others still come, and the user hears once of all refused.
    PathRefusals refusals;
    QStringList paths;
    for (const QString& path : data.paths) {
        if (refusals.Keeps(path))
            paths << path;
    }
    if (paths.isEmpty()) {
        refusals.Tell(platform_.messages);
        return;
    }
    Relationship placement = tvwLast;
    if (target) {
        tree.SetSelectedItem(target);
        TreeDropCommands& commands = parts_.commands;
        commands.PrepareExternalDrop();
        RunTreeDropChoice(platform_.menus.popup(BuildShellDropMenu(target->IsFolder())), commands);
        // Refused; or the tree changed while the menu waited, and the
        // target went with it. Nothing was to be added: there is nothing
        // to tell of the paths that could not have been.
        if (commands.DropChoice() == TreeDropCommands::DropCancel || !tree.Holds(target))
            return;
        placement = PlacementOf(commands.DropChoice());
    }
    // Which paths are folders is asked in the background: the drop may
    // come from a share that does not answer. A web address is no path on
    // disk, and nothing is asked about it.
    QStringList local;
    std::vector<std::size_t> localAt;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (!IsWebAddress(paths[i])) {
            local << paths[i];
            localAt.push_back(std::size_t(i));
        }
    }
    auto folders = std::make_shared<std::vector<char>>(std::size_t(local.size()));
    auto answer = [this, target, placement, paths, localAt, folders, refusals,
                   titles = data.titles](const std::vector<bool>& localAnswered) {
        std::vector<char> kinds(std::size_t(paths.size()), 0);
        std::vector<bool> answered(std::size_t(paths.size()), true);
        for (std::size_t k = 0; k < localAt.size(); ++k) {
            kinds[localAt[k]] = (*folders)[k];
            answered[localAt[k]] = localAnswered[k];
        }
        PathRefusals told = refusals;
        addDropped(target, placement, {paths, titles}, Kinds{kinds, answered}, told);
    };
    if (local.isEmpty()) {
        answer({});
        return;
    }
    parts_.checks.Ask(
        local,
        [local, folders](qsizetype i) {
            (*folders)[std::size_t(i)] = QFileInfo(local[i]).isDir() ? 1 : 0;
        },
        std::move(answer));
}

void ExternalDrop::addDropped(TreeNode* target, Relationship placement, const Dropped& dropped,
                              const Kinds& kinds, PathRefusals& refusals) {
    const QStringList& paths = dropped.paths;
    NodeTree& tree = parts_.tree;
    // The tree changed while the answers came, and the target went with it.
    if (target && !tree.Holds(target))
        return;
    TreeHistory::Step step(parts_.history, HistoryTexts::drop());
    TreeNode* last = nullptr;
    {
        TreeBusyScope busy(tree);
        // Many new nodes reach the view as one new tree rather than one
        // insertion each, whose cost grows with the rows the view shows.
        std::optional<BulkTreeChange> oneReset;
        if (paths.size() > 1)
            oneReset.emplace(tree);
        TargetMark mark(tree, target);
        for (qsizetype i = 0; i < paths.size(); ++i) {
            const auto at = std::size_t(i);
            if (!kinds.answered[at])
                refusals.Unanswered(paths[i]);
            else if (TreeNode* node =
                         AddDroppedPath(paths[i], dropped.titles.value(paths[i]),
                                        kinds.folders[at] != 0, mark, placement, parts_.icons))
                last = node;
        }
    }
    // Each new node in turn is shown, highlighted and selected, and the
    // last one stays so: doing it for the last alone, once the view has
    // taken the new nodes in, leaves the same.
    if (last) {
        EnsureVisible(last, platform_.treeView);
        tree.SetDropHighlight(last);
        tree.SetSelectedItem(last);
        ShowPathOf(platform_.pathLabel, last);
    }
    parts_.settings.ScheduleSave();
    refusals.Tell(platform_.messages);
}
