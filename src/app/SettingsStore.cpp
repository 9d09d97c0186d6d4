#include "SettingsStore.h"

#include "RecoveryFile.h"
#include "Texts.h"
#include "browser/BrowserPanel.h"
#include "icons/ItemIcons.h"
#include "model/NodeTree.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"
#include "settings/OwnSettings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsSink.h"
#include "settings/SettingsWriter.h"
#include "settings/WholeSettingsFile.h"
#include "tray/Tray.h"
#include "tree/EnsureVisible.h"
#include "tree/MenuOptions.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QScopedValueRollback>

Q_LOGGING_CATEGORY(lcSettings, "varnel.settings")

namespace {
constexpr int SaveDelay = 60000;  // one minute after the last change

bool occupied(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
}  // namespace

// Applies what the reader finds to the window, the browser, the options and
// the quick list.
class SettingsStore::Applier : public SettingsSink {
public:
    explicit Applier(SettingsStore& store) : s_(store), parts_(store.parts_) {
        parts_.browser.BeginRestore();
    }
    ~Applier() override { parts_.browser.EndRestore(); }
    Applier(const Applier&) = delete;
    Applier& operator=(const Applier&) = delete;

    void applyWinTop(std::int32_t twips) override { apply(&TwipsRect::top, twips); }
    void applyWinLeft(std::int32_t twips) override { apply(&TwipsRect::left, twips); }
    void applyWinHeight(std::int32_t twips) override { apply(&TwipsRect::height, twips); }
    void applyWinWidth(std::int32_t twips) override { apply(&TwipsRect::width, twips); }
    void applyWinState(int state) override { s_.platform_.window.setWindowState(state); }
    void applyAutoHide(bool checked) override { parts_.options.SetAutoHide(checked); }
    void applyFullPath(bool checked) override { parts_.options.SetFullPath(checked); }
    // Whether a drive or a directory can be opened is known only once it
    // has been read, in the background: the browser skips what depends on a
    // failed one itself, so the reader is told of no failure.
    bool applyDrive(const QString& drive) override {
        parts_.browser.RestoreDrive(drive);
        return true;
    }
    bool applyDirPath(const QString& path) override {
        parts_.browser.RestoreDirPath(path);
        return true;
    }
    void applyDirSel(int index) override { parts_.browser.RestoreDirSel(index); }
    void applyDirVis(bool visible) override { parts_.browser.RestoreDirVis(visible); }
    bool appendQuickEntry(const QString& caption, const QString& path) override {
        return parts_.tray.Quick().Add(caption, path);
    }
    void selectLoadedNode(TreeNode* node) override {
        parts_.tree.SetSelectedItem(node);
        EnsureVisible(node, s_.platform_.treeView);
    }
    void itemIconWanted(TreeNode* node) override { parts_.icons.RequestIcon(node); }
    void keepOwnLine(const QString& line) override { s_.ownSection_.append(line); }

private:
    // Each edge becomes the remembered one and applies to the window at once.
    void apply(std::int32_t TwipsRect::*edge, std::int32_t twips) {
        s_.saved_.*edge = twips;
        TwipsRect rect = s_.platform_.window.geometry();
        rect.*edge = twips;
        s_.platform_.window.setGeometry(rect);
    }
    SettingsStore& s_;
    Parts& parts_;
};

SettingsStore::SettingsStore(const Platform& platform, const AppPaths& paths, const Parts& parts,
                             const RecoveryFile& recovery)
    : platform_(platform),
      paths_(paths),
      parts_(parts),
      unread_(paths.settingsPath, platform.messages),
      recovery_(recovery),
      backups_(paths.settingsPath, platform.timers, platform.messages),
      saveSetTimer_(platform.timers.createTimer([this] { SaveSetTimer_Timer(); })),
      reload_({parts.tree, parts.tray, parts.icons, platform.treeView, parts.history}),
      watch_(platform, paths.settingsPath,
             {[this] { return pending_ || loading_; }, [this] { return dirty_; },
              [this] { return reload_.TreeSide(ownSection_); },
              [this](const QByteArray& bytes) { return readTheirs(bytes); }}) {
    saveSetTimer_->setInterval(SaveDelay);
}

SettingsStore::~SettingsStore() = default;

TwipsRect SettingsStore::windowRect() const {
    TwipsRect rect = platform_.window.geometry();
    if (!platform_.window.knowsPosition()) {
        rect.top = saved_.top;
        rect.left = saved_.left;
    }
    return rect;
}

void SettingsStore::RememberWindowRect(const TwipsRect& rect) {
    const TwipsRect place = saved_;
    saved_ = rect;
    if (!platform_.window.knowsPosition()) {
        saved_.top = place.top;
        saved_.left = place.left;
    }
}

std::optional<QString> SettingsStore::OwnSetting(QLatin1String key) const {
    return OwnValue(ownSection_, key);
}

void SettingsStore::SetOwnSetting(QLatin1String key, const QString& value) {
    SetOwnValue(ownSection_, key, value);
    ScheduleSave();
}

void SettingsStore::ScheduleSave() {
    saveSetTimer_->stop();
    dirty_ = true;
    saveSetTimer_->start();
}

void SettingsStore::SaveSetTimer_Timer() {
    saveSetTimer_->stop();
    SaveSettings();
}

void SettingsStore::StopTimer() {
    saveSetTimer_->stop();
}

// The file where it is written; before it exists there, the one beside a
// program that cannot keep it.
QString SettingsStore::pathToRead() const {
    if (occupied(paths_.settingsPath))
        return paths_.settingsPath;
    if (!paths_.programCopyPath.isEmpty() && occupied(paths_.programCopyPath))
        return paths_.programCopyPath;
    return QString();
}

void SettingsStore::LoadSettings() {
    // The box that asks to retry waits in a loop of its own, where the save
    // timer or a signal may ask for the reading again: the reading already
    // under way is the one that goes on.
    if (loading_)
        return;
    const QScopedValueRollback<bool> loading(loading_, true);
    parts_.tray.Quick().Clear();
    const QString path = pathToRead();
    if (path.isEmpty())
        return;
    SettingsFilePieces file;
    for (;;) {
        QString error;
        const ReadOutcome outcome = file.open(path, &error);
        if (outcome == ReadOutcome::Read)
            break;
        if (outcome == ReadOutcome::Missing)
            return;
        qCWarning(lcSettings) << "cannot read" << path << ":" << error;
        const MsgAnswer answer = platform_.messages.show(
            Texts::unableToLoad(), Texts::programTitle(), MsgButtons::RetryCancel, MsgIcon::Stop);
        if (answer != MsgAnswer::Retry) {
            if (path == paths_.settingsPath)
                unread_.Refuse();
            return;
        }
    }

    platform_.window.setMousePointer(PointerBusy);
    int foreign = 0;
    FileContent content;
    {
        TreeBusyScope busy(parts_.tree);
        BulkTreeChange bulk(parts_.tree);
        // What was read replaces the tree, whatever happened before.
        while (TreeNode* node = parts_.tree.First())
            parts_.tree.Remove(node);
        ownSection_.clear();
        Applier applier(*this);
        const auto next = [&file, &content] {
            const QByteArrayView piece = file.next();
            content.add(piece);
            return piece;
        };
        foreign = ReadSettingsPieces(next, applier, parts_.tree);
    }
    platform_.window.setMousePointer(PointerDefault);
    if (path == paths_.settingsPath) {
        volume_ = VolumeOf(path);
        watch_.Known(content.result());
    }
    // Lines no settings file holds mean another program's document (a link
    // to it, a file of garbage): what was ours in it is used, but the
    // document itself is kept aside rather than replaced. So is a file that
    // went bad since it was opened, read only in part.
    if (file.failed())
        qCWarning(lcSettings) << "cannot read" << path << "to its end:" << file.error();
    if ((foreign > 0 || file.failed()) && path == paths_.settingsPath) {
        if (foreign > 0)
            qCWarning(lcSettings) << path << "holds" << foreign << "lines no settings file holds";
        unread_.Refuse();
    } else {
        unread_.Accept();
    }
    dirty_ = false;
    pending_ = false;
}

void SettingsStore::SaveSettings() {
    saveSetTimer_->stop();
    if (pending_) {
        // Nothing read can be changed any more when the session ends, and
        // a box asking to retry the reading would hold the end up.
        if (!sessionEnding_)
            LoadSettings();
        return;
    }
    // The box that asks to retry waits in a loop of its own, where the end
    // of the session may ask for a save again: the save under way goes on.
    if (saving_)
        return;
    const QScopedValueRollback<bool> saving(saving_, true);
    MainWindowPort& window = platform_.window;
    const bool normal = window.windowState() == StateNormal;
    const TwipsRect rect = windowRect();
    if (normal && rect != saved_)
        dirty_ = true;
    if (!dirty_)
        return;
    if (!unread_.ClearForWriting(sessionEnding_)) {
        if (sessionEnding_) {
            if (normal)
                saved_ = rect;
            keepForRecovery(settingsText());
        }
        return;
    }

    window.setMousePointer(PointerBusy);
    if (normal)
        saved_ = rect;
    const bool written = writeFile();
    window.setMousePointer(PointerDefault);
    if (written)
        dirty_ = false;  // otherwise the next save tries again
}

QByteArray SettingsStore::settingsText() const {
    SettingsValues values;
    values.winTop = saved_.top;
    values.winLeft = saved_.left;
    values.winHeight = saved_.height;
    values.winWidth = saved_.width;
    values.winState = platform_.window.windowState();
    // Without a tray the close box minimises in place of hiding; that is
    // no state to come back to.
    if (!parts_.tray.Available() && values.winState == StateMinimized)
        values.winState = StateNormal;
    values.hide = parts_.options.AutoHide();
    values.fullPath = parts_.options.FullPath();
    const BrowserPanel::Place place = parts_.browser.SavedPlace();
    values.drive = place.drive;
    values.dirPath = place.dirPath;
    values.dirSel = place.dirSel;
    values.dirVis = place.dirVis;
    values.ownSection = ownSection_;
    return WriteSettingsText(values, parts_.tree, parts_.tray.Quick().Entries());
}

bool SettingsStore::writeFile() {
    const QByteArray content = settingsText();
    // Not there: the stick is out, or another writer's file cannot be kept.
    if (!watch_.ClearForWriting(sessionEnding_)) {
        if (sessionEnding_)
            keepForRecovery(content);
        return false;
    }
    backups_.BeforeReplacing(content, sessionEnding_);
    QString error;
    while (!WriteSettingsFile(paths_.settingsPath, content, &error, volume_)) {
        qCWarning(lcSettings) << "cannot write" << paths_.settingsPath << ":" << error;
        if (!sessionEnding_) {
            platform_.window.setMousePointer(PointerDefault);
            const MsgAnswer answer =
                platform_.messages.show(Texts::unableToSave(), Texts::programTitle(),
                                        MsgButtons::RetryCancel, MsgIcon::Stop);
            if (answer == MsgAnswer::Retry && !sessionEnding_) {
                platform_.window.setMousePointer(PointerBusy);
                continue;
            }
        }
        // Nobody is left to answer a box when the session ends (also when
        // it ended while the box asked), and the tree must not end with the
        // program.
        if (sessionEnding_)
            keepForRecovery(content);
        return false;
    }
    if (volume_.isEmpty())
        volume_ = VolumeOf(paths_.settingsPath);
    watch_.Known(FileContent::of(content));
    return true;
}

// Another writer's file, changed while nothing of ours waited to be saved.
// One that is empty, cut short or not a settings file is not read: the tree
// stays, and the next save keeps that file aside and writes the tree back.
bool SettingsStore::readTheirs(const QByteArray& bytes) {
    if (!IsWholeSettingsFile(bytes)) {
        qCWarning(lcSettings) << paths_.settingsPath << "changed into no whole settings file";
        unread_.Refuse();
        ScheduleSave();
        return false;
    }
    platform_.window.setMousePointer(PointerBusy);
    reload_.ReplaceTreeAndQuickList(bytes, ownSection_);
    platform_.window.setMousePointer(PointerDefault);
    unread_.Accept();
    return true;
}

void SettingsStore::keepForRecovery(const QByteArray& content) const {
    const QString kept = recovery_.Write(content);
    if (kept.isEmpty())
        qCCritical(lcSettings) << "the settings could be kept nowhere: they are lost";
    else
        qCWarning(lcSettings) << "kept the settings that could not be saved in" << kept;
}
