#pragma once

#include "AppPaths.h"
#include "SettingsBackups.h"
#include "SettingsReload.h"
#include "SettingsWatch.h"
#include "UnreadSettingsGuard.h"
#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "settings/SettingsSchedule.h"

#include <QStringList>
#include <memory>
#include <optional>

class BrowserPanel;
class ItemIcons;
class MenuOptions;
class NodeTree;
class RecoveryFile;
class Timer;
class Tray;
class TreeHistory;

// The settings file and the state kept for it: read once per run when first
// needed, written whole a minute after the last change or at once when the
// window closes or the program ends.
class SettingsStore : public SettingsSchedule {
public:
    // What the file holds besides the window.
    struct Parts {
        NodeTree& tree;
        BrowserPanel& browser;
        Tray& tray;  // its quick list, and whether there is a tray at all
        MenuOptions& options;
        ItemIcons& icons;
        TreeHistory& history;  // forgotten when another writer's tree is read in
    };

    // recovery takes what cannot be written when the session ends.
    SettingsStore(const Platform& platform, const AppPaths& paths, const Parts& parts,
                  const RecoveryFile& recovery);
    ~SettingsStore() override;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    void ScheduleSave() override;
    bool SettingsPending() const override { return pending_; }
    void LoadSettings() override;
    void SaveSettings();
    void SaveSetTimer_Timer();
    // The window has been shown: from now on saves write, also when there was
    // no file to read or the reading was cancelled.
    void WindowShown() { pending_ = false; }
    bool SettingsDirty() const { return dirty_; }
    // The session is ending (log-off, a signal): the last save asks nothing
    // (what it cannot write goes to a recovery file), and no timer fires
    // after it.
    void SessionEnding() { sessionEnding_ = true; }
    // A save is under way, maybe waiting on the box that asks to retry.
    bool Saving() const { return saving_; }
    void StopTimer();
    // The dated copies of the file, made as it is replaced.
    SettingsBackups& Backups() { return backups_; }

    // SavedTop, SavedLeft, SavedHeight, SavedWidth: the window's last normal
    // rectangle, which the file keeps whatever state the window is in.
    // Where the window system keeps the window's place from it, the place
    // stays as it was read: a Wayland session must not move the window to
    // the corner of every later X11 session.
    const TwipsRect& SavedRect() const { return saved_; }
    void SetSavedRect(const TwipsRect& rect) { saved_ = rect; }
    // The window's rectangle as it is now, in the normal state.
    void RememberWindowRect(const TwipsRect& rect);
    // A setting of our own "[Varnel]" section, as read or set since; none
    // when the file has no line of it. Setting one asks for a save.
    std::optional<QString> OwnSetting(QLatin1String key) const;
    void SetOwnSetting(QLatin1String key, const QString& value);
    // The file on disk against what was read or written there.
    SettingsWatch& Watch() { return watch_; }

private:
    class Applier;
    TwipsRect windowRect() const;  // the window's, its place unknown kept as saved
    QString pathToRead() const;
    QByteArray settingsText() const;
    bool writeFile();
    bool readTheirs(const QByteArray& bytes);
    void keepForRecovery(const QByteArray& content) const;

    Platform platform_;
    AppPaths paths_;
    Parts parts_;
    UnreadSettingsGuard unread_;
    const RecoveryFile& recovery_;
    SettingsBackups backups_;
    std::unique_ptr<Timer> saveSetTimer_;  // SaveSetTimer
    bool pending_ = true;                  // SettingsPending
    bool dirty_ = false;                   // SettingsDirty
    bool sessionEnding_ = false;
    bool loading_ = false;
    bool saving_ = false;
    TwipsRect saved_;
    QStringList ownSection_;  // the "[Varnel]" lines read, written back as they were
    QString volume_;          // where the file was read or first written: its mount point
    SettingsReload reload_;
    SettingsWatch watch_;
};
