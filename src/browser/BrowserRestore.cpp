// Setting the browser from the program: the first showing's directory and
// the settings file's four keys.
#include "BrowserPanel.h"

struct BrowserPanel::Restore {
    bool failed = false;  // DriveFailed: the drive or the directory could not be set
    // The values still to take effect, which a save in the meantime keeps.
    std::optional<QString> drive;
    std::optional<QString> dirPath;
    std::optional<int> dirSel;
    std::optional<bool> dirVis;
};

BrowserPanel::Place BrowserPanel::SavedPlace() const {
    Place place{dirDrive_, dirPath_, dirSel_, dirVis_};
    if (restore_) {
        place.drive = restore_->drive.value_or(place.drive);
        place.dirPath = restore_->dirPath.value_or(place.dirPath);
        place.dirSel = restore_->dirSel.value_or(place.dirSel);
        place.dirVis = restore_->dirVis.value_or(place.dirVis);
    }
    return place;
}

void BrowserPanel::PointAt(const QString& directory) {
    steps_.add([this, directory](std::function<void()> done) {
        openDirectory(directory, QString(), [done](bool) { done(); });
    });
}

BrowserPanel::Restore& BrowserPanel::restoring() {
    if (!restore_)
        BeginRestore();
    return *restore_;
}

// Each step runs with the restore it belongs to, unless the user has taken
// over since; it calls done once it has taken effect.
void BrowserPanel::restoreStep(RestoreStep step) {
    steps_.add([this, run = restore_, step](std::function<void()> done) {
        if (restore_ != run) {
            done();
            return;
        }
        step(run, done);
    });
}

// The open directory is read first if it never was: the highlight and the
// file list follow what it holds.
void BrowserPanel::BeginRestore() {
    restore_ = std::make_shared<Restore>();
    restoreStep([this](const RestoreRun&, const Done& done) {
        if (listed_)
            done();
        else
            openDirectory(dirPath_, dirDrive_, [done](bool) { done(); });
    });
}

void BrowserPanel::RestoreDrive(const QString& drive) {
    restoring().drive = drive;
    restoreStep([this, drive](const RestoreRun& run, const Done& done) {
        run->drive.reset();
        changeDrive(drive, [this, run, done](bool opened) {
            if (!opened) {
                run->failed = true;
                run->dirPath.reset();
                run->dirSel.reset();
                drive_ = dirDrive_;
                platform_.driveList.setCurrent(dirDrive_);
            }
            done();
        });
    });
}

void BrowserPanel::RestoreDirPath(const QString& path) {
    restoring().dirPath = path;
    restoreStep([this, path](const RestoreRun& run, const Done& done) {
        if (run->failed) {
            done();
            return;
        }
        openDirectory(path, dirDrive_, [run, done](bool opened) {
            run->dirPath.reset();
            if (!opened) {
                run->failed = true;
                run->dirSel.reset();
            }
            done();
        });
    });
}

void BrowserPanel::RestoreDirSel(int index) {
    restoring().dirSel = index;
    restoreStep([this, index](const RestoreRun& run, const Done& done) {
        run->dirSel.reset();
        if (!run->failed && index >= -ChainLength() && index < SubdirectoryCount())
            setDirSel(index);
        done();
    });
}

void BrowserPanel::RestoreDirVis(bool visible) {
    restoring().dirVis = visible;
    restoreStep([this, visible](const RestoreRun& run, const Done& done) {
        run->dirVis.reset();
        dirVis_ = visible || files_.isEmpty();
        if (!files_.isEmpty())
            setFileSel(0);
        showLists();
        done();
    });
}

void BrowserPanel::EndRestore() {
    restoreStep([this](const RestoreRun&, const Done& done) {
        restore_.reset();
        done();
    });
}
