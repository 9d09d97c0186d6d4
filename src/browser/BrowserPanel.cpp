#include "BrowserPanel.h"

#include "BrowserTexts.h"
#include "files/KeptPaths.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"
#include "platform/PathLabelPort.h"
#include "platform/Timer.h"
#include "settings/SettingsSchedule.h"
#include "tree/OpenTexts.h"
#include "tree/Opener.h"

#include <QDir>
#include <QStorageInfo>
#include <utility>

namespace {
// A drive change that waits longer than this for its listing (a mount that
// does not answer) gives the pointer back; the list keeps saying that it is
// still reading.
constexpr int BusyLimit = 1000;

QString joined(const QString& directory, const QString& name) {
    return directory.endsWith(QLatin1Char('/')) ? directory + name
                                                : directory + QLatin1Char('/') + name;
}

bool isUnder(const QString& path, const QString& root) {
    if (root == QDir::rootPath())
        return path.startsWith(root);
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

// The full paths from the root down to the path, both included.
QStringList chainOf(const QString& root, const QString& path) {
    QStringList chain{root};
    QString entry = root;
    for (const QString& name : path.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts))
        chain << (entry = joined(entry, name));
    return chain;
}
}  // namespace

BrowserPanel::BrowserPanel(const Platform& platform, const Parts& parts,
                           const QString& startDirectory)
    : platform_(platform),
      parts_(parts),
      requests_(platform.work,
                [this](bool reading) {
                    platform_.dirList.setReading(reading);
                    platform_.fileList.setReading(reading);
                }),
      busyLimit_(platform.timers.createTimer([this] { setBusy(false); })) {
    busyLimit_->setInterval(BusyLimit);
    // The program's own directory, where it was just started from: its
    // volume is at hand. Its entries are read when first needed.
    dirPath_ = startDirectory.isEmpty() ? QDir::rootPath() : QDir::cleanPath(startDirectory);
    const QString volume = QStorageInfo(dirPath_).rootPath();
    drive_ = dirDrive_ = volume.isEmpty() || !isUnder(dirPath_, volume) ? QDir::rootPath() : volume;
}

BrowserPanel::~BrowserPanel() = default;

QString BrowserPanel::HighlightedDirectory() const {
    if (dirSel_ >= 0)
        return dirSel_ < SubdirectoryCount() ? joined(dirPath_, subdirectories_[dirSel_])
                                             : QString();
    if (dirSel_ == -1)
        return dirPath_;
    const int chainIndex = ChainLength() + dirSel_;
    return chainIndex >= 0 ? chain_[chainIndex] : QString();
}

std::optional<QString> BrowserPanel::HighlightedDirectoryToKeep() const {
    const QString path = HighlightedDirectory();
    PathRefusals refusals;
    if (refusals.Keeps(path))
        return path;
    refusals.Tell(platform_.messages);
    return std::nullopt;
}

QString BrowserPanel::HighlightedFilePath() const {
    return joined(dirPath_, fileSel_ >= 0 && fileSel_ < FileCount() ? files_[fileSel_] : QString());
}

void BrowserPanel::DriveList_Change(const QString& drive) {
    userTakesOver();
    changeDrive(drive, [this](bool opened) {
        if (opened)
            return;
        platform_.messages.show(BrowserTexts::driveNotAccessible(), OpenTexts::warningTitle(),
                                MsgButtons::Ok, MsgIcon::Exclamation);
        // Back to the drive of the directory still open; the change is raised
        // once more, now for a drive that can be read.
        platform_.driveList.setCurrent(dirDrive_);
        DriveList_Change(dirDrive_);
    });
}

// The drive opens at its root, unless the open directory is on it already:
// then nothing changes.
void BrowserPanel::changeDrive(const QString& drive, Opened done) {
    drive_ = drive.isEmpty() ? drive : QDir::cleanPath(drive);
    platform_.driveList.setCurrent(drive_);
    setBusy(true);
    if (drive_ == dirDrive_) {
        setBusy(false);
        done(true);
        return;
    }
    requests_.request(drive_, [this, drive = drive_, done](const DirectoryListing& listing) {
        setBusy(false);
        // An empty mount point is a directory of the volume above it.
        const bool opened = listing.readable && listing.volume == drive;
        if (opened)
            commit(listing, drive);
        done(opened);
    });
}

void BrowserPanel::DriveList_DropDown() {
    refreshDrives();
}

void BrowserPanel::refreshDrives() {
    requests_.requestVolumes([this](const QStringList& roots) {
        platform_.driveList.setDrives(roots);
        platform_.driveList.setCurrent(drive_);
    });
}

void BrowserPanel::openDirectory(const QString& path, const QString& drive, Opened done) {
    requests_.request(path, [this, drive, done](const DirectoryListing& listing) {
        if (listing.readable)
            commit(listing, drive);
        done(listing.readable);
    });
}

