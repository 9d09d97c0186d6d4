#include "BrowserPanel.h"

#include "platform/BrowserListPorts.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

BrowserPanel::BrowserPanel(DirListPort& dirList, FileListPort& fileList,
                           const QString& startDirectory)
    : dirList_(dirList), fileList_(fileList) {
    if (!PointAt(startDirectory))
        PointAt(QDir::rootPath());
}

bool BrowserPanel::SetDrive(const QString& drive) {
    if (drive.isEmpty())
        return false;
    const QStorageInfo volume(drive);
    if (!volume.isValid() || !volume.isReady() || volume.rootPath() != QDir::cleanPath(drive))
        return false;
    if (drive_ == volume.rootPath())
        return true;
    drive_ = volume.rootPath();
    // A new drive opens at its root, as choosing a drive does.
    dirPath_ = drive_;
    dirSel_ = -1;
    return true;
}

bool BrowserPanel::SetDirPath(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir() || !info.isReadable())
        return false;
    dirPath_ = QDir::cleanPath(info.absoluteFilePath());
    dirSel_ = -1;
    return true;
}

bool BrowserPanel::SetDirSel(int index) {
    if (index < -ChainLength() || index >= SubdirectoryCount())
        return false;
    dirSel_ = index;
    return true;
}

void BrowserPanel::SetDirVis(bool visible) {
    dirVis_ = visible;
    if (!dirVis_ && FileCount() == 0)
        dirVis_ = true;
    showLists();
}

bool BrowserPanel::PointAt(const QString& directory) {
    if (!SetDirPath(directory))
        return false;
    drive_ = QStorageInfo(dirPath_).rootPath();
    return true;
}

int BrowserPanel::ChainLength() const {
    if (dirPath_.isEmpty())
        return 0;
    return static_cast<int>(dirPath_.split(QLatin1Char('/'), Qt::SkipEmptyParts).size()) + 1;
}

QString BrowserPanel::HighlightedDirectory() const {
    if (dirSel_ >= 0) {
        const QStringList subdirectories =
            QDir(dirPath_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        return dirSel_ < subdirectories.size() ? QDir(dirPath_).filePath(subdirectories[dirSel_])
                                               : QString();
    }
    // -1 is the open directory, -2 its parent, and so on up to the root.
    QDir dir(dirPath_);
    for (int up = -1; up > dirSel_ && dir.cdUp();)
        --up;
    return QDir::cleanPath(dir.absolutePath());
}

int BrowserPanel::SubdirectoryCount() const {
    if (dirPath_.isEmpty())
        return 0;
    return static_cast<int>(QDir(dirPath_).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

int BrowserPanel::FileCount() const {
    if (dirPath_.isEmpty())
        return 0;
    return static_cast<int>(QDir(dirPath_).entryList(QDir::Files).size());
}

void BrowserPanel::showLists() {
    dirList_.setVisible(dirVis_);
    fileList_.setVisible(!dirVis_);
}
