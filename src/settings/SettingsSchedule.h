#pragma once

// The lazy saving of the settings as the rest of the program sees it: a
// change only asks for a save, and the one reading of the file per run
// happens when something first needs it.
class SettingsSchedule {
public:
    virtual ~SettingsSchedule() = default;
    // Marks the settings dirty and restarts the one-minute save timer.
    virtual void ScheduleSave() = 0;
    // Whether the file still waits to be read in this run.
    virtual bool SettingsPending() const = 0;
    virtual void LoadSettings() = 0;
};