// The listing becomes the open directory, under the drive it was opened on
// (its own volume when none is given, the root when it lies elsewhere).
void BrowserPanel::commit(const DirectoryListing& listing, const QString& drive) {
    QString root = drive.isEmpty() ? listing.volume : drive;
    if (root.isEmpty() || !isUnder(listing.path, root))
        root = QDir::rootPath();
    drive_ = dirDrive_ = root;
    platform_.driveList.setCurrent(root);
    dirPath_ = listing.path;
    chain_ = chainOf(root, dirPath_);
    subdirectories_ = listing.subdirectories;
    listedFiles_ = listing.files;
    // The volumes are read once here and again each time the drive list
    // opens, where a stick mounted since shows up: not with every directory.
    if (!std::exchange(listed_, true))
        refreshDrives();
    dirSel_ = -1;
    platform_.dirList.setEntries(chain_, subdirectories_);
    platform_.dirList.setListIndex(dirSel_);
    DirList_Change();
}

void BrowserPanel::HighlightDirectory(int index) {
    dirSel_ = index;
    DirList_Click();
}

void BrowserPanel::OpenHighlightedDirectory() {
    const QString directory = HighlightedDirectory();
    if (directory.isEmpty() || !parts_.opener.Nameable(directory))
        return;
    userTakesOver();
    openDirectory(directory, dirDrive_, [this](bool opened) {
        if (!opened)
            platform_.messages.show(OpenTexts::folderUnavailable(), OpenTexts::warningTitle(),
                                    MsgButtons::Ok, MsgIcon::None);
    });
}

void BrowserPanel::HighlightFile(int index) {
    fileSel_ = index;
    FileList_Click();
}

void BrowserPanel::DirList_Change() {
    const QString highlighted = HighlightedDirectory();
    if (highlighted.isEmpty()) {
        platform_.pathLabel.setCaption(QString());
    } else {
        showPath(highlighted);
        // The listing that made the change read the files of the open
        // directory, which is the highlighted one now.
        files_ = listedFiles_;
        fileSel_ = -1;
        platform_.fileList.setFiles(files_);
        platform_.fileList.setListIndex(fileSel_);
        if (!files_.isEmpty())
            setFileSel(0);
        else if (!dirVis_)
            dirVis_ = true;  // an empty file list never stays shown
    }
    showLists();
    scheduleSave();
}

void BrowserPanel::DirList_Click() {
    ShowHighlightedDirectory();
    scheduleSave();
}

void BrowserPanel::FileList_Click() {
    if (dirVis_)
        return;
    ShowHighlightedFilePath();
    scheduleSave();
}

void BrowserPanel::dlExplore_Click() {
    parts_.opener.OpenPath(HighlightedDirectory(), OpenTexts::folderUnavailable());
}

void BrowserPanel::dlViewFiles_Click() {
    if (files_.isEmpty())
        return;
    dirVis_ = false;
    showLists();
    ShowHighlightedFilePath();
    scheduleSave();
}

void BrowserPanel::flOpen_Click() {
    parts_.opener.OpenPath(HighlightedFilePath(), BrowserTexts::fileUnavailable());
}

void BrowserPanel::flViewDir_Click() {
    dirVis_ = true;
    showLists();
    ShowHighlightedDirectory();
    scheduleSave();
}

void BrowserPanel::ShowHighlightedDirectory() {
    showPath(HighlightedDirectory());
}

void BrowserPanel::ShowHighlightedFilePath() {
    showPath(HighlightedFilePath());
}

// Every path the lists hold comes from a listing, which spelled the open
// directory as the file system has it and took the names as stored: the
// label needs no second look at the file system, which could hang this
// thread on a mount that does not answer. Only a trailing separator (no file
// highlighted) is dropped, as the long form drops it.
void BrowserPanel::showPath(const QString& path) {
    QString shown = path;
    if (shown.size() > 1 && shown.endsWith(QLatin1Char('/')))
        shown.chop(1);
    platform_.pathLabel.setCaption(QLatin1Char(' ') + shown);
}

void BrowserPanel::setDirSel(int index) {
    dirSel_ = index;
    platform_.dirList.setListIndex(index);
    DirList_Click();
}

void BrowserPanel::setFileSel(int index) {
    fileSel_ = index;
    platform_.fileList.setListIndex(index);
    FileList_Click();
}

void BrowserPanel::showLists() {
    platform_.dirList.setVisible(dirVis_);
    platform_.fileList.setVisible(!dirVis_);
}

// What the settings file itself brings back needs no save.
void BrowserPanel::scheduleSave() {
    if (!restore_)
        parts_.settings.ScheduleSave();
}

void BrowserPanel::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    platform_.window.setMousePointer(busy ? PointerBusy : PointerDefault);
    if (busy)
        busyLimit_->start();
    else
        busyLimit_->stop();
}

// The user's own choice wins over whatever the program still meant to set.
void BrowserPanel::userTakesOver() {
    steps_.clear();
    restore_.reset();
    setBusy(false);
}
