#include "BookmarkPlan.h"

#include "BookmarkTexts.h"
#include "files/KeptPaths.h"
#include "model/NodeTree.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {
// Paths compare as the same folder whatever separators they repeat or end in.
QString comparable(const QString& path) {
    return QDir::cleanPath(path);
}

// The folder's own name; the root keeps "/".
QString lastName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return path.size() > 1 ? path.mid(slash + 1) : path;
}

// Appends the file's bookmarks; false, with the plan's failure set, for a
// file that is there but cannot be read. A file that is not there has none.
bool readSource(const QString& file, bool xbel, std::vector<Bookmark>& into, ImportPlan& plan) {
    if (file.isEmpty() || !QFile::exists(file))
        return true;
    plan.found = true;
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly)) {
        plan.failure = BookmarkTexts::unreadable(file, source.errorString());
        return false;
    }
    const QByteArray text = source.readAll();
    if (!xbel) {
        const std::vector<Bookmark> read = ReadGtkBookmarks(text);
        into.insert(into.end(), read.begin(), read.end());
        return true;
    }
    QString error;
    const std::optional<std::vector<Bookmark>> read = ReadXbel(text, &error);
    if (!read) {
        plan.failure = BookmarkTexts::unreadable(file, error);
        return false;
    }
    into.insert(into.end(), read->begin(), read->end());
    return true;
}
}  // namespace

ImportPlan PlanImport(const BookmarkSources& sources, const NodeTree& tree) {
    ImportPlan plan;
    std::vector<Bookmark> bookmarks;
    if (!readSource(sources.gtk, false, bookmarks, plan) ||
        !readSource(sources.kde, true, bookmarks, plan))
        return plan;
    QSet<QString> inTree, taken;
    for (const TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node)) {
        if (const QString tag = node->Tag(); !tag.isEmpty())
            inTree.insert(comparable(tag));
    }
    for (const Bookmark& bookmark : bookmarks) {
        if (bookmark.address.isEmpty())
            continue;  // a bookmark of nothing, as an item without a path writes it
        const std::optional<QString> path = LocalPathOf(bookmark.address);
        if (!path) {
            if (!bookmark.systemPlace)
                ++plan.notLocal;
            continue;
        }
        if (FaultOf(*path) != PathFault::None) {
            ++plan.notKept;
            continue;
        }
        const QString key = comparable(*path);
        if (inTree.contains(key)) {
            ++plan.alreadyThere;
            continue;
        }
        if (taken.contains(key))
            continue;  // in both files, or twice in one
        taken.insert(key);
        plan.items.push_back({bookmark.title.isEmpty() ? lastName(*path) : bookmark.title, *path});
    }
    return plan;
}

QString ImportReport(const ImportPlan& plan, const BookmarkSources& sources) {
    if (!plan.failure.isEmpty())
        return plan.failure;
    if (!plan.found)
        return BookmarkTexts::noneFound(sources.gtk, sources.kde);
    QStringList lines{plan.items.empty() ? BookmarkTexts::nothingNew()
                                         : BookmarkTexts::imported(qsizetype(plan.items.size()))};
    if (plan.alreadyThere > 0)
        lines << BookmarkTexts::alreadyThere(plan.alreadyThere);
    if (plan.notLocal > 0)
        lines << BookmarkTexts::notLocal(plan.notLocal);
    if (plan.notKept > 0)
        lines << BookmarkTexts::notKept(plan.notKept);
    return lines.join(QLatin1Char('\n'));
}
