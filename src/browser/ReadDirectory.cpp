#include "ReadDirectory.h"

#include "files/LongPath.h"
#include "files/NameBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {
// File systems that hold no user's files: the kernel's own, memory, and the
// read-only images that packages (snaps) are mounted from.
bool isPseudoFileSystem(const QByteArray& type) {
    static const QByteArrayList pseudo = {
        "tmpfs",           "ramfs",       "devtmpfs",  "squashfs",  "erofs",
        "overlay",         "autofs",      "proc",      "sysfs",     "devpts",
        "cgroup",          "cgroup2",     "debugfs",   "tracefs",   "securityfs",
        "pstore",          "bpf",         "mqueue",    "hugetlbfs", "configfs",
        "fusectl",         "binfmt_misc", "efivarfs",  "nsfs",      "rpc_pipefs",
        "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs"};
    return pseudo.contains(type);
}

// Where the system keeps its own mounts; removable media under /run/media
// are the user's.
bool isSystemPlace(const QString& root) {
    static const QStringList places = {QStringLiteral("/proc"), QStringLiteral("/sys"),
                                       QStringLiteral("/dev"), QStringLiteral("/run"),
                                       QStringLiteral("/snap")};
    if (root.startsWith(QLatin1String("/run/media/")))
        return false;
    return std::any_of(places.begin(), places.end(), [&root](const QString& place) {
        return root == place || root.startsWith(place + QLatin1Char('/'));
    });
}

// The directories and files in the listing's directory, symbolic links by
// what they point at; hidden (dot) entries, and sockets, pipes, devices and
// links that point nowhere, are left out. Names are read as bytes: Qt's own
// listing passes over a name that is not UTF-8 without a word, and the
// user would miss a file that is there.
void ListEntries(DirectoryListing& listing) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entry(QFile::encodeName(listing.path).toStdString(), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string& path = entry->path().native();
        const QByteArrayView name =
            QByteArrayView(path).sliced(qsizetype(path.find_last_of('/') + 1));
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code typeError;
        if (entry->is_directory(typeError))
            listing.subdirectories << NameFromBytes(name);
        else if (entry->is_regular_file(typeError))
            listing.files << NameFromBytes(name);
    }
}
}  // namespace

void SortNames(QStringList& names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int byLetters = a.compare(b, Qt::CaseInsensitive);
        return byLetters != 0 ? byLetters < 0 : a < b;
    });
}

DirectoryListing ReadDirectory(const QString& path) {
    DirectoryListing listing;
    if (!QDir::isAbsolutePath(path))
        return listing;
    listing.path = LongPath(QDir::cleanPath(path));
    const QFileInfo directory(listing.path);
    // Without the right to read it lists nothing, and without the right to
    // enter it nothing in it opens: either way it cannot be browsed.
    if (!directory.isDir() || !directory.isReadable() || !directory.isExecutable())
        return listing;
    ListEntries(listing);
    SortNames(listing.subdirectories);
    SortNames(listing.files);
    listing.volume = QStorageInfo(listing.path).rootPath();
    listing.readable = true;
    return listing;
}

QStringList ReadVolumes() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (root == QDir::rootPath() || !volume.isValid() || !volume.isReady() ||
            isPseudoFileSystem(volume.fileSystemType()) || isSystemPlace(root) ||
            roots.contains(root))
            continue;
        roots << root;
    }
    SortNames(roots);
    roots.prepend(QDir::rootPath());
    return roots;
}
