#pragma once

#include "model/StillInTree.h"
#include "platform/Platform.h"
#include "platform/QuickFindPort.h"

#include <QString>
#include <optional>
#include <vector>

class NodeTree;
class SettingsSchedule;
class Tray;
class TreeFilter;
class TreeNode;
class WindowCommands;

// The quick-find pop-up, summoned from outside the window (the command
// line, the session bus, a desktop shortcut): with nothing typed it lists
// the quick list; typing lists the quick-list entries that match and then
// the best of the tree's nodes that match. A chosen row opens as a
// quick-list entry opens; Ctrl+Enter shows its node in the main window.
// Rows keep copies of what they show: the tree may be saved by another
// writer, restored or emptied while the pop-up is open, and a node is used
// only once it is known to be still there and still the same.
class QuickFind : public QuickFindEvents {
public:
    struct Parts {
        NodeTree& tree;
        Tray& tray;  // the quick list and its launch
        SettingsSchedule& settings;
        WindowCommands& window;
        TreeFilter& filter;  // ended before a node is shown: it would hide it
    };
    // Rows beyond the quick list's: more would not help anyone choose.
    static constexpr int MaxNodeRows = 50;

    QuickFind(const Platform& platform, const Parts& parts);

    // Shows the pop-up with the text already typed (empty for the quick
    // list), taking the focus with the caller's activation token.
    void Popup(const QString& typed, const QString& activationToken);

    // QuickFindEvents
    void QuickFind_Change(const QString& typed) override;
    void QuickFind_Choose(int row) override;
    void QuickFind_ShowInWindow(int row) override;
    void QuickFind_Dismiss() override;

private:
    struct Row {
        QString caption;
        QString path;
        TreeNode* node = nullptr;  // null for a quick-list entry
    };
    void fill(const QString& typed);
    void fillQuickList();
    void fillMatches(const QString& typed);
    void close();
    const Row* rowAt(int row) const;
    // The node the row shows, if it is still in the tree as shown; for a
    // quick-list entry the first node it was made from.
    TreeNode* nodeOf(const Row& row);

    Platform platform_;
    Parts parts_;
    std::vector<Row> rows_;
    std::optional<StillInTree> stillInTree_;  // since the rows were made
};
