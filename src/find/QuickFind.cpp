#include "QuickFind.h"

#include "BestMatches.h"
#include "QuickFindTexts.h"
#include "TextMatch.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"
#include "platform/MainWindowPort.h"
#include "settings/SettingsSchedule.h"
#include "tray/Tray.h"
#include "tray/WindowCommands.h"
#include "tree/EnsureVisible.h"
#include "tree/TreeFilter.h"

#include <algorithm>

namespace {
// The quick list keeps no picture: a folder kept without a path shows as a
// folder, everything else as an item.
QString quickEntryImage(const QuickEntry& entry) {
    return entry.path.isEmpty() ? ImageKeys::closed() : ImageKeys::leaf();
}
}  // namespace

QuickFind::QuickFind(const Platform& platform, const Parts& parts)
    : platform_(platform), parts_(parts) {}

void QuickFind::Popup(const QString& typed, const QString& activationToken) {
    if (parts_.settings.SettingsPending())
        parts_.settings.LoadSettings();  // the quick list and the tree come with them
    fill(typed);
    platform_.quickFind.show(typed, activationToken);
}

void QuickFind::QuickFind_Change(const QString& typed) {
    fill(typed);
}

void QuickFind::fill(const QString& typed) {
    rows_.clear();
    stillInTree_.emplace(parts_.tree);
    if (TextMatch(typed).IsEmpty())
        fillQuickList();
    else
        fillMatches(typed);
}

// Nothing per node here: the pop-up shows at once on any tree.
void QuickFind::fillQuickList() {
    const QuickEntries& entries = parts_.tray.Quick().Entries();
    if (entries.empty()) {
        platform_.quickFind.setRows({{QuickFindTexts::emptyQuickList(), {}, {}, false}});
        return;
    }
    std::vector<QuickFindRow> shown;
    for (const QuickEntry& entry : entries) {
        rows_.push_back({entry.caption, entry.path});
        shown.push_back({entry.caption, entry.path, quickEntryImage(entry)});
    }
    platform_.quickFind.setRows(shown);
}

void QuickFind::fillMatches(const QString& typed) {
    const TextMatch match(typed);
    std::vector<std::pair<MatchRank, const QuickEntry*>> quick;
    for (const QuickEntry& entry : parts_.tray.Quick().Entries()) {
        const MatchRank rank = match.Rank(entry.caption, entry.path);
        if (rank != MatchRank::None)
            quick.emplace_back(rank, &entry);
    }
    std::stable_sort(quick.begin(), quick.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QuickFindRow> shown;
    for (const auto& [rank, entry] : quick) {
        rows_.push_back({entry->caption, entry->path});
        shown.push_back({entry->caption, entry->path, quickEntryImage(*entry)});
    }
    // A node already listed as its quick-list entry is not listed twice.
    const auto listed = [&quick](const QString& text, const QString& tag) {
        return std::any_of(quick.begin(), quick.end(), [&](const auto& q) {
            return q.second->caption == text && q.second->path == tag;
        });
    };
    const auto nodes = BestMatches(parts_.tree, match, MaxNodeRows + quick.size());
    int nodeRows = 0;
    for (TreeNode* node : nodes) {
        if (nodeRows == MaxNodeRows)
            break;
        QString text = node->Text();
        QString tag = node->Tag();
        if (listed(text, tag))
            continue;
        shown.push_back({text, tag, node->Image()});
        rows_.push_back({std::move(text), std::move(tag), node});
        ++nodeRows;
    }
    platform_.quickFind.setRows(shown);
}

const QuickFind::Row* QuickFind::rowAt(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? &rows_[static_cast<size_t>(row)]
                                                            : nullptr;
}

void QuickFind::QuickFind_Choose(int row) {
    const Row* chosen = rowAt(row);
    if (!chosen)
        return;  // the line of help
    const Row picked = *chosen;
    // A node without a path has nothing to open: it is shown instead.
    if (picked.node && picked.path.isEmpty()) {
        QuickFind_ShowInWindow(row);
        return;
    }
    close();
    parts_.tray.LaunchLater(picked.path);
}

// The window comes up as the tray's left click brings it, then the node is
// selected and scrolled to; a node that is gone leaves the window as it was.
void QuickFind::QuickFind_ShowInWindow(int row) {
    const Row* chosen = rowAt(row);
    if (!chosen)
        return;
    const Row picked = *chosen;
    platform_.quickFind.close();
    if (platform_.window.isVisible())
        platform_.window.bringToFront();
    else
        parts_.window.ShowWindow();
    TreeNode* node = nodeOf(picked);
    close();
    if (!node)
        return;
    parts_.filter.End();
    parts_.tree.SetSelectedItem(node);
    EnsureVisible(node, platform_.treeView);
}

TreeNode* QuickFind::nodeOf(const Row& row) {
    const auto same = [&row](const TreeNode* node) {
        return node->Text() == row.caption && node->Tag() == row.path;
    };
    if (row.node)
        return stillInTree_ && (*stillInTree_)(row.node) && same(row.node) ? row.node : nullptr;
    for (TreeNode* node = parts_.tree.First(); node; node = NodeTree::NextInDocumentOrder(node)) {
        if (same(node))
            return node;
    }
    return nullptr;
}

void QuickFind::QuickFind_Dismiss() {
    close();
}

void QuickFind::close() {
    rows_.clear();
    stillInTree_.reset();
    platform_.quickFind.close();
}
