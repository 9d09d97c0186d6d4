#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

class MessageBoxes;
class Timer;
class TimerFactory;

// Dated copies of the settings file in a folder "backups" beside it, named
// after it. Varnel-2026-01-05.INI holds the file as it was before the first
// save of that day that changed it; Varnel-2026-01-05-153000-before-restore
// .INI (one name) holds it as it was just before a restore replaced what it
// held. The seven newest of the one kind and the three newest of the other
// are kept. Nothing else in the folder is ever touched.
class SettingsBackups {
public:
    static constexpr int DaysKept = 7;
    static constexpr int RestoresKept = 3;

    struct Backup {
        QString path;
        // A day's backup holds the file as the day's first change found it:
        // it counts from the start of its day.
        QDateTime when;
        bool beforeRestore = false;
        int nodes = -1;  // its "Node=" lines; -1 when it cannot be read
    };

    SettingsBackups(const QString& settingsPath, TimerFactory& timers, MessageBoxes& messages);
    ~SettingsBackups();
    SettingsBackups(const SettingsBackups&) = delete;
    SettingsBackups& operator=(const SettingsBackups&) = delete;

    // The settings file, one of ours, is about to be replaced by content.
    // Before the first change of the day, it is copied as the day's backup.
    // A copy that cannot be made is logged and, once per run, told once the
    // save is done; the save goes on regardless. While the session ends
    // nobody is there to read a box: the log says it then.
    void BeforeReplacing(const QByteArray& content, bool sessionEnding);
    // Copies the settings file as it is now under a name of its own, before
    // a restore replaces what it holds; nothing to copy when there is no
    // file. False, with the reason, when the copy could not be made.
    bool KeepBeforeRestore(QString* error);

    // Every backup, newest first.
    std::vector<Backup> List() const;
    bool Any() const;
    QString Folder() const { return folder_; }

private:
    struct Name;
    std::vector<Name> names() const;
    QString dayName(const QDate& day) const;
    QString restoreName(const QDateTime& when, int attempt) const;
    bool copyTo(const QString& target, const QByteArray* unlessEqual, QString* error) const;
    void prune(bool beforeRestore) const;
    void tellOfFailure();

    QString path_;
    QString folder_;
    QString base_;    // the settings file's name without its suffix
    QString suffix_;  // ".INI", or empty
    TimerFactory& timers_;
    MessageBoxes& messages_;
    std::unique_ptr<Timer> tellTimer_;  // tells of a failed copy once the save is done
    QString failure_;                   // what the box will tell
    bool told_ = false;
};

// How many "Node=" lines a settings file holds, read a piece at a time; -1
// when it cannot be read.
int CountNodeLines(const QString& path);
