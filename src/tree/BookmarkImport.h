#pragma once

#include "BookmarkFiles.h"
#include "platform/Platform.h"

class ItemIcons;
class NodeTree;
class ReadOnlyTree;
class SettingsSchedule;
class TreeHistory;
struct ImportPlan;

// "Import Bookmarks…": the file manager's bookmarks become one folder
// "Bookmarks" at the end of the top level, in one step that Undo takes
// back. The bookmarked paths are not looked at here: one on a share that
// hangs must not hold the window; their icons are looked up as any new
// item's are, in the background.
class BookmarkImport {
public:
    struct Parts {
        NodeTree& tree;
        TreeHistory& history;
        SettingsSchedule& settings;
        ItemIcons& icons;
        const ReadOnlyTree& readOnly;  // filtered
    };
    BookmarkImport(const Platform& platform, const Parts& parts, const BookmarkSources& sources);

    // How many bookmarks an import would bring now; none as well when a
    // file could not be read.
    qsizetype Importable() const;
    void tvImportBookmarks_Click();

private:
    void add(const ImportPlan& plan);

    Platform platform_;
    Parts parts_;
    BookmarkSources sources_;
};
