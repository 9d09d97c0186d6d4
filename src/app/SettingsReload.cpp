#include "SettingsReload.h"

#include "SettingsWatch.h"

#include "icons/ItemIcons.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsSink.h"
#include "tray/QuickList.h"
#include "tray/Tray.h"
#include "tree/EnsureVisible.h"

#include <algorithm>
#include <vector>

namespace {
// A node found by its labels from the top level down, each step the label
// and how many siblings before it share that label.
struct LabelStep {
    QString text;
    int sameBefore = 0;
};
using LabelPath = std::vector<LabelStep>;

TreeNode* firstChild(const NodeTree& tree, const TreeNode* parent) {
    return parent ? parent->Child() : tree.First();
}

LabelPath labelPathOf(const NodeTree& tree, const TreeNode* node) {
    LabelPath path;
    for (; node; node = node->Parent()) {
        LabelStep step{node->Text()};
        for (const TreeNode* s = firstChild(tree, node->Parent()); s != node; s = s->Next())
            step.sameBefore += s->Text() == step.text ? 1 : 0;
        path.push_back(std::move(step));
    }
    std::reverse(path.begin(), path.end());
    return path;
}

TreeNode* nodeAt(const NodeTree& tree, const LabelPath& path) {
    TreeNode* node = nullptr;
    for (const LabelStep& step : path) {
        int same = step.sameBefore;
        TreeNode* found = nullptr;
        for (TreeNode* s = firstChild(tree, node); s && !found; s = s->Next())
            if (s->Text() == step.text && same-- == 0)
                found = s;
        if (!found)
            return nullptr;
        node = found;
    }
    return node;
}

// Takes the tree's side of the file; the window, the browser and the
// options stay this machine's.
class TreeSideSink : public SettingsSink {
public:
    TreeSideSink(QuickList& quickList, ItemIcons& icons, QStringList* ownSection)
        : quickList_(quickList), icons_(icons), ownSection_(ownSection) {}
    TreeNode* fileSelection = nullptr;

    void applyWinTop(std::int32_t) override {}
    void applyWinLeft(std::int32_t) override {}
    void applyWinHeight(std::int32_t) override {}
    void applyWinWidth(std::int32_t) override {}
    void applyWinState(int) override {}
    void applyAutoHide(bool) override {}
    void applyFullPath(bool) override {}
    bool applyDrive(const QString&) override { return true; }
    bool applyDirPath(const QString&) override { return true; }
    void applyDirSel(int) override {}
    void applyDirVis(bool) override {}
    bool appendQuickEntry(const QString& caption, const QString& path) override {
        return quickList_.Add(caption, path);
    }
    void selectLoadedNode(TreeNode* node) override { fileSelection = node; }
    void itemIconWanted(TreeNode* node) override { icons_.RequestIcon(node); }
    void keepOwnLine(const QString& line) override {
        if (ownSection_)
            ownSection_->append(line);
    }

private:
    QuickList& quickList_;
    ItemIcons& icons_;
    QStringList* ownSection_;
};
}  // namespace

TreeNode* ReadTreeAndQuickList(QByteArrayView bytes, NodeTree& tree, QuickList& quickList,
                               ItemIcons& icons, QStringList* ownSection) {
    TreeBusyScope busy(tree);
    BulkTreeChange bulk(tree);
    while (TreeNode* node = tree.First())
        tree.Remove(node);
    quickList.Clear();
    if (ownSection)
        ownSection->clear();
    TreeSideSink side(quickList, icons, ownSection);
    ReadSettingsText(bytes, side, tree);
    return side.fileSelection;
}

void SettingsReload::ReplaceTreeAndQuickList(QByteArrayView bytes, QStringList& ownSection) {
    NodeTree& tree = parts_.tree;
    const LabelPath selected =
        tree.SelectedItem() ? labelPathOf(tree, tree.SelectedItem()) : LabelPath();
    TreeNode* const fileSelection =
        ReadTreeAndQuickList(bytes, tree, parts_.tray.Quick(), parts_.icons, &ownSection);
    TreeNode* keep = selected.empty() ? nullptr : nodeAt(tree, selected);
    if (!keep)
        keep = fileSelection;
    tree.SetSelectedItem(keep);
    if (keep)
        EnsureVisible(keep, parts_.treeView);
    // The steps were made in a tree that is no longer there: undoing one
    // would take back what another machine did, at places that no longer
    // mean what they meant.
    parts_.history.Clear();
}

QByteArray SettingsReload::TreeSide(const QStringList& ownSection) const {
    return TreeSideOf(parts_.tree, parts_.tray.Quick().Entries(), ownSection);
}

QByteArray TreeSideOf(const NodeTree& tree, const QuickEntries& quickList,
                      const QStringList& ownSection) {
    FileContent hash;
    // Each text as UTF-8 after its length, so that no two trees hash alike
    // by where one text ends and the next begins. Most nodes keep theirs so.
    const auto addBytes = [&hash](QByteArrayView bytes) {
        const qint64 size = bytes.size();
        hash.add(QByteArrayView(reinterpret_cast<const char*>(&size), sizeof size));
        hash.add(bytes);
    };
    const auto add = [&addBytes](const std::optional<QByteArrayView>& utf8, const QString& text) {
        addBytes(utf8 ? *utf8 : QByteArrayView(text.toUtf8()));
    };
    // In document order, each node's children counted: the shape follows.
    for (const TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node)) {
        const std::optional<QByteArrayView> text = node->TextUtf8();
        add(text, text ? QString() : node->Text());
        const std::optional<QByteArrayView> tag = node->TagUtf8();
        add(tag, tag ? QString() : node->Tag());
        const qint64 shape =
            qint64(node->Children()) * 4 + (node->Expanded() ? 2 : 0) + (node->Selected() ? 1 : 0);
        hash.add(QByteArrayView(reinterpret_cast<const char*>(&shape), sizeof shape));
    }
    addBytes("[QuickList]");
    for (const QuickEntry& entry : quickList) {
        add(std::nullopt, entry.caption);
        add(std::nullopt, entry.path);
    }
    for (const QString& line : ownSection)
        add(std::nullopt, line);
    return hash.result();
}
