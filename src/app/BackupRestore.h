#pragma once

#include "platform/Platform.h"
#include "tray/BackupCommands.h"

#include <QByteArray>
#include <optional>

class ItemIcons;
class NodeTree;
class SettingsStore;
class Tray;
class TreeHistory;

// "Restore…": the user picks one of the settings file's backups, and its
// tree and quick list take the place of the ones there are, while the
// window, the browser and the options stay as they are. What is replaced is
// first saved and kept under a name of its own.
class BackupRestore : public BackupCommands {
public:
    struct Parts {
        NodeTree& tree;
        Tray& tray;  // its quick list
        ItemIcons& icons;
        SettingsStore& settings;
        TreeHistory& history;  // a restore is one step the user can take back
    };

    BackupRestore(const Platform& platform, const Parts& parts);

    bool HasBackups() const override;
    void tiRestore_Click() override;

    // Replaces the tree and the quick list with those of a settings file's
    // text, read as the file is read, and schedules a save: the one change
    // a restore makes. The text was read whole and checked before, so
    // nothing can fail halfway.
    void RestoreFrom(const QByteArray& settingsText);

private:
    Platform platform_;
    Parts parts_;
};

// A backup's text, read whole, when it is one a restore can use: it can be
// read, holds something a settings file holds, and nothing that none holds
// (a file cut short is the only damage it may hide). Otherwise empty, with
// the reason.
std::optional<QByteArray> ReadBackupText(const QString& path, QString* error);
