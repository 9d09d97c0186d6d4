#include "BookmarkExport.h"

#include "BookmarkTexts.h"
#include "XbelWriter.h"
#include "model/NodeTree.h"
#include "platform/ChooserBox.h"
#include "platform/MessageBoxes.h"

#include <QDir>
#include <QLoggingCategory>
#include <QSaveFile>

Q_LOGGING_CATEGORY(lcExport, "varnel.export")

namespace {
// Writes the whole document or leaves what was there; the reason when not.
QString writeWhole(const QString& file, const QByteArray& content) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    if (out.write(content) != content.size()) {
        const QString error = out.errorString();
        out.cancelWriting();
        return error;
    }
    if (!out.commit())
        return out.errorString();
    return QString();
}
}  // namespace

BookmarkExport::BookmarkExport(const Platform& platform, const NodeTree& tree,
                               const QString& homeFolder)
    : platform_(platform), tree_(tree), homeFolder_(homeFolder) {}

void BookmarkExport::tvExport_Click(const TreeNode* pressed) {
    const TreeNode* folder = pressed && pressed->IsFolder() ? pressed : nullptr;
    const SaveFileRequest request{folder ? BookmarkTexts::exportFolderTitle(folder->Text())
                                         : BookmarkTexts::exportTreeTitle(),
                                  QDir(homeFolder_).filePath(BookmarkTexts::exportFileName()),
                                  BookmarkTexts::exportFilter()};
    const std::optional<QString> file = platform_.chooser.chooseSaveFile(request);
    // The tree may have changed while the box was open, the folder gone with it.
    if (!file || (folder && !tree_.Holds(folder)))
        return;
    const QString error = writeWhole(*file, WriteXbel(tree_, folder));
    if (error.isEmpty())
        return;
    qCWarning(lcExport) << "cannot write" << *file << ":" << error;
    platform_.messages.show(BookmarkTexts::cannotExport(*file, error), BookmarkTexts::title(),
                            MsgButtons::Ok, MsgIcon::Exclamation);
}
