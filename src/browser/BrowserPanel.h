#pragma once

#include <QString>

class DirListPort;
class FileListPort;

// The state of the file-system browser on the left of the main window: the
// current drive (a mounted volume, named by its root path), the open
// directory, the highlighted directory entry and which list shows. The
// settings file stores all four.
class BrowserPanel {
public:
    // The panel opens on the start directory, as a directory list starts on
    // the current one, so it never has none; on "/" should that be gone.
    BrowserPanel(DirListPort& dirList, FileListPort& fileList, const QString& startDirectory);

    const QString& Drive() const { return drive_; }
    const QString& DirPath() const { return dirPath_; }
    int DirSel() const { return dirSel_; }
    bool DirVis() const { return dirVis_; }

    // Each returns false, changing nothing, when the platform refuses.
    bool SetDrive(const QString& drive);
    bool SetDirPath(const QString& path);
    bool SetDirSel(int index);
    // Shows the directory list or the file list; an empty file list is never
    // left showing.
    void SetDirVis(bool visible);

    // Opens the directory and makes its volume the current drive.
    bool PointAt(const QString& directory);

    // Directory entries: -k..-1 the chain from the root down to the open
    // directory, 0..n-1 its subdirectories (sorted, dot directories left out).
    int ChainLength() const;
    // The full path of the highlighted directory entry.
    QString HighlightedDirectory() const;
    int SubdirectoryCount() const;
    int FileCount() const;

private:
    void showLists();

    DirListPort& dirList_;
    FileListPort& fileList_;
    QString drive_;
    QString dirPath_;
    int dirSel_ = -1;
    bool dirVis_ = true;
};
