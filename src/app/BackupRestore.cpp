#include "BackupRestore.h"

#include "BackupTexts.h"
#include "SettingsBackups.h"
#include "SettingsReload.h"
#include "SettingsStore.h"
#include "Texts.h"
#include "icons/ItemIcons.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "platform/ChooserBox.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"
#include "platform/TreeViewPort.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsSink.h"
#include "tray/Tray.h"
#include "tree/EnsureVisible.h"
#include "tree/HistoryTexts.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcRestore, "varnel.settings")

namespace {
// Counts the lines that a settings file holds, applying none.
class LineCount : public SettingsSink {
public:
    void applyWinTop(std::int32_t) override { ++lines; }
    void applyWinLeft(std::int32_t) override { ++lines; }
    void applyWinHeight(std::int32_t) override { ++lines; }
    void applyWinWidth(std::int32_t) override { ++lines; }
    void applyWinState(int) override { ++lines; }
    void applyAutoHide(bool) override { ++lines; }
    void applyFullPath(bool) override { ++lines; }
    bool applyDrive(const QString&) override { return counted(); }
    bool applyDirPath(const QString&) override { return counted(); }
    void applyDirSel(int) override { ++lines; }
    void applyDirVis(bool) override { ++lines; }
    bool appendQuickEntry(const QString&, const QString&) override { return counted(); }
    void selectLoadedNode(TreeNode*) override {}
    void itemIconWanted(TreeNode*) override {}
    void keepOwnLine(const QString&) override { ++lines; }
    int lines = 0;

private:
    bool counted() {
        ++lines;
        return true;
    }
};
}  // namespace

std::optional<QByteArray> ReadBackupText(const QString& path, QString* error) {
    QByteArray text;
    QString why;
    switch (ReadSettingsFile(path, &text, &why)) {
    case ReadOutcome::Missing:
        why = QStringLiteral("it is gone");
        break;
    case ReadOutcome::Unreadable:
        break;
    case ReadOutcome::Read: {
        // Read aside first: what the reader cannot make sense of is known
        // before anything is replaced.
        NodeTree aside;
        LineCount count;
        const int foreign = ReadSettingsText(text, count, aside);
        if (foreign > 0)
            why = QStringLiteral("it holds %1 lines no settings file holds").arg(foreign);
        else if (count.lines + aside.Count() == 0)
            why = QStringLiteral("it holds no settings");
        else
            return text;
        break;
    }
    }
    if (error)
        *error = why;
    return std::nullopt;
}

BackupRestore::BackupRestore(const Platform& platform, const Parts& parts)
    : platform_(platform), parts_(parts) {}

bool BackupRestore::HasBackups() const {
    return parts_.settings.Backups().Any();
}

namespace {
QString lineOf(const SettingsBackups::Backup& backup) {
    QString when = backup.when.date().toString(QStringLiteral("yyyy-MM-dd"));
    if (backup.beforeRestore)
        when += backup.when.time().toString(QStringLiteral(" HH:mm:ss, ")) +
                BackupTexts::beforeRestore();
    const QString content =
        backup.nodes < 0 ? BackupTexts::unreadableLine() : BackupTexts::nodes(backup.nodes);
    return when + QStringLiteral(" \u2014 ") + content;
}
}  // namespace

void BackupRestore::tiRestore_Click() {
    SettingsStore& settings = parts_.settings;
    MessageBoxes& messages = platform_.messages;
    const std::vector<SettingsBackups::Backup> backups = settings.Backups().List();
    if (backups.empty()) {
        messages.show(BackupTexts::noBackups(), Texts::programTitle(), MsgButtons::Ok,
                      MsgIcon::None);
        return;
    }
    ChooserRequest request{BackupTexts::chooserTitle(),
                           BackupTexts::chooserPrompt(),
                           {},
                           BackupTexts::restoreButton()};
    for (const SettingsBackups::Backup& backup : backups)
        request.lines << lineOf(backup);
    const std::optional<int> row = platform_.chooser.choose(request);
    if (!row || *row < 0 || std::size_t(*row) >= backups.size())
        return;
    const QString& path = backups[std::size_t(*row)].path;

    QString error;
    const std::optional<QByteArray> text = ReadBackupText(path, &error);
    if (!text) {
        qCWarning(lcRestore) << "cannot restore" << path << ":" << error;
        messages.show(BackupTexts::cannotRestore(path, error), Texts::programTitle(),
                      MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    // What is replaced goes into the file first, changes of the last
    // minute too, and the file is kept: nothing is lost that the restore
    // replaces. A file that could not be read is moved aside by that save,
    // and saves write from now on, as once the window has shown: the
    // restored tree takes the place of the file's.
    settings.WindowShown();
    settings.ScheduleSave();
    settings.SaveSettings();
    if (settings.SettingsDirty()) {
        messages.show(BackupTexts::notSavedFirst(), Texts::programTitle(), MsgButtons::Ok,
                      MsgIcon::Exclamation);
        return;
    }
    if (!settings.Backups().KeepBeforeRestore(&error)) {
        messages.show(BackupTexts::cannotKeepCurrent(settings.Backups().Folder(), error),
                      Texts::programTitle(), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    RestoreFrom(*text);
}

void BackupRestore::RestoreFrom(const QByteArray& settingsText) {
    NodeTree& tree = parts_.tree;
    platform_.window.setMousePointer(PointerBusy);
    {
        TreeHistory::Step step(parts_.history, HistoryTexts::restore());
        TreeNode* const selected =
            ReadTreeAndQuickList(settingsText, tree, parts_.tray.Quick(), parts_.icons, nullptr);
        tree.SetSelectedItem(selected);
        if (selected)
            EnsureVisible(selected, platform_.treeView);
    }
    platform_.window.setMousePointer(PointerDefault);
    // A reading leaves the settings clean; this one is a change the file
    // has yet to take.
    parts_.settings.ScheduleSave();
}
