#include "BrowserCopy.h"

#include "BrowserSelection.h"
#include "EnsureVisible.h"
#include "HistoryTexts.h"
#include "MenuOptions.h"
#include "PathDisplay.h"
#include "files/KeptPaths.h"
#include "files/LongPath.h"
#include "files/PathChecks.h"
#include "icons/ItemIcons.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "platform/PathLabelPort.h"

#include <memory>

namespace {
const QChar Separator = QLatin1Char('/');

// The name a single copied node is labelled with: the text after the last
// separator, looked for from the next-to-last character on, so that the
// root "/" keeps its label "/".
QString LastComponent(const QString& path) {
    const qsizetype at = path.size() >= 2 ? path.lastIndexOf(Separator, path.size() - 2) : -1;
    return at >= 0 ? path.mid(at + 1) : path;
}

// The chain's components: the root "/" first, then the names between the
// separators exactly, blanks and all: a name may begin or end with one.
QStringList ChainComponents(const QString& path) {
    QStringList components;
    if (path.startsWith(Separator))
        components << QString(Separator);
    components << path.split(Separator, Qt::SkipEmptyParts);
    return components;
}

// The path of the first count components, as the file system spells it.
QString JoinComponents(const QStringList& components, qsizetype count) {
    QString path;
    for (qsizetype i = 0; i < count; ++i) {
        if (!path.isEmpty() && !path.endsWith(Separator))
            path += Separator;
        path += components[i];
    }
    return path;
}

TreeNode* FindLabelIgnoringCase(TreeNode* first, const QString& label) {
    for (TreeNode* node = first; node; node = node->Next()) {
        if (node->Text().compare(label, Qt::CaseInsensitive) == 0)
            return node;
    }
    return nullptr;
}
}  // namespace

BrowserCopy::BrowserCopy(const Platform& platform, NodeTree& tree, TreeHistory& history,
                         const BrowserSelection& browser, const MenuOptions& options,
                         ItemIcons& icons, PathChecks& checks)
    : platform_(platform),
      tree_(tree),
      history_(history),
      browser_(browser),
      options_(options),
      icons_(icons),
      checks_(checks) {}

void BrowserCopy::AddBrowserPath(std::optional<Relationship> relationship) {
    // The entry dragged is the one its list has highlighted. The path label
    // showed it when it was highlighted, but may show a node's path since.
    const bool directory = browser_.DirListShowing();
    const Source source{
        directory ? browser_.HighlightedDirectory() : browser_.HighlightedFilePath(), directory};
    if (source.path.isEmpty())
        return;
    if (PathRefusals refusals; !refusals.Keeps(source.path)) {
        refusals.Tell(platform_.messages);
        return;
    }
    // How the file system spells the path is asked in the background: the
    // share may have stopped answering since it was listed. Unanswered, the
    // path stays as the browser named it.
    auto longPath = std::make_shared<QString>(source.path);
    TreeNode* target = tree_.DropHighlight();
    checks_.AskOne(
        source.path, [longPath] { *longPath = LongPath(*longPath); },
        [this, source, relationship, target, longPath](bool answered) {
            const QString path = answered ? *longPath : source.path;
            // The tree changed while the answer came, and the target went.
            if (relationship && !(target && tree_.Holds(target)))
                return;
            // One step of the history, also when the answer comes after the
            // drop that asked has ended its own: a change made outside any
            // step would make the history forget every step before it.
            TreeHistory::Step step(history_, HistoryTexts::copy());
            TreeNode* node = options_.FullPath() ? addFullPathChain(path)
                                                 : addOneNode(path, relationship, target);
            if (node)
                finish(node, source, path);
        });
}

TreeNode* BrowserCopy::addOneNode(const QString& longPath, std::optional<Relationship> relationship,
                                  TreeNode* target) {
    const QString label = LastComponent(longPath);
    if (!relationship) {
        TreeNode* const endOfTopLevel = nullptr;
        return tree_.Add(endOfTopLevel, tvwLast, QString(), label, ImageKeys::closed());
    }
    return target ? tree_.Add(target, *relationship, QString(), label, ImageKeys::closed())
                  : nullptr;
}

// Reuses the nodes that already spell the path from the top level, letter
// case aside, and adds the rest. Returns the node made for the last
// component, or null when the whole path was there: its node is then
// shown and selected, and nothing is added.
TreeNode* BrowserCopy::addFullPathChain(const QString& longPath) {
    const QStringList components = ChainComponents(longPath);
    TreeNode* previous = nullptr;
    qsizetype matched = 0;
    for (TreeNode* level = tree_.First(); level && matched < components.size();) {
        TreeNode* found = FindLabelIgnoringCase(level, components[matched]);
        if (!found)
            break;
        previous = found;
        ++matched;
        level = found->Child();
    }
    if (matched == components.size()) {
        EnsureVisible(previous, platform_.treeView);
        tree_.SetDropHighlight(previous);
        tree_.SetSelectedItem(previous);
        return nullptr;
    }
    for (qsizetype i = matched; i < components.size(); ++i) {
        // Under the previous node, or at the end of the top level.
        TreeNode* node = tree_.Add(previous, previous ? tvwChild : tvwLast, QString(),
                                   components[i], ImageKeys::closed());
        if (i + 1 == components.size())
            return node;
        // The folder's path is the path's own beginning: a reused node may
        // spell a name in other letter cases, which name another directory
        // here.
        node->SetTag(JoinComponents(components, i + 1));
        EnsureVisible(node, platform_.treeView);
        node->SetExpandedImage(ImageKeys::open());
        previous = node;
    }
    return nullptr;  // not reached: the last component returns above
}

void BrowserCopy::finish(TreeNode* node, const Source& source, const QString& longPath) {
    if (TreeNode* parent = node->Parent())
        parent->SetExpandedImage(ImageKeys::open());
    EnsureVisible(node, platform_.treeView);
    tree_.SetDropHighlight(node);
    tree_.SetSelectedItem(node);
    if (source.directory) {
        // A folder without an expanded picture until the settings are next
        // read.
        node->SetTag(source.path);
    } else {
        node->SetImage(ItemIcons::NewItemImage());
        node->SetTag(longPath);
        icons_.RequestIcon(node);
    }
    ShowPathOf(platform_.pathLabel, node);
}
