#pragma once

#include "DirectoryRequests.h"
#include "ProgramSteps.h"
#include "platform/BrowserListPorts.h"
#include "platform/Platform.h"
#include "tree/BrowserSelection.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class Opener;
class SettingsSchedule;
class Timer;

// The file-system browser on the left of the main window: the current drive
// (a mounted volume, named by its root path), the open directory with the
// chain above it and its subdirectories, the highlighted directory entry,
// the files of the open directory with the highlighted one, and which of
// the two lists shows. Directories are read in the background; whatever a
// change of the open directory raises runs when its listing has come.
class BrowserPanel : public DriveListEvents, public BrowserSelection {
public:
    struct Parts {
        SettingsSchedule& settings;
        Opener& opener;
    };
    // What the settings file keeps of the panel.
    struct Place {
        QString drive;
        QString dirPath;
        int dirSel = -1;
        bool dirVis = true;
    };

    // The panel opens on the start directory, as a directory list starts on
    // the current one, so it never has none. It is read when first needed.
    BrowserPanel(const Platform& platform, const Parts& parts, const QString& startDirectory);
    ~BrowserPanel() override;
    BrowserPanel(const BrowserPanel&) = delete;
    BrowserPanel& operator=(const BrowserPanel&) = delete;

    // The drive list's current drive.
    const QString& Drive() const { return drive_; }
    const QString& DirPath() const { return dirPath_; }
    int DirSel() const { return dirSel_; }
    bool DirVis() const { return dirVis_; }
    // The place to save: while the settings are being restored, the place
    // they name, so that a mount that does not answer loses nothing.
    Place SavedPlace() const;

    // Directory entries: -k..-1 the chain from the drive's root down to the
    // open directory, 0..n-1 its subdirectories.
    int ChainLength() const { return static_cast<int>(chain_.size()); }
    int SubdirectoryCount() const { return static_cast<int>(subdirectories_.size()); }
    // The highlighted directory's path for a node to keep, or none when it
    // cannot be kept as it is; the user is then told why.
    std::optional<QString> HighlightedDirectoryToKeep() const;
    int FileCount() const { return static_cast<int>(files_.size()); }
    int FileSel() const { return fileSel_; }

    // BrowserSelection
    bool DirListShowing() const override { return dirVis_; }
    QString HighlightedDirectory() const override;
    QString HighlightedFilePath() const override;

    // DriveListEvents
    void DriveList_Change(const QString& drive) override;
    void DriveList_DropDown() override;

    // What the user does in the lists.
    void HighlightDirectory(int index);
    void OpenHighlightedDirectory();
    void HighlightFile(int index);

    void DirList_Change();
    void DirList_Click();
    void FileList_Click();
    void FileList_DblClick() { flOpen_Click(); }
    void dlExplore_Click();
    void dlViewFiles_Click();
    void flOpen_Click();
    void flViewDir_Click();

    // The path label, one blank and the path, from the highlighted entries.
    void ShowHighlightedDirectory();
    void ShowHighlightedFilePath();

    // Opens the directory, its volume becoming the current drive, once what
    // the program asked for before is done.
    void PointAt(const QString& directory);

    // The settings file's four keys, applied in the order they come between
    // BeginRestore and EndRestore, each after the one before has taken
    // effect, as a user's choices would; a drive that cannot be selected
    // skips the directory and the highlight, a directory that cannot be
    // opened skips the highlight.
    void BeginRestore();
    void RestoreDrive(const QString& drive);
    void RestoreDirPath(const QString& path);
    void RestoreDirSel(int index);
    void RestoreDirVis(bool visible);
    void EndRestore();

private:
    struct Restore;
    using Opened = std::function<void(bool opened)>;
    using Done = std::function<void()>;
    using RestoreRun = std::shared_ptr<Restore>;
    using RestoreStep = std::function<void(const RestoreRun& restore, const Done& done)>;

    void openDirectory(const QString& path, const QString& drive, Opened done);
    void changeDrive(const QString& drive, Opened done);
    void commit(const DirectoryListing& listing, const QString& drive);
    void setDirSel(int index);
    void setFileSel(int index);
    void showLists();
    void showPath(const QString& path);
    void scheduleSave();
    void setBusy(bool busy);
    void refreshDrives();
    void userTakesOver();
    Restore& restoring();
    void restoreStep(RestoreStep step);

    Platform platform_;
    Parts parts_;
    DirectoryRequests requests_;
    ProgramSteps steps_;
    std::unique_ptr<Timer> busyLimit_;
    std::shared_ptr<Restore> restore_;  // while a restore runs

    QString drive_;     // the drive list's current entry
    QString dirDrive_;  // the drive the open directory was opened on
    QString dirPath_;
    QStringList chain_;  // full paths, from the drive's root to the open directory
    QStringList subdirectories_;
    QStringList listedFiles_;  // of the open directory, for DirList_Change
    int dirSel_ = -1;
    bool dirVis_ = true;
    bool listed_ = false;  // the open directory has been read at least once
    QStringList files_;    // the file list's: of the open directory, or of the one before
    int fileSel_ = -1;
    bool busy_ = false;
};
