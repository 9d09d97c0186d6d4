#pragma once

// What the tray menu's "Restore…" asks of the settings' backups.
class BackupCommands {
public:
    virtual ~BackupCommands() = default;
    // Whether there is a backup to go back to: the entry is greyed without.
    virtual bool HasBackups() const = 0;
    // Lets the user choose a backup and goes back to its tree and quick list.
    virtual void tiRestore_Click() = 0;
};
